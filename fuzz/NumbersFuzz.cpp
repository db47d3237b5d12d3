// The number rules: typed text read as whole numbers and doubles under German and English
// separators, and fixed-point text read back.
#include <cmath>

#include "FuzzInput.h"
#include "common/LocaleNumbers.h"
#include "common/NumberFormat.h"

namespace kvotlk::fuzz {
namespace {

// The text reads back under the numbers' separator as the value rounded to the decimals
// (within half a unit of the last place and the 15-digit reduction) and gives the same
// text again: the value a result file shows is the value it means.
void expectRoundTrip(PortableLocaleNumbers& numbers, const std::string& text, double value,
                     int decimals) {
  const auto back = numbers.toDouble(text);
  if (!back) {
    // Only a value whose 15 significant digits round past the largest double.
    expect(std::fabs(value) >= 1.797693134862315e308, "ein geschriebener Wert ist eine Zahl");
    return;
  }
  const double allowed = std::pow(10.0, -decimals) / 2 + std::fabs(value) * 1e-14 + 1e-300;
  expect(std::fabs(*back - value) <= allowed,
         "ein geschriebener Wert rundet auf die letzte Stelle");
  expect(FormatFixed(*back, decimals, numbers.decimalSeparator()) == text,
         "zurückgelesen gibt er denselben Text");
}

void checkText(PortableLocaleNumbers& numbers, const std::string& text) {
  const auto i32 = numbers.toInt32(text);
  const auto i16 = numbers.toInt16(text);
  const auto real = numbers.toDouble(text);
  expect(!i16 || (i32 && *i32 == *i16), "toInt16 gelingt nur, wo toInt32 denselben Wert gibt");
  expect(!i32 || (real && std::fabs(*i32 - *real) <= 0.5 + 1e-9),
         "eine ganze Zahl ist die gerundete Zahl");
  expect(!real || std::fabs(*real) >= 2147483646.0 || i32, "eine Zahl im 32-Bit-Bereich ist ganz");
  if (real && std::isfinite(*real)) {
    for (const int decimals : {0, 1, 3, 5, 9}) {
      const std::string fixed = FormatFixed(*real, decimals, numbers.decimalSeparator());
      expectRoundTrip(numbers, fixed, *real, decimals);
    }
  }
}

}  // namespace
}  // namespace kvotlk::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace kvotlk;
  const std::string text(reinterpret_cast<const char*>(data), size);
  for (PortableLocaleNumbers numbers : {germanNumbers(), englishNumbers()}) {
    fuzz::checkText(numbers, text);
  }
  return 0;
}
