#include "output/ValueText.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>

#include "common/NumberFormat.h"

namespace kvotlk {
namespace {

// Powers of ten up to 10^22, all exact as doubles.
constexpr std::array<double, 23> kPow10 = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                           1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                           1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};

constexpr std::array<std::uint64_t, 20> kPow10Int = [] {
  std::array<std::uint64_t, 20> powers{};
  std::uint64_t p = 1;
  for (auto& power : powers) {
    power = p;
    p *= 10;
  }
  return powers;
}();

constexpr std::uint64_t kLow15 = 100'000'000'000'000;  // the smallest 15-digit number
constexpr int kMaxFastDecimals = 5;
constexpr int kMaxFastKept = 19;  // digits that still fit in 64 bits
constexpr double kLog10Of2 = 0.30102999566398120;

// The value's 15 significant digits, rounded to nearest (ties to even, as the exact
// decimal expansion does), and the decimal exponent of the first of them. False for
// magnitudes outside 1e-7 .. 1e14, which take the general path.
bool fifteenDigits(double magnitude, std::uint64_t& digits, int& exponent) {
  if (!(magnitude >= 1e-7 && magnitude < 1e14)) {
    return false;
  }
  int binaryExponent = 0;
  std::frexp(magnitude, &binaryExponent);
  // floor(log10) or one less; the scaled value below tells which.
  exponent = static_cast<int>(std::floor((binaryExponent - 1) * kLog10Of2));
  auto scaled = [&] { return magnitude * kPow10[static_cast<std::size_t>(14 - exponent)]; };
  double w = scaled();
  if (w >= 1e15) {
    ++exponent;
    w = scaled();
  }
  // The product's rounding error is exact through fma; it decides the rounding.
  const double error = std::fma(magnitude, kPow10[static_cast<std::size_t>(14 - exponent)], -w);
  const double whole = std::floor(w);
  const double aboveHalf = (w - whole - 0.5) + error;
  digits = static_cast<std::uint64_t>(whole);
  if (aboveHalf > 0 || (aboveHalf == 0 && digits % 2 == 1)) {
    ++digits;
  }
  if (digits == 10 * kLow15) {
    digits = kLow15;
    ++exponent;
  }
  return digits >= kLow15 && digits < 10 * kLow15;
}

// round(magnitude * 10^decimals) taken from the 15 digits, halves away from zero.
bool scaledValue(double magnitude, int decimals, std::uint64_t& scaled) {
  std::uint64_t digits = 0;
  int exponent = 0;
  if (decimals < 0 || decimals > kMaxFastDecimals || !fifteenDigits(magnitude, digits, exponent)) {
    return false;
  }
  const int kept = exponent + 1 + decimals;  // digits before the cut
  if (kept > kMaxFastKept) {
    return false;
  }
  if (kept >= 15) {
    scaled = digits * kPow10Int[static_cast<std::size_t>(kept - 15)];
  } else if (kept <= 0) {
    scaled = kept == 0 && digits >= 5 * kLow15 ? 1 : 0;
  } else {
    const std::uint64_t cut = kPow10Int[static_cast<std::size_t>(15 - kept)];
    scaled = digits / cut + (digits % cut >= cut / 2 ? 1 : 0);
  }
  return true;
}

}  // namespace

void AppendValue(std::string& out, double value, const ValueFormat& format) {
  std::uint64_t scaled = 0;
  if (!scaledValue(std::fabs(value), format.decimals, scaled)) {
    out += FormatFixed(value, format.decimals, format.separator);
    return;
  }
  const std::uint64_t unit = kPow10Int[static_cast<std::size_t>(format.decimals)];
  char buffer[48];
  char* end = buffer;
  if (value < 0 && scaled != 0) {
    *end++ = '-';
  }
  end = std::to_chars(end, buffer + sizeof buffer, scaled / unit).ptr;
  out.append(buffer, end);
  if (format.decimals > 0) {
    out += format.separator;
    const auto fraction = std::to_chars(buffer, buffer + sizeof buffer, scaled % unit).ptr;
    const auto length = static_cast<std::size_t>(fraction - buffer);
    out.append(static_cast<std::size_t>(format.decimals) - length, '0');
    out.append(buffer, fraction);
  }
}

}  // namespace kvotlk
