#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>
#include <vector>

#include "common/NumberFormat.h"
#include "output/ResultFileText.h"
#include "output/ValueText.h"

namespace kvotlk::test {
namespace {

// Values where a wrong rounding shows: near powers of ten, near halves at every number
// of decimals, decimal-looking values, and values of every magnitude.
std::vector<double> hardValues() {
  std::vector<double> values = {0.0,
                                -0.0,
                                2.675,
                                1.005,
                                -0.0125,
                                0.25,
                                123456789.5,
                                1e15 + 0.5,
                                0.0005,
                                -0.0005,
                                9.9995,
                                99999999999999.95,
                                1e14 - 0.03125,
                                5e-324,
                                std::numeric_limits<double>::max(),
                                std::numeric_limits<double>::quiet_NaN(),
                                -HUGE_VAL};
  for (int k = -9; k <= 16; ++k) {
    double below = std::pow(10.0, k);
    double above = below;
    for (int step = 0; step < 8; ++step) {
      values.insert(values.end(), {below, -below, above});
      below = std::nextafter(below, 0.0);
      above = std::nextafter(above, 1e300);
    }
  }
  std::mt19937_64 engine(20261205);
  std::uniform_int_distribution<long long> whole(-99999999, 99999999);
  for (int d = 0; d <= 6; ++d) {
    for (int k = 0; k < 1000; ++k) {
      const double half = (static_cast<double>(whole(engine)) + 0.5) / std::pow(10.0, d);
      values.insert(values.end(),
                    {half, std::nextafter(half, 1e300), std::nextafter(half, -1e300)});
    }
  }
  std::uniform_real_distribution<double> exponent(-10.0, 16.0);
  std::uniform_real_distribution<double> measured(-50.0, 250.0);
  for (int k = 0; k < 7000; ++k) {
    values.insert(values.end(),
                  {std::pow(10.0, exponent(engine)) * (k % 2 == 0 ? 1 : -1), measured(engine),
                   std::round(measured(engine) * 10000.0) / 10000.0});
  }
  return values;
}

TEST(AppendValue, WritesWhatFormatFixedWrites) {
  int mismatches = 0;
  for (const double value : hardValues()) {
    for (int decimals = 0; decimals <= 6 && mismatches < 10; ++decimals) {
      std::string actual;
      AppendValue(actual, value, ValueFormat{decimals, ","});
      const std::string expected = FormatFixed(value, decimals, ",");
      EXPECT_EQ(actual, expected) << std::hexfloat << value << " with " << decimals;
      mismatches += actual == expected ? 0 : 1;
    }
  }
}

// The separator of the number rules arrives in UTF-8 and is written in Windows-1252.
TEST(AppendValue, AppendsWithTheSeparator) {
  std::string out = "x";
  AppendValue(out, -12.3456, ValueFormat{2, "."});
  AppendValue(out, 7.0, MakeValueFormat(1, "\u00B7"));
  EXPECT_EQ(out,
            "x-12.357\xB7"
            "0");
}

}  // namespace
}  // namespace kvotlk::test
