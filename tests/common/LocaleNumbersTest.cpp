#include <cmath>
#include <string>

#include <gtest/gtest.h>

#include "common/LocaleNumbers.h"
#include "common/NumberCases.h"

namespace kvotlk::test {
namespace {

void checkTable(LocaleNumbers& numbers, std::span<const NumberCase> cases) {
  for (const NumberCase& c : cases) {
    SCOPED_TRACE(std::string("text \"") + c.text + "\"");
    EXPECT_EQ(numbers.toInt32(c.text), c.asInt32);
    EXPECT_EQ(numbers.toInt16(c.text), c.asInt16);
    EXPECT_EQ(numbers.toDouble(c.text), c.asDouble);
  }
}

TEST(PortableLocaleNumbers, GermanAndEnglishTables) {
  auto german = germanNumbers();
  checkTable(german, kGermanNumberCases);
  auto english = englishNumbers();
  checkTable(english, kEnglishNumberCases);
  // Within the double range a number is other than zero as its value is.
  for (const auto& [table, numbers] :
       {std::pair{std::span<const NumberCase>(kGermanNumberCases), &german},
        std::pair{std::span<const NumberCase>(kEnglishNumberCases), &english}}) {
    for (const NumberCase& c : table) {
      EXPECT_EQ(numbers->isNonZero(c.text), nonZeroOf(c)) << c.text;
    }
  }
  for (const auto& [text, nonZero] : longGermanNumbers()) {
    EXPECT_EQ(german.isNonZero(text), nonZero) << text;
  }
}

// Cases of the portable grammar only; the platform's conversions may read these otherwise.
TEST(PortableLocaleNumbers, GrammarDetails) {
  auto numbers = germanNumbers();
  const NumberCase cases[] = {
      {"\t7\t", 7, 7, 7.0},
      {"12,", 12, 12, 12.0},
      {",5", 0, 0, 0.5},
      {"1.2.3", 123, 123, 123.0},
      {"1.", kFails, kFails, kFails},
      {".1", kFails, kFails, kFails},
      {",", kFails, kFails, kFails},
      {"-", kFails, kFails, kFails},
      {"1e5", kFails, kFails, kFails},
      {"- 5", kFails, kFails, kFails},
      {"99999999999999999999", kFails, kFails, 1e20},
  };
  checkTable(numbers, cases);
}

// A number closer to zero than the smallest double is still a number; one beyond the
// largest is not.
TEST(PortableLocaleNumbers, BeyondTheDoubleRange) {
  auto numbers = germanNumbers();
  const std::string tiny = "0," + std::string(330, '0') + "1";
  const std::string negativeTiny = "-" + tiny;
  const std::string huge = "1" + std::string(330, '0');
  const NumberCase cases[] = {
      {tiny.c_str(), 0, 0, 0.0},
      {negativeTiny.c_str(), 0, 0, -0.0},
      {huge.c_str(), kFails, kFails, kFails},
  };
  checkTable(numbers, cases);
  EXPECT_TRUE(std::signbit(*numbers.toDouble(negativeTiny)));
}

TEST(PortableLocaleNumbers, SeparatorsOfSeveralBytes) {
  PortableLocaleNumbers numbers("\u066B", "\u202F");  // Arabic decimal, narrow no-break space
  EXPECT_EQ(numbers.toDouble("1\u202F234\u066B5"), 1234.5);
  EXPECT_EQ(numbers.decimalSeparator(), "\u066B");
}

}  // namespace
}  // namespace kvotlk::test
