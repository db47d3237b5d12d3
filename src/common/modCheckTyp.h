#pragma once

#include <string_view>

// The two text tests of order entry.
namespace kvotlk {

class LocaleNumbers;

// True when the text converts to a 32-bit signed whole number under the operator's number
// rules (blanks around it ignored, a fraction rounded away).
bool IsLong(LocaleNumbers& numbers, std::string_view text);

// True when the text reads as the Boolean true: a number other than zero (any number of
// digits, a fraction allowed), or the word "True" as the platform's Boolean conversion
// reads it.
bool IsNonZeroNumber(LocaleNumbers& numbers, std::string_view text);

}  // namespace kvotlk
