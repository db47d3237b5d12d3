#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <utility>
#include <vector>

// Number conversions under the operator's separators. The same table checks the portable
// parser and, on Windows, the platform's own conversions, so it holds only cases on
// which both must agree.
namespace kvotlk::test {

struct NumberCase {
  const char* text;
  std::optional<std::int32_t> asInt32;
  std::optional<std::int16_t> asInt16;
  std::optional<double> asDouble;
};

inline constexpr std::nullopt_t kFails = std::nullopt;

// Decimal separator ",", group separator ".".
inline constexpr NumberCase kGermanNumberCases[] = {
    {"12", 12, 12, 12.0},
    {" 12 ", 12, 12, 12.0},
    {"12,5", 12, 12, 12.5},
    {"2,5", 2, 2, 2.5},
    {"3,5", 4, 4, 3.5},
    {"2,51", 3, 3, 2.51},
    {"-2,5", -2, -2, -2.5},
    {"0,4", 0, 0, 0.4},
    {"1.234", 1234, 1234, 1234.0},
    {"1.234,5", 1234, 1234, 1234.5},
    {"+7", 7, 7, 7.0},
    {"-0", 0, 0, 0.0},
    {"000", 0, 0, 0.0},
    {"32767", 32767, 32767, 32767.0},
    {"32768", 32768, kFails, 32768.0},
    {"-32768", -32768, -32768, -32768.0},
    {"-32769", -32769, kFails, -32769.0},
    {"32767,5", 32768, kFails, 32767.5},
    {"2147483647", 2147483647, kFails, 2147483647.0},
    {"2147483648", kFails, kFails, 2147483648.0},
    {"-2147483648", -2147483647 - 1, kFails, -2147483648.0},
    {"12345678901234", kFails, kFails, 12345678901234.0},
    {"", kFails, kFails, kFails},
    {"   ", kFails, kFails, kFails},
    {"12a", kFails, kFails, kFails},
    {"A123", kFails, kFails, kFails},
    {"1 2", kFails, kFails, kFails},
    {"1,2,3", kFails, kFails, kFails},
    {"--1", kFails, kFails, kFails},
};

// Decimal separator ".", group separator ",".
inline constexpr NumberCase kEnglishNumberCases[] = {
    {"12", 12, 12, 12.0},
    {" 12 ", 12, 12, 12.0},
    {"12.5", 12, 12, 12.5},
    {"2.5", 2, 2, 2.5},
    {"3.5", 4, 4, 3.5},
    {"1,234", 1234, 1234, 1234.0},
    {"1,234.5", 1234, 1234, 1234.5},
    {"-0", 0, 0, 0.0},
    {"32768", 32768, kFails, 32768.0},
    {"2147483648", kFails, kFails, 2147483648.0},
    {"", kFails, kFails, kFails},
    {"12a", kFails, kFails, kFails},
    {"1.2.3", kFails, kFails, kFails},
};

// Whether a number of the tables is other than zero; nullopt when it is none.
inline std::optional<bool> nonZeroOf(const NumberCase& c) {
  return c.asDouble ? std::optional<bool>(*c.asDouble != 0.0) : std::nullopt;
}

// German numbers beyond the double range, and whether they are other than zero.
inline std::vector<std::pair<std::string, bool>> longGermanNumbers() {
  return {{"1" + std::string(309, '0'), true},
          {"-0," + std::string(380, '0') + "1", true},
          {std::string(400, '0'), false},
          {"0," + std::string(400, '0'), false}};
}

}  // namespace kvotlk::test
