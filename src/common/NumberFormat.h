#pragma once

#include <string>
#include <string_view>

namespace kvotlk {

// A value as fixed-point text with exactly `decimals` digits after the separator. The
// double is first reduced to its decimal form with 15 significant digits (nearest); that
// decimal form is then rounded half away from zero, so 2.675 gives 2,68 with two digits
// although its binary value lies just below. A minus sign only when the rounded value is
// not zero; the whole integer part, no grouping. NaN and infinities give "nan", "inf" and
// "-inf".
std::string FormatFixed(double value, int decimals, std::string_view decimalSeparator);

}  // namespace kvotlk
