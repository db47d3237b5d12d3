#include "program/SimRandom.h"

#include <array>
#include <cmath>

namespace kvotlk::program {
namespace {

constexpr std::uint64_t kGolden = 0x9E3779B97F4A7C15ULL;

// The finaliser of SplitMix64: spreads every input bit over the whole word.
std::uint64_t mix(std::uint64_t z) {
  z = (z ^ (z >> 30U)) * 0xBF58476D1CE4E5B9ULL;
  z = (z ^ (z >> 27U)) * 0x94D049BB133111EBULL;
  return z ^ (z >> 31U);
}

constexpr int kNormalTerms = 12;
// 2^-53: turns the top 53 bits of a draw into a fraction.
constexpr double kUnit = 1.0 / 9007199254740992.0;
// Beyond 2^52 a double has no fraction left to round.
constexpr double kNoFraction = 4503599627370496.0;

}  // namespace

SimRandom::SimRandom(std::uint64_t seed, std::uint64_t stream)
    : state_(mix(seed) ^ mix(stream * kGolden + 1)) {}

std::uint64_t SimRandom::next() {
  state_ += kGolden;
  return mix(state_);
}

double SimRandom::uniform01() { return static_cast<double>(next() >> 11U) * kUnit; }

double SimRandom::uniform(double low, double high) { return low + (high - low) * uniform01(); }

double SimRandom::normal(double mean, double deviation) {
  double sum = 0.0;
  for (int term = 0; term < kNormalTerms; ++term) {
    sum += uniform01();
  }
  return mean + deviation * (sum - 6.0);
}

double roundToDecimals(double value, int decimals) {
  static constexpr std::array<double, 10> kScale = {1.0, 1e1, 1e2, 1e3, 1e4,
                                                    1e5, 1e6, 1e7, 1e8, 1e9};
  if (decimals < 0 || decimals > 9) {
    return value;
  }
  const double scale = kScale[static_cast<std::size_t>(decimals)];
  const double scaled = value * scale;
  if (!(std::fabs(scaled) < kNoFraction)) {
    return value;
  }
  return std::round(scaled) / scale;
}

}  // namespace kvotlk::program
