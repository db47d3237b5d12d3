#pragma once

#include <string>
#include <vector>

// Catalogue files that the editors never write, as bytes on disk.
namespace kvotlk::test {

struct BadCatalogue {
  const char* label;
  std::string bytes;
};

inline std::string everyHighByte() {
  std::string bytes;
  for (int b = 0x80; b <= 0xFF; ++b) {
    bytes += static_cast<char>(b);
  }
  return bytes;
}

inline std::string tenThousandLines() {
  std::string bytes;
  for (int k = 1; k <= 10000; ++k) {
    bytes += "(" + std::to_string(k) + ")    Name " + std::to_string(k) + "\r\n";
  }
  return bytes;
}

inline const std::vector<BadCatalogue>& badCatalogues() {
  static const std::vector<BadCatalogue> catalogues = {
      {"ohne Klammern", "12      Name\r\nM\xFCller\r\n"},
      {"nur Klammern", "()\r\n((((\r\n))))\r\n)(\r\n"},
      {"Leerzeilen", "\r\n\r\n(12)    Name\r\n\r\n"},
      {"10000 Zeilen", tenThousandLines()},
      {"Bytes 0x80-0xFF", "(12)    " + everyHighByte() + "\r\n"},
      {"100000 Zeichen",
       "(1)     " + std::string(99992, 'x') + "\r\n(" + std::string(99998, '1') + ")\r\n"},
      {"ohne letztes Zeilenende", "(12)    Name\r\n(3)     Letzte"},
  };
  return catalogues;
}

}  // namespace kvotlk::test
