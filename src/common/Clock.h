#pragma once

#include <chrono>
#include <cstdint>
#include <memory>

// Clock and random-source ports.
namespace kvotlk {

struct LocalDateTime {
  int year = 2000;
  int month = 1;
  int day = 1;
  int hour = 0;
  int minute = 0;
  int second = 0;
};

class Clock {
 public:
  virtual ~Clock() = default;
  virtual LocalDateTime now() = 0;
  // Waits before a retry; tests answer at once.
  virtual void sleepFor(std::chrono::milliseconds duration) = 0;
};

class RandomSource {
 public:
  virtual ~RandomSource() = default;
  // A whole number drawn uniformly from 0 .. bound - 1 (bound >= 1).
  virtual std::uint32_t below(std::uint32_t bound) = 0;
};

// The local wall clock.
std::unique_ptr<Clock> makeSystemClock();
// One generator, seeded once from the machine's entropy source.
std::unique_ptr<RandomSource> makeSystemRandom();

}  // namespace kvotlk
