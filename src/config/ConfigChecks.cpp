#include "config/ConfigChecks.h"

#include <algorithm>
#include <array>

#include "common/Environment.h"
#include "common/FileSystem.h"
#include "common/Paths.h"
#include "common/Prompts.h"
#include "common/TemporaryName.h"
#include "common/Text.h"
#include "entry/OrderEngine.h"
#include "entry/OrderValuesFile.h"
#include "output/ResultFileText.h"
#include "output/modCreateFileName.h"

namespace kvotlk {
namespace {

constexpr const char* kNotSaved = "Die Einstellungen wurden nicht gespeichert.";

struct NumberField {
  SettingKey key;
  const char* caption;
  int least;
  int most;
};

constexpr std::array<NumberField, 5> kNumberFields = {{
    // What the file carries: a setting it would replace by three is refused here.
    {SettingKey::NumDez, "Anzahl der Nachkommastellen", kLeastDecimals, kMostDecimals},
    {SettingKey::IdLaenge, "Maximale Länge der Merkmal ID", 1, kLongestLength},
    {SettingKey::MaschinenIdLaenge, "Maximale Länge der Maschinen ID", 1, kLongestLength},
    {SettingKey::AuftragsNrLaenge, "Maximale Länge der Auftragsnummer", 1, kLongestLength},
    {SettingKey::LaengeArtikelNr, "Maximale Länge der Artikelnummer", 1, kLongestLength},
}};

// Digits only, blanks around them allowed: what every reader of the setting takes as the
// same whole number on every machine, whatever its number settings.
std::optional<int> wholeNumber(const std::string& text) {
  const std::string digits = trimBlanks(text);
  if (digits.empty() || digits.size() > 5 ||
      !std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; })) {
    return std::nullopt;
  }
  return std::stoi(digits);
}

std::optional<ConfigProblem> checkNumber(const ConfigEntries& entries, const NumberField& field) {
  const std::string& text = EntryOf(entries, field.key);
  const auto value = wholeNumber(text);
  if (value && *value >= field.least && *value <= field.most) {
    return std::nullopt;
  }
  return ConfigProblem{field.key, std::string(field.caption) + ": \"" + text +
                                      "\" ist keine ganze Zahl von " + std::to_string(field.least) +
                                      " bis " + std::to_string(field.most) + "." + kCrLf +
                                      kNotSaved};
}

std::optional<ConfigProblem> withNotSaved(SettingKey key, const std::optional<std::string>& why) {
  if (!why) {
    return std::nullopt;
  }
  return ConfigProblem{key, *why + kCrLf + kNotSaved};
}

bool checked(const ConfigEntries& entries, SettingKey key) { return EntryOf(entries, key) == "1"; }

std::optional<ConfigProblem> checkEntry(const ConfigEntries& entries, SettingKey key) {
  const std::string& text = EntryOf(entries, key);
  if (key == SettingKey::FILE && !checked(entries, SettingKey::RANDOM)) {
    return withNotSaved(key,
                        FixedFileNameProblem(text, checked(entries, SettingKey::DateTimeStamp)));
  }
  if (key == SettingKey::DateiErweiterung &&
      checked(entries, SettingKey::DateiErweiterungVerwenden)) {
    return withNotSaved(key, SuffixProblem(text));
  }
  const auto field = std::find_if(kNumberFields.begin(), kNumberFields.end(),
                                  [key](const NumberField& f) { return f.key == key; });
  return field != kNumberFields.end() ? checkNumber(entries, *field) : std::nullopt;
}

}  // namespace

std::optional<ConfigProblem> CheckConfigEntries(const ConfigEntries& entries) {
  for (const SettingInfo& info : SettingTable()) {
    if (auto problem = checkEntry(entries, info.key)) {
      return problem;
    }
  }
  return std::nullopt;
}

std::optional<std::string> UnreachableFolderQuestion(Environment& env, const std::string& folder) {
  // A file of this writer's own is created and removed again: only that shows that the
  // operator's account may write there.
  if (!folder.empty() && env.files.folderExists(toFsPath(folder))) {
    const Path probe =
        toFsPath(joinPath(folder, TemporaryNameOf(env.files, env.random, "KVOTLK-Probe")));
    if (auto file = env.files.createNewFile(probe)) {
      const bool closed = file->close();
      env.files.removeFile(probe);
      if (closed) {
        return std::nullopt;
      }
    }
  }
  return "Das Verzeichnis " + folder + " ist nicht erreichbar." + kCrLf + "Trotzdem speichern?";
}

std::optional<SettingKey> SaveConfigChecked(Environment& env, modGlobaleVariablen& g,
                                            const ConfigEntries& entries, OrderEngine& order) {
  if (const auto problem = CheckConfigEntries(entries)) {
    env.prompts.showStop(problem->message);
    return problem->key;
  }
  const std::string& folder = EntryOf(entries, SettingKey::DIR);
  if (const auto question = UnreachableFolderQuestion(env, folder);
      question && !env.prompts.askYesNo(*question)) {
    return SettingKey::DIR;
  }
  const auto failed = SaveConfig(env, g, entries);
  order.SettingsSaved();
  if (failed) {
    env.prompts.showStop(SaveFailedMessage(*failed));
  }
  return failed;
}

}  // namespace kvotlk
