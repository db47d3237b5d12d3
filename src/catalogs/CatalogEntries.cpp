#include "catalogs/CatalogEntries.h"

#include <algorithm>

#include "catalogs/CatalogLines.h"
#include "common/Environment.h"
#include "common/FileSystem.h"
#include "common/Paths.h"
#include "common/Prompts.h"
#include "common/Text.h"
#include "common/modCheckTyp.h"

namespace kvotlk {
namespace {

constexpr const char* kFieldsMissing = "Felder nicht ausgefüllt.";

NewEntry refused(std::string message) { return {std::nullopt, std::move(message)}; }

// The inspector and nest-ID rule: empty, length, whole number, in this order. Their
// messages both speak of the "Prüfernummer".
NewEntry bracketedEntry(LocaleNumbers& numbers, std::string_view typedNumber, std::string_view name,
                        std::size_t maxLength) {
  const std::string number = trimBlanks(typedNumber);
  if (number.empty() || trimBlanks(name).empty()) {
    return refused(kFieldsMissing);
  }
  if (charCount(number) > maxLength) {
    return refused("Prüfernummer darf max. " + std::to_string(maxLength) + "stellig sein.");
  }
  if (!IsLong(numbers, number)) {
    return refused("Prüfernummer muss eine Ganzzahl sein.");
  }
  return {BracketedField(number) + std::string(name), {}};
}

}  // namespace

NewEntry NewPrueferEntry(LocaleNumbers& numbers, std::string_view number, std::string_view name,
                         const std::vector<std::string>& entries) {
  NewEntry entry = bracketedEntry(numbers, number, name, 4);
  const std::string typed = trimBlanks(number);
  const bool taken = std::any_of(entries.begin(), entries.end(), [&typed](const std::string& line) {
    return InspectorNumberOfEntry(line) == typed;
  });
  return entry.line && taken ? refused("Prüfernummer ist bereits vergeben.") : entry;
}

NewEntry NewNestIDEntry(LocaleNumbers& numbers, std::string_view number, std::string_view name,
                        const std::vector<std::string>& entries) {
  NewEntry entry = bracketedEntry(numbers, number, name, 2);
  const bool taken = FindNestID(entries, number).has_value();
  return entry.line && taken ? refused("Nestnummer ist bereits vergeben.") : entry;
}

NewEntry NewMaschineEntry(std::string_view typedNumber, std::int16_t maxLength,
                          const std::vector<std::string>& entries) {
  std::string number = trimBlanks(typedNumber);
  if (number.empty()) {
    return refused(kFieldsMissing);
  }
  if (static_cast<long long>(charCount(number)) > maxLength) {
    return refused("Maschinennummer darf max. " + std::to_string(maxLength) + "stellig sein.");
  }
  const bool taken =
      std::any_of(entries.begin(), entries.end(),
                  [&number](const std::string& line) { return trimBlanks(line) == number; });
  if (taken) {
    return refused("Maschinennummer ist bereits vergeben.");
  }
  return {std::move(number), {}};
}

std::size_t InsertRow(std::optional<std::size_t> selectedRow) {
  return selectedRow ? *selectedRow + 1 : 0;
}

std::optional<std::vector<std::string>> LoadCatalog(Environment& env, Catalog catalog) {
  const std::string path = CatalogPath(env.data(), catalog);
  if (auto lines = ReadCatalog(env.files, path)) {
    return lines;
  }
  if (env.files.fileExists(toFsPath(path))) {
    env.prompts.showStop(CatalogNotReadMessage(path));
    return std::nullopt;
  }
  return std::vector<std::string>{};
}

std::string CatalogNotReadMessage(const std::string& path) {
  return "Die Katalogdatei " + path + " ist vorhanden, kann aber nicht gelesen werden." + kCrLf +
         "Damit sie nicht überschrieben wird, kann der Katalog jetzt nicht bearbeitet werden. "
         "Schließen Sie dieses Fenster und öffnen Sie es erneut, sobald die Datei lesbar ist.";
}

bool SaveCatalog(Environment& env, Catalog catalog, const std::vector<std::string>& entries) {
  const std::string path = CatalogPath(env.data(), catalog);
  if (!WriteCatalog(env.files, path, entries)) {
    env.prompts.showStop(CatalogNotWrittenMessage(path));
    return false;
  }
  return true;
}

std::string CatalogNotWrittenMessage(const std::string& path) {
  return "Die Katalogdatei " + path + " konnte nicht geschrieben werden." + kCrLf +
         "Prüfen Sie, ob der Ordner Kataloge vorhanden ist und beschrieben werden darf. Die "
         "Liste bleibt im Fenster erhalten.";
}

}  // namespace kvotlk
