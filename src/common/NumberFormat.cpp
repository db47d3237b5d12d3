#include "common/NumberFormat.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <string>

namespace kvotlk {
namespace {

constexpr int kSignificantDigits = 15;

// The value's 15 significant digits and the decimal exponent of the first of them.
struct DecimalForm {
  std::string digits;
  int exponent = 0;
};

DecimalForm decimalForm(double magnitude) {
  char buffer[64];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, magnitude,
                                    std::chars_format::scientific, kSignificantDigits - 1);
  const std::string_view text(buffer, static_cast<std::size_t>(result.ptr - buffer));
  const std::size_t e = text.find('e');
  DecimalForm form;
  for (const char c : text.substr(0, e)) {
    if (c != '.') {
      form.digits += c;
    }
  }
  std::size_t exponentStart = e + 1;
  if (text[exponentStart] == '+') {
    ++exponentStart;  // from_chars takes no plus sign
  }
  std::from_chars(text.data() + exponentStart, text.data() + text.size(), form.exponent);
  return form;
}

// Adds one to a string of decimal digits.
void increment(std::string& digits) {
  for (std::size_t k = digits.size(); k-- > 0;) {
    if (digits[k] != '9') {
      ++digits[k];
      return;
    }
    digits[k] = '0';
  }
  digits.insert(digits.begin(), '1');
}

// The digits of round(magnitude * 10^decimals), half away from zero, taken from the
// 15-digit decimal form.
std::string scaledDigits(double magnitude, int decimals) {
  if (magnitude == 0.0) {
    return "0";
  }
  const DecimalForm form = decimalForm(magnitude);
  const long kept = static_cast<long>(form.exponent) + 1 + decimals;  // digits before the cut
  if (kept < 0) {
    return "0";
  }
  const auto keep = static_cast<std::size_t>(kept);
  if (keep >= form.digits.size()) {
    return form.digits + std::string(keep - form.digits.size(), '0');
  }
  std::string digits = form.digits.substr(0, keep);
  if (digits.empty()) {
    digits.push_back('0');  // not assign: GCC 12 warns falsely (-Wrestrict) at -O3
  }
  if (form.digits[keep] >= '5') {
    increment(digits);
  }
  return digits;
}

}  // namespace

std::string FormatFixed(double value, int decimals, std::string_view decimalSeparator) {
  if (std::isnan(value)) {
    return "nan";
  }
  if (std::isinf(value)) {
    return value < 0 ? "-inf" : "inf";
  }
  const auto places = static_cast<std::size_t>(decimals < 0 ? 0 : decimals);
  std::string digits = scaledDigits(std::fabs(value), static_cast<int>(places));
  if (digits.size() <= places) {
    digits.insert(0, places + 1 - digits.size(), '0');
  }
  const std::size_t first = digits.find_first_not_of('0');
  std::string whole = digits.substr(0, digits.size() - places);
  whole.erase(0, std::min(whole.find_first_not_of('0'), whole.size() - 1));
  std::string text = (value < 0 && first != std::string::npos) ? "-" : "";
  text += whole;
  if (places > 0) {
    text += decimalSeparator;
    text += digits.substr(digits.size() - places);
  }
  return text;
}

}  // namespace kvotlk
