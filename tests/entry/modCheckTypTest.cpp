#include <gtest/gtest.h>

#include "common/LocaleNumbers.h"
#include "entry/modCheckTyp.h"

namespace kvotlk::test {
namespace {

TEST(IsLong, WholeNumbersOfThirtyTwoBits) {
  auto numbers = germanNumbers();
  const std::pair<const char*, bool> cases[] = {
      {"4711", true}, {" 12 ", true},       {"2,5", true},         {"-3", true},
      {"0", true},    {"2147483647", true}, {"2147483648", false}, {"", false},
      {"12a", false}, {"(12)", false},      {"1.234", true},
  };
  for (const auto& [text, expected] : cases) {
    EXPECT_EQ(IsLong(numbers, text), expected) << text;
  }
}

TEST(IsNonZeroNumber, OrderNumbers) {
  auto numbers = germanNumbers();
  const std::pair<const char*, bool> cases[] = {
      {"4711", true}, {"12345678901234", true}, {"0,5", true},    {"-1", true},
      {"0", false},   {"0000", false},          {"", false},      {"A123", false},
      {"0,0", false}, {"True", true},           {"false", false},
  };
  for (const auto& [text, expected] : cases) {
    EXPECT_EQ(IsNonZeroNumber(numbers, text), expected) << text;
  }
}

}  // namespace
}  // namespace kvotlk::test
