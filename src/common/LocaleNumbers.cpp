#include "common/LocaleNumbers.h"

#include <charconv>
#include <limits>
#include <utility>

namespace kvotlk {
namespace {

// A number taken apart: sign, integer digits and fraction digits, separators gone.
struct ParsedNumber {
  bool negative = false;
  std::string whole;
  std::string fraction;
};

bool isBlank(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

bool isDigit(char c) { return c >= '0' && c <= '9'; }

bool startsWith(std::string_view text, std::size_t pos, std::string_view part) {
  return !part.empty() && text.substr(pos, part.size()) == part;
}

std::optional<ParsedNumber> parseNumber(std::string_view text, std::string_view decimal,
                                        std::string_view group) {
  std::size_t begin = 0;
  std::size_t end = text.size();
  while (begin < end && isBlank(text[begin])) {
    ++begin;
  }
  while (end > begin && isBlank(text[end - 1])) {
    --end;
  }
  const std::string_view body = text.substr(begin, end - begin);
  ParsedNumber number;
  std::size_t pos = 0;
  if (pos < body.size() && (body[pos] == '+' || body[pos] == '-')) {
    number.negative = body[pos] == '-';
    ++pos;
  }
  while (pos < body.size()) {
    if (isDigit(body[pos])) {
      number.whole += body[pos++];
    } else if (startsWith(body, pos, group) && !number.whole.empty() &&
               pos + group.size() < body.size() && isDigit(body[pos + group.size()])) {
      pos += group.size();
    } else {
      break;
    }
  }
  if (startsWith(body, pos, decimal)) {
    pos += decimal.size();
    while (pos < body.size() && isDigit(body[pos])) {
      number.fraction += body[pos++];
    }
  }
  if (pos != body.size() || (number.whole.empty() && number.fraction.empty())) {
    return std::nullopt;
  }
  return number;
}

// Rounds half to even to a whole number; nullopt when it does not fit in 64 bits.
std::optional<std::int64_t> roundHalfEven(const ParsedNumber& number) {
  const std::size_t firstNonZero = number.whole.find_first_not_of('0');
  const std::string_view digits = firstNonZero == std::string::npos
                                      ? std::string_view{}
                                      : std::string_view(number.whole).substr(firstNonZero);
  if (digits.size() > 18) {
    return std::nullopt;
  }
  std::int64_t magnitude = 0;
  for (const char d : digits) {
    magnitude = magnitude * 10 + (d - '0');
  }
  if (!number.fraction.empty()) {
    const char first = number.fraction.front();
    const bool restNonZero = number.fraction.find_first_not_of('0', 1) != std::string::npos;
    const bool up = first > '5' || (first == '5' && (restNonZero || magnitude % 2 == 1));
    if (up) {
      ++magnitude;
    }
  }
  return number.negative ? -magnitude : magnitude;
}

template <typename Int>
std::optional<Int> toWhole(const std::optional<ParsedNumber>& parsed) {
  if (!parsed) {
    return std::nullopt;
  }
  const auto value = roundHalfEven(*parsed);
  if (!value || *value < std::numeric_limits<Int>::min() ||
      *value > std::numeric_limits<Int>::max()) {
    return std::nullopt;
  }
  return static_cast<Int>(*value);
}

}  // namespace

PortableLocaleNumbers::PortableLocaleNumbers(std::string decimalSeparator,
                                             std::string groupSeparator)
    : decimal_(std::move(decimalSeparator)), group_(std::move(groupSeparator)) {}

std::optional<std::int32_t> PortableLocaleNumbers::toInt32(std::string_view text) {
  return toWhole<std::int32_t>(parseNumber(text, decimal_, group_));
}

std::optional<std::int16_t> PortableLocaleNumbers::toInt16(std::string_view text) {
  return toWhole<std::int16_t>(parseNumber(text, decimal_, group_));
}

std::optional<double> PortableLocaleNumbers::toDouble(std::string_view text) {
  const auto parsed = parseNumber(text, decimal_, group_);
  if (!parsed) {
    return std::nullopt;
  }
  std::string plain = parsed->negative ? "-" : "";
  plain += parsed->whole.empty() ? "0" : parsed->whole;
  if (!parsed->fraction.empty()) {
    plain += '.';
    plain += parsed->fraction;
  }
  double value = 0.0;
  const auto result = std::from_chars(plain.data(), plain.data() + plain.size(), value);
  const bool belowOne = parsed->whole.find_first_not_of('0') == std::string::npos;
  if (result.ec == std::errc::result_out_of_range && belowOne) {
    // Closer to zero than the smallest double: still a number, and zero is the nearest.
    return parsed->negative ? -0.0 : 0.0;
  }
  if (result.ec != std::errc{} || result.ptr != plain.data() + plain.size()) {
    return std::nullopt;
  }
  return value;
}

std::optional<bool> PortableLocaleNumbers::isNonZero(std::string_view text) {
  const auto parsed = parseNumber(text, decimal_, group_);
  if (!parsed) {
    return std::nullopt;
  }
  const auto nonZero = [](const std::string& digits) {
    return digits.find_first_not_of('0') != std::string::npos;
  };
  return nonZero(parsed->whole) || nonZero(parsed->fraction);
}

PortableLocaleNumbers germanNumbers() { return {",", "."}; }
PortableLocaleNumbers englishNumbers() { return {".", ","}; }

}  // namespace kvotlk
