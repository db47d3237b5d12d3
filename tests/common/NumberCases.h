#pragma once

#include <cstdint>
#include <cstdlib>
#include <optional>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "common/NumberTableText.h"

// Number conversions under the operator's separators, read from tests/common/zahlen.txt.
// Its sections deutsch and englisch check the portable parser and, on Windows, the
// platform's own conversions, so they hold only cases on which both must agree.
namespace kvotlk::test {

// The quoted text and the fields after it.
using TableRow = std::pair<std::string, std::vector<std::string>>;

// The rows of one [section]: the quoted text, then its fields.
inline std::vector<TableRow> tableRows(const std::string& section) {
  std::istringstream table(kNumberTableText);
  std::vector<TableRow> rows;
  std::string current;
  for (std::string line; std::getline(table, line);) {
    if (line.starts_with('[')) {
      current = line.substr(1, line.size() - 2);
    } else if (current == section && line.starts_with('"')) {
      const std::size_t close = line.find('"', 1);
      std::istringstream fields(line.substr(close + 1));
      rows.push_back({line.substr(1, close - 1), {}});
      for (std::string field; fields >> field;) {
        rows.back().second.push_back(field);
      }
    }
  }
  return rows;
}

struct NumberCase {
  std::string text;
  std::optional<std::int32_t> asInt32;
  std::optional<std::int16_t> asInt16;
  std::optional<double> asDouble;
};

inline std::vector<NumberCase> numberCases(const std::string& section) {
  std::vector<NumberCase> cases;
  for (const TableRow& row : tableRows(section)) {
    std::optional<double> n[3];  // "-": no number
    for (std::size_t k = 0; k < 3; ++k) {
      if (row.second.at(k) != "-") {
        n[k] = std::strtod(row.second[k].c_str(), nullptr);
      }
    }
    cases.push_back({row.first, n[0], n[1], n[2]});
  }
  return cases;
}

// Whether a number of the tables is other than zero; nullopt when it is none.
inline std::optional<bool> nonZeroOf(const NumberCase& c) {
  return c.asDouble ? std::optional<bool>(*c.asDouble != 0.0) : std::nullopt;
}

// German numbers beyond the double range, and whether they are other than zero.
inline std::vector<std::pair<std::string, bool>> longGermanNumbers() {
  return {{"1" + std::string(309, '0'), true},
          {"-0," + std::string(380, '0') + "1", true},
          {std::string(400, '0'), false},
          {"0," + std::string(400, '0'), false}};
}

inline const std::vector<NumberCase> kGermanNumberCases = numberCases("deutsch");
inline const std::vector<NumberCase> kEnglishNumberCases = numberCases("englisch");

}  // namespace kvotlk::test
