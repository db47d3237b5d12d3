// Catalogue files as they lie on disk, any bytes: reading them, taking their lines apart,
// the nest-ID lookup, and saving them again as the editors do.
#include <cstdint>
#include <string>
#include <vector>

#include "FuzzInput.h"
#include "catalogs/CatalogFiles.h"
#include "catalogs/CatalogLines.h"
#include "common/Text.h"
#include "support/FakeFileSystem.h"

namespace kvotlk::fuzz {
namespace {

bool contains(const std::string& text, char c) { return text.find(c) != std::string::npos; }

void checkLine(const std::string& line) {
  expect(!contains(line, '\n'), "eine Katalogzeile enthält kein LF");

  const std::string inspector = InspectorNumberOfEntry(line);
  expect(!contains(inspector, ')'), "die Prüfernummer endet vor der ersten Klammer");
  expect(line.find(inspector) != std::string::npos, "die Prüfernummer steht in der Zeile");

  const auto number = NestNumberOfLine(line);
  const auto nestId = NestIDOfLine(line);
  expect(!number || nestId.has_value(), "eine Zeile mit Nestnummer hat eine Nest ID");
  if (nestId) {
    expect(!contains(*nestId, ')'), "die Nest ID endet vor der nächsten Klammer");
    expect(trimBlanks(*nestId) == *nestId, "die Nest ID ist getrimmt");
  }
  if (number) {
    expect(trimBlanks(*number) == *number, "die Nestnummer ist getrimmt");
  }
}

// A number field the editors write reads back as the number it holds.
void checkBracketedField(const std::string& number) {
  if (contains(number, ')')) {
    return;
  }
  const std::string field = BracketedField(number);
  expect(charCount(field) >= 8, "das Nummernfeld hat mindestens 8 Zeichen");
  expect(InspectorNumberOfEntry(field + "Name") == number, "Prüfernummer aus dem Nummernfeld");
  expect(NestNumberOfLine(field + "Nest") == trimBlanks(number), "Nestnummer aus dem Nummernfeld");
}

void checkLookup(const std::vector<std::string>& lines) {
  for (const std::string& line : lines) {
    const auto number = NestNumberOfLine(line);
    if (number) {
      expect(FindNestID(lines, *number).has_value(), "jede Nestnummer des Katalogs wird gefunden");
    }
  }
  for (const char* nest : {"", "1", "03", " 3 ", "\xC3\x84"}) {
    const auto found = FindNestID(lines, nest);
    expect(!found || !contains(*found, ')'), "eine gefundene Nest ID enthält keine Klammer");
  }
}

}  // namespace
}  // namespace kvotlk::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace kvotlk;
  using fuzz::expect;
  const std::string content(reinterpret_cast<const char*>(data), size);
  test::FakeFileSystem files;
  const std::string path = CatalogPath("/opt/kvotlk", Catalog::NestID);
  files.addFile(path, content);

  const auto lines = ReadCatalog(files, path);
  expect(lines.has_value(), "ein vorhandener Katalog wird gelesen");
  for (const std::string& line : *lines) {
    fuzz::checkLine(line);
    fuzz::checkBracketedField(InspectorNumberOfEntry(line));
  }
  fuzz::checkLookup(*lines);

  // Saving what was read keeps every entry.
  expect(WriteCatalog(files, path, *lines), "der Katalog wird gespeichert");
  expect(ReadCatalog(files, path) == lines, "gespeichert und wieder gelesen bleibt jede Zeile");
  return 0;
}
