#include "config/ConfigSettings.h"

#include "common/Environment.h"
#include "common/Prompts.h"
#include "settings/SettingReaders.h"
#include "state/modGlobaleVariablen.h"

namespace kvotlk {
namespace {

constexpr std::size_t indexOf(SettingKey key) { return static_cast<std::size_t>(key); }

bool isChecked(const ConfigEntries& entries, SettingKey key) {
  return EntryOf(entries, key) == "1";
}

// The run-time copy that follows a stored setting; keys without a copy change nothing.
void applySavedCopy(modGlobaleVariablen& g, LocaleNumbers& numbers, SettingKey key,
                    const std::string& value) {
  switch (key) {
    case SettingKey::DIR:
      g.strStandardDir = value;
      break;
    case SettingKey::AuftragsNrLaenge:
      g.intAuftragsNrLaenge = SettingAsInt16(numbers, value, key);
      break;
    case SettingKey::LaengeArtikelNr:
      g.varLaengeArtikelNr = value;
      break;
    case SettingKey::AuftragsNrGanzzahl:
      g.intAuftragsNrGanzzahl = SettingAsInt16(numbers, value, key);
      break;
    case SettingKey::NestnummerAmMerkmal:
      g.intNestnummerAmMerkmal = SettingAsInt16(numbers, value, key);
      break;
    case SettingKey::EinstellungenZurLaufzeitSpeichern:
      g.intEinstellungenZurLaufzeitSpeichern = SettingAsInt16(numbers, value, key);
      break;
    case SettingKey::NestIDVerwenden:
      g.strNestIDVerwenden = value;
      break;
    case SettingKey::DateiErweiterungVerwenden:
      g.blnDateiErweiterungVerwenden = SettingAsFlag(numbers, value, key);
      break;
    case SettingKey::DateiErweiterung:
      g.strDateiErweiterung = value;
      break;
    case SettingKey::MessserieUmfang:
      g.blnMessserieUmfang = SettingAsFlag(numbers, value, key);
      break;
    default:
      break;
  }
}

}  // namespace

std::string& EntryOf(ConfigEntries& entries, SettingKey key) { return entries[indexOf(key)]; }

const std::string& EntryOf(const ConfigEntries& entries, SettingKey key) {
  return entries[indexOf(key)];
}

ConfigEntries ReadAllConfig(Environment& env, const modGlobaleVariablen& g) {
  ConfigEntries stored;
  for (const SettingInfo& info : SettingTable()) {
    EntryOf(stored, info.key) = ReadConfig(env, g, info.key);
  }
  return stored;
}

bool CheckedBySetting(LocaleNumbers& numbers, std::string_view stored, SettingKey key) {
  return SettingAsFlag(numbers, stored, key);
}

std::string CheckText(bool checked) { return checked ? "1" : "0"; }

void ApplyLoadedCopies(modGlobaleVariablen& g, const ConfigEntries& shown) {
  g.strStandardDir = EntryOf(shown, SettingKey::DIR);
  g.varLaengeArtikelNr = EntryOf(shown, SettingKey::LaengeArtikelNr);
  g.intAuftragsNrGanzzahl = isChecked(shown, SettingKey::AuftragsNrGanzzahl) ? 1 : 0;
  g.blnDateiErweiterungVerwenden = isChecked(shown, SettingKey::DateiErweiterungVerwenden);
  g.strDateiErweiterung = EntryOf(shown, SettingKey::DateiErweiterung);
  g.blnMessserieUmfang = isChecked(shown, SettingKey::MessserieUmfang);
}

std::optional<SettingKey> SaveConfig(Environment& env, modGlobaleVariablen& g,
                                     const ConfigEntries& entries) {
  for (const SettingInfo& info : SettingTable()) {
    const std::string& value = EntryOf(entries, info.key);
    if (!WriteConfig(env, g, info.key, value)) {
      return info.key;
    }
    applySavedCopy(g, env.numbers, info.key, value);
  }
  return std::nullopt;
}

std::string SaveFailedMessage(SettingKey key) {
  return "Die Einstellung " + std::string(SettingName(key)) + " konnte nicht gespeichert werden." +
         kCrLf + "Die Einstellungen wurden nicht vollständig übernommen.";
}

}  // namespace kvotlk
