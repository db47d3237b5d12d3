#include "FuzzInput.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <vector>

#include "common/NumberFormat.h"
#include "common/Text.h"
#include "output/ResultFileText.h"

namespace kvotlk::fuzz {
namespace {

using Limits = std::numeric_limits<double>;
constexpr double kNaN = Limits::quiet_NaN();
constexpr double kInf = Limits::infinity();
constexpr double kTiny = Limits::denorm_min();
constexpr double kSmallest = Limits::min();
constexpr double kLargest = Limits::max();

// Halves and near-halves of the rounding rules, the ends of the double range and the
// special values the CMM software could hand over.
constexpr std::array<double, 26> kValues = {
    0.0,      -0.0,      kNaN,  kInf,    -kInf,    kTiny,        -kTiny,      kSmallest,
    kLargest, -kLargest, 1e308, -1e308,  2.675,    1.005,        -0.0125,     0.25,
    0.5,      2.5,       -2.5,  12.3456, 12.34567, 999999.99995, 123456789.5, 9.9999999999999995e14,
    1e-7,     4.35};

constexpr std::array<std::string_view, 16> kIds = {
    "",     "101",        "7",          "0",   "-5",    "12a",   "123456", "1234567",
    " 42 ", "2147483647", "2147483648", "1,5", "1.000", "\n101", "10\r",   "\xC3\xBC"};

}  // namespace

FuzzInput::FuzzInput(const std::uint8_t* data, std::size_t size)
    : bytes_(reinterpret_cast<const char*>(data), size) {}

std::uint64_t FuzzInput::bits(int bytes) {
  std::uint64_t out = 0;
  for (int i = 0; i < bytes; ++i) {
    out = (out << 8U) | byte();
  }
  return out;
}

std::size_t FuzzInput::below(std::size_t count) {
  return (count <= 256 ? byte() : bits(2)) % count;
}

double FuzzInput::value() {
  const std::uint8_t choice = byte();
  if (choice < kValues.size() * 4) {
    return kValues[choice % kValues.size()];
  }
  if (choice < 200) {
    return static_cast<double>(int32()) / 10000.0;
  }
  return std::bit_cast<double>(bits(8));
}

std::string FuzzInput::text(std::size_t maxLength) {
  const std::size_t length = below(maxLength + 1);
  std::string out(bytes_.substr(std::min(pos_, bytes_.size()), length));
  pos_ += out.size();
  return out;
}

std::string FuzzInput::characteristicId() {
  const std::uint8_t choice = byte();
  return choice < kIds.size() * 12 ? std::string(kIds[choice % kIds.size()]) : text(12);
}

void expect(bool condition, std::string_view promise) {
  if (!condition) {
    std::fprintf(stderr, "Zusage verletzt: %.*s\n", static_cast<int>(promise.size()),
                 promise.data());
    std::abort();
  }
}

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

void checkResultFile(const modGlobaleVariablen& g, const OrderForm& form,
                     const ValueFormat& format) {
  const auto text = ResultFileText(g, form, format);
  expect(text.has_value() == !CaptureDataProblem(g).has_value(),
         "geschrieben wird, was die Prüfung zulässt");
  if (!text) {
    return;
  }
  std::vector<std::string> lines;
  for (std::size_t start = 0; start < text->size();) {
    const std::size_t end = text->find("\r\n", start);
    expect(end != std::string::npos, "jede Zeile endet mit CR LF");
    lines.push_back(text->substr(start, end - start));
    expect(lines.back().find_first_of("\r\n") == std::string::npos, "keine Zeile bricht um");
    start = end + 2;
  }
  const auto n = static_cast<std::size_t>(g.intAnzStichproben);
  const auto m = static_cast<std::size_t>(g.intAnzMerkmale);
  std::size_t at = 7 + (NestIdInHead(g, form) ? 2 : 0);
  expect(lines.size() == at + m * (7 + n) + 1, "die Datei hat die Zeilen des Blockformats");
  for (std::size_t i = 1; i <= m; ++i, at += 7 + n) {
    expect(lines[at] == "UMFANG=" + DecimalText(static_cast<long long>(n)), "UMFANG=n");
    expect(lines[at + 1] == "MERKMAL=" + toCp1252(g.arrStichproben[1].strMerkmal[i]),
           "MERKMAL= mit der ID aus Stichprobe 1");
    for (std::size_t j = 1; j <= n; ++j) {
      const double value = g.arrStichproben[j].dblMesswert[i];
      expect(lines[at + 3 + j] == toCp1252(FormatFixed(value, format.decimals, format.separator)),
             "die Wertzeile ist der gerundete Wert");
    }
  }
}

}  // namespace kvotlk::fuzz
