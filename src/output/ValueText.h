#pragma once

#include <string>
#include <string_view>

// The value lines of the result file.
namespace kvotlk {

// How the values are written: the number of decimals and the operator's decimal
// separator as Windows-1252 bytes.
struct ValueFormat {
  int decimals = 3;
  std::string separator = ",";
};

// Appends the value as FormatFixed writes it, byte for byte. Most values of a
// measurement take an exact integer path that is several times faster; the others
// (zero, very small or large magnitudes, more than five decimals) go through
// FormatFixed itself.
void AppendValue(std::string& out, double value, const ValueFormat& format);

}  // namespace kvotlk
