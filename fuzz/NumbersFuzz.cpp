// The number rules: typed text read as whole numbers and doubles under German and English
// separators, the two text tests of order entry, and fixed-point text read back.
#include <cmath>
#include <cstdint>
#include <string>

#include "FuzzInput.h"
#include "common/LocaleNumbers.h"
#include "common/NumberFormat.h"
#include "entry/modCheckTyp.h"

namespace kvotlk::fuzz {
namespace {

// The text FormatFixed writes reads back, under the same separator, as a number within
// half a unit of the last place (plus the 15-digit reduction) and gives the same text
// again: the value a result file shows is the value it means.
void checkFixedRoundTrip(PortableLocaleNumbers& numbers, double value, int decimals) {
  const std::string text = FormatFixed(value, decimals, numbers.decimalSeparator());
  const auto back = numbers.toDouble(text);
  expect(back.has_value(), "FormatFixed schreibt eine lesbare Zahl");
  const double unit = std::pow(10.0, -decimals);
  const double allowed = unit / 2 + std::fabs(value) * 1e-14 + 1e-300;
  expect(std::fabs(*back - value) <= allowed, "FormatFixed rundet auf die letzte Stelle");
  expect(FormatFixed(*back, decimals, numbers.decimalSeparator()) == text,
         "FormatFixed gibt für den zurückgelesenen Wert denselben Text");
}

void checkText(PortableLocaleNumbers& numbers, const std::string& text) {
  const auto i32 = numbers.toInt32(text);
  const auto i16 = numbers.toInt16(text);
  const auto real = numbers.toDouble(text);

  expect(!i16 || (i32 && *i32 == *i16), "toInt16 gelingt nur, wo toInt32 denselben Wert gibt");
  expect(!i32 || real.has_value(), "eine ganze Zahl ist auch eine Zahl");
  if (i32 && real) {
    expect(std::fabs(static_cast<double>(*i32) - *real) <= 0.5 + 1e-9,
           "toInt32 rundet auf die nächste ganze Zahl");
  }
  if (real && std::fabs(*real) < 2147483646.0) {
    expect(i32.has_value(), "eine Zahl im 32-Bit-Bereich ist eine ganze Zahl");
  }
  if (real && std::fabs(*real) < 32766.0) {
    expect(i16.has_value(), "eine Zahl im 16-Bit-Bereich ist eine 16-Bit-Zahl");
  }
  expect(IsLong(numbers, text) == i32.has_value(), "IsLong ist toInt32 gelungen");
  if (real) {
    expect(IsNonZeroNumber(numbers, text) == (*real != 0.0), "IsNonZeroNumber einer Zahl");
  }
  if (real && std::isfinite(*real)) {
    for (const int decimals : {0, 1, 3, 5, 9}) {
      checkFixedRoundTrip(numbers, *real, decimals);
    }
  }
}

}  // namespace
}  // namespace kvotlk::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace kvotlk;
  const std::string text(reinterpret_cast<const char*>(data), size);
  PortableLocaleNumbers german = germanNumbers();
  PortableLocaleNumbers english = englishNumbers();
  fuzz::checkText(german, text);
  fuzz::checkText(english, text);
  return 0;
}
