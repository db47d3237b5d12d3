#include "common/Clock.h"

#include <ctime>
#include <random>
#include <thread>

namespace kvotlk {
namespace {

class SystemClock final : public Clock {
 public:
  LocalDateTime now() override {
    const std::time_t t = std::time(nullptr);
    std::tm local{};
#ifdef _WIN32
    localtime_s(&local, &t);
#else
    localtime_r(&t, &local);
#endif
    return {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday,
            local.tm_hour,        local.tm_min,     local.tm_sec};
  }
  void sleepFor(std::chrono::milliseconds duration) override {
    std::this_thread::sleep_for(duration);
  }
};

class SystemRandom final : public RandomSource {
 public:
  SystemRandom() {
    std::random_device device;
    std::seed_seq seed{device(), device(), device(), device()};
    engine_.seed(seed);
  }
  std::uint32_t below(std::uint32_t bound) override {
    std::uniform_int_distribution<std::uint32_t> pick(0, bound - 1);
    return pick(engine_);
  }

 private:
  std::mt19937 engine_;
};

}  // namespace

std::unique_ptr<Clock> makeSystemClock() { return std::make_unique<SystemClock>(); }
std::unique_ptr<RandomSource> makeSystemRandom() { return std::make_unique<SystemRandom>(); }

}  // namespace kvotlk
