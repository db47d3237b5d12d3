// The result writer and the value formatting over arbitrary capture data and values:
// counters and lists that need not fit each other, NaN, infinities, denormals, ±1e308.
// Whatever CaptureDataProblem lets through must be written whole, in the block format,
// every value line reading back as the value rounded to the chosen decimals.
#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

#include "FuzzInput.h"
#include "app/modGlobaleVariablen.h"
#include "common/LocaleNumbers.h"
#include "common/NumberFormat.h"
#include "common/Text.h"
#include "entry/OrderForm.h"
#include "output/ResultFileText.h"
#include "output/ValueText.h"

namespace kvotlk::fuzz {
namespace {

// The largest double that keeps its 15-digit decimal form within the double range.
constexpr double kLargestFifteenDigits = 1.797693134862315e308;

// The fast path of the value lines writes exactly what FormatFixed writes, and the text
// reads back as the value rounded to the decimals.
void checkValueText(double value, int decimals, PortableLocaleNumbers& numbers) {
  const std::string separator = numbers.decimalSeparator();
  std::string line;
  AppendValue(line, value, ValueFormat{decimals, separator});
  expect(line == FormatFixed(value, decimals, separator), "AppendValue schreibt wie FormatFixed");
  if (!std::isfinite(value)) {
    return;
  }
  const auto back = numbers.toDouble(line);
  if (!back) {
    // Only a value whose 15 significant digits round past the largest double.
    expect(std::fabs(value) >= kLargestFifteenDigits, "eine Wertzeile ist eine Zahl");
    return;
  }
  const double allowed = std::pow(10.0, -decimals) / 2 + std::fabs(value) * 1e-14 + 1e-300;
  expect(std::fabs(*back - value) <= allowed, "eine Wertzeile rundet den Wert");
  expect(FormatFixed(*back, decimals, separator) == line, "eine Wertzeile ist stabil");
  const std::size_t point = line.find(separator);
  const std::size_t digits = point == std::string::npos ? 0 : line.size() - point - 1;
  expect(digits == static_cast<std::size_t>(decimals), "genau d Nachkommastellen");
  expect(line.front() != '-' || *back != 0.0, "kein Minus vor einer Null");
}

// The capture refuses an ID with a line end, and the nest ID is part of one catalogue
// line, so the texts the writer gets hold none. (A lone CR inside a hand-edited catalogue
// line would still reach the "CHARGE=" line; docs/fuzzing.md names it.)
std::string withoutLineEnds(std::string text) {
  std::erase_if(text, [](char c) { return c == '\r' || c == '\n'; });
  return text;
}

Stichprobe anySample(FuzzInput& in) {
  Stichprobe sample;
  const std::size_t names = in.below(6);
  const std::size_t values = in.flag() ? names : in.below(6);
  for (std::size_t i = 0; i < names; ++i) {
    sample.strMerkmal.push_back(withoutLineEnds(in.characteristicId()));
  }
  for (std::size_t i = 0; i < values; ++i) {
    sample.dblMesswert.push_back(in.value());
  }
  return sample;
}

std::int16_t smallCount(FuzzInput& in) {
  return in.below(8) == 0 ? in.int16() : static_cast<std::int16_t>(in.below(6));
}

std::vector<std::string> linesOf(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  for (auto end = text.find("\r\n"); end != std::string::npos; end = text.find("\r\n", start)) {
    lines.push_back(text.substr(start, end - start));
    start = end + 2;
  }
  expect(start == text.size(), "die letzte Zeile endet mit CR LF");
  return lines;
}

// Reads the blocks of a written file back and compares them with the data.
void checkFile(const std::string& text, const modGlobaleVariablen& g, const OrderForm& form,
               int decimals, const std::string& separator) {
  const std::vector<std::string> lines = linesOf(text);
  const auto n = static_cast<std::size_t>(g.intAnzStichproben);
  const auto m = static_cast<std::size_t>(g.intAnzMerkmale);
  std::size_t at = 7 + (NestIdInHead(g, form) ? 2 : 0);
  expect(lines.size() == at + m * (7 + n) + 1, "die Datei hat die Zeilen des Blockformats");
  expect(lines.front() == "BEGINN_MESSUNG" && lines.back() == "ENDE_MESSUNG", "Anfang und Ende");
  for (std::size_t i = 1; i <= m; ++i) {
    expect(lines[at] == "UMFANG=" + DecimalText(static_cast<long long>(n)), "UMFANG=n");
    expect(lines[at + 1] == "MERKMAL=" + toCp1252(g.arrStichproben[1].strMerkmal[i]),
           "MERKMAL= mit der ID aus Stichprobe 1");
    expect(lines[at + 3] == "BEGINN_WERTE" && lines[at + 4 + n] == "ENDE_WERTE", "Werteblock");
    for (std::size_t j = 1; j <= n; ++j) {
      const double value = g.arrStichproben[j].dblMesswert[i];
      expect(lines[at + 3 + j] == toCp1252(FormatFixed(value, decimals, separator)),
             "die Wertzeile ist der gerundete Wert");
    }
    at += 7 + n;
  }
}

void checkResultFile(FuzzInput& in) {
  modGlobaleVariablen g;
  g.strArtikel = "A100";
  g.strMaschine = "M7";
  g.strPruefer = "12";
  g.strDatum = "05.12.2026";
  g.strUhrzeit = "09:30";
  g.strAuftrag = "40711";
  g.intNestnummerAmMerkmal = static_cast<std::int16_t>(in.below(3));
  g.arrStichproben.clear();
  const std::size_t samples = in.below(7);
  for (std::size_t j = 0; j < samples; ++j) {
    g.arrStichproben.push_back(anySample(in));
  }
  g.intAnzStichproben = smallCount(in);
  g.intAnzMerkmale = smallCount(in);
  OrderForm form;
  form.chkNest = static_cast<int>(in.below(3));
  form.lblNestID = withoutLineEnds(in.text(6));
  const std::string separator = in.flag() ? "," : ".";
  const std::int16_t setting = smallCount(in);
  const auto problem = CaptureDataProblem(g);
  const auto text = ResultFileText(g, form, MakeValueFormat(setting, separator));
  expect(text.has_value() == !problem.has_value(), "geschrieben wird, was die Prüfung zulässt");
  if (text) {
    checkFile(*text, g, form, DecimalsFor(setting), separator);
  }
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
  fuzz::checkResultFile(in);
  return 0;
}
