// Catalogue files as they lie on disk, any bytes: reading them, taking their lines apart,
// the nest-ID lookup, and saving them again as the editors do.

#include "FuzzInput.h"
#include "catalogs/CatalogFiles.h"
#include "catalogs/CatalogLines.h"
#include "support/FakeFileSystem.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace kvotlk;
  using fuzz::expect;
  test::FakeFileSystem files;
  const std::string path = CatalogPath("/opt/kvotlk", Catalog::NestID);
  files.addFile(path, std::string(reinterpret_cast<const char*>(data), size));
  const auto lines = ReadCatalog(files, path);
  expect(lines.has_value(), "ein vorhandener Katalog wird gelesen");
  for (const std::string& line : *lines) {
    // A line end inside a line would reach the result file's "CHARGE=" line.
    expect(line.find_first_of("\r\n") == std::string::npos, "eine Katalogzeile bricht nicht um");
    if (const auto number = NestNumberOfLine(line)) {
      expect(FindNestID(*lines, *number).has_value(), "jede Nestnummer des Katalogs wird gefunden");
    }
    // The number field the editors write reads back as the number it holds.
    const std::string inspector = InspectorNumberOfEntry(line);
    expect(InspectorNumberOfEntry(BracketedField(inspector) + "Name") == inspector,
           "Prüfernummer aus dem Nummernfeld");
  }
  expect(WriteCatalog(files, path, *lines), "der Katalog wird gespeichert");
  expect(ReadCatalog(files, path) == lines, "gespeichert und wieder gelesen bleibt jede Zeile");
  return 0;
}
