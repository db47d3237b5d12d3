// The result writer and the value formatting over arbitrary capture data and values:
// counters and lists that need not fit each other, NaN, infinities, denormals, ±1e308.
// Whatever CaptureDataProblem lets through must be written whole, in the block format,
// every value line reading back as the value rounded to the chosen decimals.
#include <cmath>
#include <cstdint>
#include <string>

#include "FuzzInput.h"
#include "common/NumberFormat.h"
#include "output/ResultFileText.h"

namespace kvotlk::fuzz {
namespace {

// The fast path of the value lines writes exactly what FormatFixed writes.
void checkValueText(double value, int decimals, PortableLocaleNumbers& numbers) {
  std::string line;
  AppendValue(line, value, ValueFormat{decimals, numbers.decimalSeparator()});
  expect(line == FormatFixed(value, decimals, numbers.decimalSeparator()),
         "AppendValue schreibt wie FormatFixed");
  if (std::isfinite(value)) {
    expectRoundTrip(numbers, line, value, decimals);
  }
}

// The capture refuses an ID with a line end, and the nest ID is part of one catalogue
// line, so the texts the writer gets hold none.
std::string withoutLineEnds(std::string text) {
  std::erase_if(text, [](char c) { return c == '\r' || c == '\n'; });
  return text;
}

std::int16_t smallCount(FuzzInput& in) {
  return in.below(8) == 0 ? in.int16() : static_cast<std::int16_t>(in.below(6));
}

void checkCapturedData(FuzzInput& in) {
  modGlobaleVariablen g;
  g.strArtikel = "A100";
  g.strMaschine = "M7";
  g.strPruefer = "12";
  g.strDatum = "05.12.2026";
  g.strUhrzeit = "09:30";
  g.strAuftrag = "40711";
  g.intNestnummerAmMerkmal = static_cast<std::int16_t>(in.below(3));
  g.arrStichproben.resize(in.below(7));
  for (Stichprobe& sample : g.arrStichproben) {
    const std::size_t names = in.below(6);
    const std::size_t values = in.flag() ? names : in.below(6);
    for (std::size_t i = 0; i < names; ++i) {
      sample.strMerkmal.push_back(withoutLineEnds(in.characteristicId()));
    }
    for (std::size_t i = 0; i < values; ++i) {
      sample.dblMesswert.push_back(in.value());
    }
  }
  g.intAnzStichproben = smallCount(in);
  g.intAnzMerkmale = smallCount(in);
  OrderForm form;
  form.chkNest = static_cast<int>(in.below(3));
  form.lblNestID = withoutLineEnds(in.text(6));
  const std::string separator = in.flag() ? "," : ".";
  checkResultFile(g, form, MakeValueFormat(smallCount(in), separator));
}

}  // namespace
}  // namespace kvotlk::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace kvotlk;
  fuzz::FuzzInput in(data, size);
  PortableLocaleNumbers german = germanNumbers();
  PortableLocaleNumbers english = englishNumbers();
  // A handful of values over every number of decimals, then one capture.
  for (int k = 0; k < 4; ++k) {
    const double value = in.value();
    for (int decimals = 0; decimals <= 9; ++decimals) {
      fuzz::checkValueText(value, decimals, k % 2 == 0 ? german : english);
    }
  }
  fuzz::checkCapturedData(in);
  return 0;
}
