#include <gtest/gtest.h>

#include "common/LocaleNumbers.h"
#include "entry/modCheckTyp.h"

namespace kvotlk::test {
namespace {

// IsLong is the 32-bit conversion of the number rules; their table covers it.
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
