#include "FuzzInput.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstdio>
#include <cstdlib>
#include <limits>

namespace kvotlk::fuzz {
namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();

// Halves and near-halves of the rounding rules, the ends of the double range and the
// special values the CMM software could hand over.
constexpr std::array<double, 26> kValues = {0.0,
                                            -0.0,
                                            std::numeric_limits<double>::quiet_NaN(),
                                            kInf,
                                            -kInf,
                                            std::numeric_limits<double>::denorm_min(),
                                            -std::numeric_limits<double>::denorm_min(),
                                            std::numeric_limits<double>::min(),
                                            std::numeric_limits<double>::max(),
                                            std::numeric_limits<double>::lowest(),
                                            1e308,
                                            -1e308,
                                            2.675,
                                            1.005,
                                            -0.0125,
                                            0.25,
                                            0.5,
                                            2.5,
                                            -2.5,
                                            12.3456,
                                            12.34567,
                                            999999.99995,
                                            123456789.5,
                                            9.9999999999999995e14,
                                            1e-7,
                                            4.35};

constexpr std::array<std::string_view, 16> kIds = {
    "",     "101",        "7",          "0",   "-5",    "12a",   "123456", "1234567",
    " 42 ", "2147483647", "2147483648", "1,5", "1.000", "\n101", "10\r",   "\xC3\xBC"};

}  // namespace

FuzzInput::FuzzInput(const std::uint8_t* data, std::size_t size)
    : bytes_(reinterpret_cast<const char*>(data), size) {}

std::uint8_t FuzzInput::byte() {
  if (empty()) {
    return 0;
  }
  return static_cast<std::uint8_t>(bytes_[pos_++]);
}

std::size_t FuzzInput::below(std::size_t count) {
  if (count <= 256) {
    return byte() % count;
  }
  const std::size_t wide = (static_cast<std::size_t>(byte()) << 8U) | byte();
  return wide % count;
}

std::int16_t FuzzInput::int16() {
  const auto high = static_cast<std::uint16_t>(byte() << 8U);
  return static_cast<std::int16_t>(high | byte());
}

std::int32_t FuzzInput::int32() {
  std::uint32_t bits = 0;
  for (int i = 0; i < 4; ++i) {
    bits = (bits << 8U) | byte();
  }
  return static_cast<std::int32_t>(bits);
}

double FuzzInput::rawDouble() {
  std::uint64_t bits = 0;
  for (int i = 0; i < 8; ++i) {
    bits = (bits << 8U) | byte();
  }
  return std::bit_cast<double>(bits);
}

double FuzzInput::value() {
  const std::uint8_t choice = byte();
  if (choice < kValues.size() * 4) {
    return kValues[choice % kValues.size()];
  }
  if (choice < 200) {
    // Measured values as a CMM gives them: a few decimals, sometimes negative.
    return static_cast<double>(int32()) / 10000.0;
  }
  return rawDouble();
}

std::string FuzzInput::text(std::size_t maxLength) {
  const std::size_t length = below(maxLength + 1);
  const std::size_t available = bytes_.size() - std::min(pos_, bytes_.size());
  const std::size_t taken = std::min(length, available);
  std::string out(bytes_.substr(pos_, taken));
  pos_ += taken;
  return out;
}

std::string FuzzInput::characteristicId() {
  const std::uint8_t choice = byte();
  if (choice < kIds.size() * 12) {
    return std::string(kIds[choice % kIds.size()]);
  }
  return text(12);
}

std::string FuzzInput::rest() {
  if (empty()) {
    return {};
  }
  std::string out(bytes_.substr(pos_));
  pos_ = bytes_.size();
  return out;
}

void expect(bool condition, std::string_view promise) {
  if (condition) {
    return;
  }
  std::fprintf(stderr, "Zusage verletzt: %.*s\n", static_cast<int>(promise.size()), promise.data());
  std::abort();
}

}  // namespace kvotlk::fuzz
