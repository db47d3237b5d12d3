#pragma once

#include <string>
#include <utility>
#include <vector>

// Bad input shared by the core and the window tests: setting texts and catalogue files
// that the dialogs never write.
namespace kvotlk::test {

struct BadValue {
  const char* label;
  std::string text;
};

// What every setting is given in turn.
inline const std::vector<BadValue>& badValues() {
  static const std::vector<BadValue> values = {
      {"leer", ""},
      {"Buchstaben", "abc"},
      {"negativ", "-1"},
      {"über 16 Bit", "70000"},
      {"10000 Ziffern", std::string(10000, '9')},
      {"10000 Buchstaben", std::string(10000, 'x')},
  };
  return values;
}

// How confirmations with each line of the catalogue as the inspector end.
struct Tally {
  int confirmed = 0;
  int tooLong = 0;
  int notWhole = 0;
  bool operator==(const Tally&) const = default;
};

// A catalogue file as bytes on disk, with what the readers of core make of it.
struct BadCatalogue {
  const char* label;
  std::string bytes;
  std::size_t lines;
  Tally inspectors;
  std::vector<std::pair<std::string, std::string>> nestIDs;  // nest number, ID found
};

inline const std::vector<BadCatalogue>& badCatalogues() {
  std::string tenThousand;
  for (int k = 1; k <= 10000; ++k) {
    tenThousand += "(" + std::to_string(k) + ")    Name " + std::to_string(k) + "\r\n";
  }
  std::string highBytes;
  for (int b = 0x80; b <= 0xFF; ++b) {
    highBytes += static_cast<char>(b);
  }
  const std::string x(99992, 'x');
  const std::string ones(99998, '1');
  static const std::vector<BadCatalogue> catalogues = {
      {"ohne Klammern", "12      Name\r\nM\xFCller\r\n", 2, {0, 0, 2}, {{"12", ""}}},
      {"nur Klammern", "()\r\n((((\r\n))))\r\n)(\r\n", 4, {0, 0, 4}, {{"", ""}, {"(", ""}}},
      {"Leerzeilen", "\r\n\r\n(12)    Name\r\n\r\n", 4, {1, 0, 3}, {{"12", "Name"}, {"", ""}}},
      {"10000 Zeilen",
       tenThousand,
       10000,
       {9999, 1, 0},
       {{"9999", "Name 9999"}, {"10000", "Name 10000"}}},
      {"Bytes 0x80-0xFF", "(12)    " + highBytes + "\r\n", 1, {1, 0, 0}, {{"12", highBytes}}},
      {"100000 Zeichen",
       "(1)     " + x + "\r\n(" + ones + ")\r\n",
       2,
       {1, 1, 0},
       {{"1", x}, {ones, ""}}},
      {"ohne letztes Zeilenende",
       "(12)    Name\r\n(3)     Letzte",
       2,
       {2, 0, 0},
       {{"3", "Letzte"}}},
  };
  return catalogues;
}

}  // namespace kvotlk::test
