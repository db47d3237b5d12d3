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

std::string appended(double value, int decimals) {
  std::string out;
  AppendValue(out, value, ValueFormat{decimals, ","});
  return out;
}

// Values where a wrong rounding shows: near powers of ten, near halves at every number
// of decimals, decimal-looking values, and values of every magnitude.
std::vector<double> hardValues() {
  std::mt19937_64 engine(20261205);
  std::vector<double> values;
  for (int k = -9; k <= 16; ++k) {
    const double power = std::pow(10.0, k);
    double v = power;
    for (int step = 0; step < 8; ++step) {
      values.push_back(v);
      values.push_back(-v);
      v = std::nextafter(v, 0.0);
    }
    v = power;
    for (int step = 0; step < 8; ++step) {
      v = std::nextafter(v, 1e300);
      values.push_back(v);
    }
  }
  std::uniform_int_distribution<long long> whole(-99999999, 99999999);
  for (int d = 0; d <= 6; ++d) {
    for (int k = 0; k < 1000; ++k) {
      double half = (static_cast<double>(whole(engine)) + 0.5) / std::pow(10.0, d);
      for (int step = 0; step < 3; ++step) {
        values.push_back(half);
        half = std::nextafter(half, step == 0 ? 1e300 : -1e300);
      }
    }
  }
  std::uniform_real_distribution<double> exponent(-10.0, 16.0);
  std::uniform_real_distribution<double> measured(-50.0, 250.0);
  for (int k = 0; k < 7000; ++k) {
    values.push_back(std::pow(10.0, exponent(engine)) * (k % 2 == 0 ? 1 : -1));
    values.push_back(measured(engine));
    values.push_back(std::round(measured(engine) * 10000.0) / 10000.0);
  }
  constexpr double kMax = std::numeric_limits<double>::max();
  constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
  constexpr double kInf = std::numeric_limits<double>::infinity();
  const double special[] = {
      0.0,        -0.0,   2.675,   1.005,  -0.0125,           0.25,           123456789.5,
      1e15 + 0.5, 0.0005, -0.0005, 9.9995, 99999999999999.95, 1e14 - 0.03125, 5e-324,
      kMax,       kNaN,   -kInf};
  values.insert(values.end(), std::begin(special), std::end(special));
  return values;
}

TEST(AppendValue, WritesWhatFormatFixedWrites) {
  const std::vector<double> values = hardValues();
  int mismatches = 0;
  for (const double value : values) {
    for (int decimals = 0; decimals <= 6 && mismatches < 10; ++decimals) {
      const std::string expected = FormatFixed(value, decimals, ",");
      const std::string actual = appended(value, decimals);
      if (actual != expected) {
        ++mismatches;
        ADD_FAILURE() << std::hexfloat << value << " with " << decimals << ": " << actual
                      << " instead of " << expected;
      }
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
