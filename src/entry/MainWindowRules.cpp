#include "entry/MainWindowRules.h"

#include "common/Environment.h"
#include "entry/OrderValuesFile.h"
#include "kalvero/modKVOFunctions.h"
#include "settings/SettingReaders.h"
#include "settings/modRegistrierung.h"
#include "state/modGlobaleVariablen.h"

namespace kvotlk {
namespace {

// A number with at least the given count of digits, padded with leading zeros.
std::string padded(int value, std::size_t digits) {
  std::string text = std::to_string(value < 0 ? -value : value);
  if (text.size() < digits) {
    text.insert(0, digits - text.size(), '0');
  }
  return value < 0 ? "-" + text : text;
}

}  // namespace

void ReadStartSettings(Environment& env, modGlobaleVariablen& g) {
  g.strRegistryRoot = std::string(kRegistryRoot);
  g.intAuftragsNrLaenge = ReadConfigInt16(env, g, SettingKey::AuftragsNrLaenge);
  g.varLaengeArtikelNr = ReadConfig(env, g, SettingKey::LaengeArtikelNr);
  g.intAuftragsNrGanzzahl = ReadConfigInt16(env, g, SettingKey::AuftragsNrGanzzahl);
  g.strStandardDir = ReadConfig(env, g, SettingKey::DIR);
  g.intEinstellungenZurLaufzeitSpeichern =
      ReadConfigInt16(env, g, SettingKey::EinstellungenZurLaufzeitSpeichern);
  g.blnDateiErweiterungVerwenden = ReadConfigFlag(env, g, SettingKey::DateiErweiterungVerwenden);
  g.strDateiErweiterung = ReadConfig(env, g, SettingKey::DateiErweiterung);
  g.blnMessserieUmfang = ReadConfigFlag(env, g, SettingKey::MessserieUmfang);
}

void ReadNestIDVerwenden(Environment& env, modGlobaleVariablen& g) {
  g.strNestIDVerwenden = ReadConfig(env, g, SettingKey::NestIDVerwenden);
}

std::optional<std::string> AuftragToolTip(const modGlobaleVariablen& g) {
  const std::string length = std::to_string(g.intAuftragsNrLaenge);
  if (g.intAuftragsNrGanzzahl == 1) {
    return "Ganzzahl max. " + length + " Zeichen eintragen";
  }
  if (g.intAuftragsNrGanzzahl == 0) {
    return "Alphanumerisch max. " + length + " Zeichen eintragen";
  }
  return std::nullopt;
}

std::string ArtikelToolTip(const modGlobaleVariablen& g) {
  return "Alphanumerisch max. " + g.varLaengeArtikelNr + " Zeichen eintragen";
}

std::optional<NestFieldAtLoad> NestFieldForLoad(const modGlobaleVariablen& g) {
  if (g.strNestIDVerwenden == "1") {
    return NestFieldAtLoad{};
  }
  if (g.strNestIDVerwenden == "0") {
    return NestFieldAtLoad{"Nur eine Zahl eingeben", true};
  }
  return std::nullopt;
}

DateTimeFields PresetDateTime(const LocalDateTime& now) {
  return {padded(now.day, 2), padded(now.month, 2), padded(now.year, 4), padded(now.hour, 2),
          padded(now.minute, 2)};
}

void ShutDown(Environment& env, modGlobaleVariablen& g) {
  DeleteValuesFile(env, g);
  ReleaseKvoObjects(g);
}

}  // namespace kvotlk
