#pragma once

#include <array>
#include <charconv>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>

namespace kvotlk {

// The whole text as a number in the plain form std::from_chars reads: an optional minus
// sign, digits, for a floating-point type "." and an exponent (and "inf" and "nan", which
// a caller that needs a finite value refuses itself); no blanks, no plus sign.
// nullopt for an empty text, anything left over, or a number outside the type's range.
// For the texts that programs write for programs (protocol fields, command lines), never
// for what an operator types.
template <typename Number>
std::optional<Number> ParseExact(std::string_view text) {
  Number value{};
  const char* const end = text.data() + text.size();
  const auto [stop, error] = std::from_chars(text.data(), end, value);
  if (text.empty() || error != std::errc() || stop != end) {
    return std::nullopt;
  }
  return value;
}

// The shortest text ParseExact<double> reads back as the very same double
// ("0.30000000000000004", "-0", "5e-324", "nan"), for values that must survive a file or a
// link unchanged.
inline std::string ExactText(double value) {
  std::array<char, 32> buffer{};
  const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value);
  return {buffer.data(), result.ptr};
}

}  // namespace kvotlk
