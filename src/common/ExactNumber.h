#pragma once

#include <charconv>
#include <optional>
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

}  // namespace kvotlk
