#pragma once

#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <string>
#include <string_view>

// The fuzzer's bytes read as a stream of small decisions. Past the end every read answers
// zero or empty, so a harness never has to test for the end itself.
namespace kvotlk::fuzz {

using Limits = std::numeric_limits<double>;
constexpr double kNaN = Limits::quiet_NaN();
constexpr double kInf = Limits::infinity();
constexpr double kTiny = Limits::denorm_min();
constexpr double kSmallest = Limits::min();
constexpr double kLargest = Limits::max();

// Halves and near-halves of the rounding rules, the ends of the double range and the
// special values the CMM software could hand over.
constexpr std::array<double, 26> kValues = {
    0.0,      -0.0,      kNaN,  kInf,    -kInf,    kTiny,        -kTiny,      kSmallest,
    kLargest, -kLargest, 1e308, -1e308,  2.675,    1.005,        -0.0125,     0.25,
    0.5,      2.5,       -2.5,  12.3456, 12.34567, 999999.99995, 123456789.5, 9.9999999999999995e14,
    1e-7,     4.35};

constexpr std::array<std::string_view, 16> kIds = {
    "",     "101",        "7",          "0",   "-5",    "12a",   "123456", "1234567",
    " 42 ", "2147483647", "2147483648", "1,5", "1.000", "\n101", "10\r",   "\xC3\xBC"};

class FuzzInput {
 public:
  FuzzInput(const std::uint8_t* data, std::size_t size)
      : bytes_(reinterpret_cast<const char*>(data), size) {}

  bool empty() const { return pos_ >= bytes_.size(); }
  std::uint8_t byte() { return empty() ? 0 : static_cast<std::uint8_t>(bytes_[pos_++]); }
  bool flag() { return (byte() & 1U) != 0; }
  // A number from 0 to count - 1; count must be at least 1.
  std::size_t below(std::size_t count) { return (count <= 256 ? byte() : bits(2)) % count; }
  std::int16_t int16() { return static_cast<std::int16_t>(bits(2)); }
  std::int32_t int32() { return static_cast<std::int32_t>(bits(4)); }
  // Mostly one of kValues, else a measured value of four decimals, else any bits: every
  // NaN, infinity and denormal can come up.
  double value() {
    const std::uint8_t choice = byte();
    if (choice < kValues.size() * 4) {
      return kValues[choice % kValues.size()];
    }
    return choice < 200 ? int32() / 10000.0 : std::bit_cast<double>(bits(8));
  }
  // A length byte (at most maxLength) and that many bytes.
  std::string text(std::size_t maxLength) {
    std::string out(bytes_.substr(std::min(pos_, bytes_.size()), below(maxLength + 1)));
    pos_ += out.size();
    return out;
  }
  // Mostly a characteristic ID worth trying, else a few raw bytes.
  std::string characteristicId() {
    const std::uint8_t choice = byte();
    return choice < kIds.size() * 12 ? std::string(kIds[choice % kIds.size()]) : text(12);
  }

 private:
  // The next bytes, big-endian.
  std::uint64_t bits(int bytes) {
    std::uint64_t out = 0;
    for (int i = 0; i < bytes; ++i) {
      out = (out << 8U) | byte();
    }
    return out;
  }

  std::string_view bytes_;
  std::size_t pos_ = 0;
};

// Reports a broken promise and aborts, so that libFuzzer keeps the input as a crash.
inline void expect(bool condition, std::string_view promise) {
  if (!condition) {
    std::fprintf(stderr, "Zusage verletzt: %.*s\n", static_cast<int>(promise.size()),
                 promise.data());
    std::abort();
  }
}

}  // namespace kvotlk::fuzz
