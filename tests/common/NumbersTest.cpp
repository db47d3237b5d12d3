#include <gtest/gtest.h>

#include <cmath>

#include "common/LocaleNumbers.h"
#include "common/NumberCases.h"
#include "common/NumberFormat.h"

namespace kvotlk::test {
namespace {

// deutsch and englisch are shared with the Windows conversions; grammatik holds what only
// the portable parser decides, such as a number below the smallest double keeping its sign.
TEST(PortableLocaleNumbers, TheTablesOfZahlenTxt) {
  auto german = germanNumbers();
  auto english = englishNumbers();
  for (const auto& [section, numbers] : {std::pair<const char*, LocaleNumbers*>{"deutsch", &german},
                                         {"englisch", &english},
                                         {"grammatik", &german}}) {
    for (const NumberCase& c : numberCases(section)) {
      SCOPED_TRACE(std::string(section) + " \"" + c.text.substr(0, 40) + "\"");
      EXPECT_EQ(numbers->toInt32(c.text), c.asInt32);
      EXPECT_EQ(numbers->toInt16(c.text), c.asInt16);
      const auto asDouble = numbers->toDouble(c.text);
      EXPECT_EQ(asDouble, c.asDouble);
      if (std::string_view(section) != "grammatik") {  // there the text decides, not a double
        EXPECT_EQ(numbers->isNonZero(c.text), nonZeroOf(c));
      }
      if (asDouble && c.asDouble && *c.asDouble == 0.0) {
        EXPECT_EQ(std::signbit(*asDouble), std::signbit(*c.asDouble));
      }
    }
  }
  for (const auto& [text, nonZero] : longGermanNumbers()) {
    EXPECT_EQ(german.isNonZero(text), nonZero) << text.size();
  }
  PortableLocaleNumbers arabic("\u066B", "\u202F");  // separators of several bytes
  EXPECT_EQ(arabic.toDouble("1\u202F234\u066B5"), 1234.5);
}

TEST(FormatFixed, TheFormatTableOfZahlenTxt) {
  for (const auto& [text, fields] : tableRows("format")) {
    const double value = std::strtod(fields.at(0).c_str(), nullptr);
    EXPECT_EQ(FormatFixed(value, std::stoi(fields.at(1)), ","), text)
        << fields[0] << " / " << fields[1];
  }
  EXPECT_EQ(FormatFixed(12.5, 2, "."), "12.50");
}

}  // namespace
}  // namespace kvotlk::test
