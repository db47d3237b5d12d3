#pragma once

#include <cstdint>

// The random numbers of the simulated measuring programs. Everything here is integer
// arithmetic and the four basic floating-point operations, which IEEE 754 rounds the same
// way on every platform, so one seed gives the same values on Linux and Windows (the
// distributions of the standard library differ between implementations).
namespace kvotlk::program {

class SimRandom {
 public:
  // A generator for one stream of a seed; run n of a program uses stream n.
  SimRandom(std::uint64_t seed, std::uint64_t stream);

  // SplitMix64.
  std::uint64_t next();
  // Uniform in [0, 1), with 53 random bits.
  double uniform01();
  // Uniform in [low, high).
  double uniform(double low, double high);
  // Approximately normal: the sum of twelve uniform draws less six (mean 0, standard
  // deviation 1, never beyond six deviations), scaled and shifted.
  double normal(double mean, double deviation);

 private:
  std::uint64_t state_;
};

// The value rounded half away from zero to the given decimals (0..9); values too large
// for that precision are returned as they are.
double roundToDecimals(double value, int decimals);

}  // namespace kvotlk::program
