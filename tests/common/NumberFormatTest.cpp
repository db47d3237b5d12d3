#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "common/NumberFormat.h"

namespace kvotlk::test {
namespace {

TEST(FormatFixed, RoundsTheFifteenDigitDecimalFormHalfAwayFromZero) {
  struct Case {
    double value;
    int decimals;
    const char* text;
  };
  const Case cases[] = {
      {2.675, 2, "2,68"},
      {1.005, 2, "1,01"},
      {-0.0125, 3, "-0,013"},
      {0.25, 1, "0,3"},
      {12.34567, 2, "12,35"},
      {12.34567, 4, "12,3457"},
      {12.34567, 5, "12,34567"},
      {12.3456, 3, "12,346"},
      {12.3449, 3, "12,345"},
      {12.35, 3, "12,350"},
      {0.0, 2, "0,00"},
      {-0.0, 3, "0,000"},
      {123456789.5, 1, "123456789,5"},
      {1e15 + 0.5, 1, "1000000000000000,0"},
      {0.0005, 3, "0,001"},
      {0.00049999, 3, "0,000"},
      {-0.0005, 3, "-0,001"},
      {-0.0004, 3, "0,000"},
      {9.9995, 3, "10,000"},
      {-9.9995, 3, "-10,000"},
      {0.1 + 0.2, 15, "0,300000000000000"},
      {5e-324, 3, "0,000"},
      {7.5, 0, "8"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(FormatFixed(c.value, c.decimals, ","), c.text) << c.value << " / " << c.decimals;
  }
}

TEST(FormatFixed, SeparatorAndExtremes) {
  EXPECT_EQ(FormatFixed(12.5, 2, "."), "12.50");
  const std::string huge = FormatFixed(1e308, 3, ",");
  EXPECT_EQ(huge.substr(0, 16), "1000000000000000");
  EXPECT_EQ(huge.size(), 309U + 4U);
  EXPECT_EQ(FormatFixed(-1e308, 1, ",").front(), '-');
  EXPECT_EQ(FormatFixed(std::numeric_limits<double>::quiet_NaN(), 3, ","), "nan");
  EXPECT_EQ(FormatFixed(-std::numeric_limits<double>::infinity(), 3, ","), "-inf");
}

}  // namespace
}  // namespace kvotlk::test
