#include "output/ResultFileText.h"

#include <charconv>
#include <cmath>

#include "common/Text.h"
#include "state/OrderForm.h"
#include "state/modGlobaleVariablen.h"

namespace kvotlk {
namespace {

constexpr int kDefaultDecimals = 3;

// Characters of one value line besides the digits: sign, separator, CR LF.
constexpr std::size_t kValueLineGuess = 14;

void appendKeyLine(std::string& out, std::string_view key, std::string_view utf8Value) {
  out += key;
  out += toCp1252(utf8Value);
  out += "\r\n";
}

std::size_t valueCount(const Stichprobe& sample) {
  return sample.dblMesswert.empty() ? 0 : sample.dblMesswert.size() - 1;
}

std::size_t nameCount(const Stichprobe& sample) {
  return sample.strMerkmal.empty() ? 0 : sample.strMerkmal.size() - 1;
}

std::optional<std::string> firstValueNotANumber(const modGlobaleVariablen& g, int n, int m) {
  const auto& names = g.arrStichproben[1].strMerkmal;
  for (int j = 1; j <= n; ++j) {
    const auto& values = g.arrStichproben[static_cast<std::size_t>(j)].dblMesswert;
    for (int i = 1; i <= m; ++i) {
      if (!std::isfinite(values[static_cast<std::size_t>(i)])) {
        return "Der Messwert von Merkmal " + names[static_cast<std::size_t>(i)] +
               " in Stichprobe " + DecimalText(j) + " ist keine gültige Zahl.";
      }
    }
  }
  return std::nullopt;
}

}  // namespace

std::string DecimalText(long long value) {
  char buffer[24];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
  return {buffer, result.ptr};
}

int DecimalsFor(std::int16_t intAnzNachkomma) {
  return intAnzNachkomma >= kLeastDecimals && intAnzNachkomma <= kMostDecimals ? intAnzNachkomma
                                                                               : kDefaultDecimals;
}

ValueFormat MakeValueFormat(std::int16_t intAnzNachkomma, std::string_view decimalSeparatorUtf8) {
  return {DecimalsFor(intAnzNachkomma), toCp1252(decimalSeparatorUtf8)};
}

std::optional<std::string> CaptureDataProblem(const modGlobaleVariablen& g) {
  const int n = g.intAnzStichproben;
  const int m = g.intAnzMerkmale;
  if (n < 0 || m < 0) {
    return "Die Zähler der Messdaten sind ungültig (" + DecimalText(n) + " Stichproben, " +
           DecimalText(m) + " Merkmale).";
  }
  if (m == 0) {
    return std::nullopt;  // only the head is written; no sample is read
  }
  if (n == 0) {
    return "Es wurden " + DecimalText(m) + " Merkmale erfasst, aber keine Stichprobe gestartet.";
  }
  if (g.arrStichproben.size() <= static_cast<std::size_t>(n)) {
    return "Stichprobe " + DecimalText(static_cast<long long>(g.arrStichproben.size())) + " fehlt.";
  }
  const auto need = static_cast<std::size_t>(m);
  const std::size_t names = nameCount(g.arrStichproben[1]);
  if (names < need) {
    return "Stichprobe 1 enthält nur " + DecimalText(static_cast<long long>(names)) + " von " +
           DecimalText(m) + " Merkmals IDs.";
  }
  for (int j = 1; j <= n; ++j) {
    const std::size_t values = valueCount(g.arrStichproben[static_cast<std::size_t>(j)]);
    if (values < need) {
      return "Stichprobe " + DecimalText(j) + " enthält nur " +
             DecimalText(static_cast<long long>(values)) + " von " + DecimalText(m) +
             " Messwerten.";
    }
  }
  return firstValueNotANumber(g, n, m);
}

bool NestIdInHead(const modGlobaleVariablen& g, const OrderForm& form) {
  return form.chkNest != kUnchecked && g.intNestnummerAmMerkmal != 1;
}

std::string ResultFileHead(const modGlobaleVariablen& g, const OrderForm& form) {
  std::string out;
  appendLine(out, "BEGINN_MESSUNG");
  appendLine(out, " ");
  appendKeyLine(out, "ARTIKEL=", g.strArtikel);
  appendKeyLine(out, "MASCHINE=", g.strMaschine);
  appendKeyLine(out, "PRUEFER=", g.strPruefer);
  appendKeyLine(out, "ZEIT=", g.strDatum + "/" + g.strUhrzeit);
  appendKeyLine(out, "AUFTRAG=", g.strAuftrag);
  if (NestIdInHead(g, form)) {
    appendKeyLine(out, "CHARGE=", form.lblNestID);
    appendLine(out, "");
  }
  return out;
}

void AppendResultBlock(std::string& out, const modGlobaleVariablen& g, int i,
                       const ValueFormat& format) {
  const auto index = static_cast<std::size_t>(i);
  const int n = g.intAnzStichproben;
  appendKeyLine(out, "UMFANG=", DecimalText(n));
  appendKeyLine(out, "MERKMAL=", g.arrStichproben[1].strMerkmal[index]);
  appendLine(out, " ");
  appendLine(out, "BEGINN_WERTE");
  for (int j = 1; j <= n; ++j) {
    const double value = g.arrStichproben[static_cast<std::size_t>(j)].dblMesswert[index];
    AppendValue(out, value, format);
    out += "\r\n";
  }
  appendLine(out, "ENDE_WERTE");
  appendLine(out, " ");
  appendLine(out, " ");
}

std::optional<std::string> ResultFileText(const modGlobaleVariablen& g, const OrderForm& form,
                                          const ValueFormat& format) {
  if (CaptureDataProblem(g)) {
    return std::nullopt;
  }
  std::string out = ResultFileHead(g, form);
  const auto lines = static_cast<std::size_t>(g.intAnzMerkmale) *
                     (static_cast<std::size_t>(g.intAnzStichproben) + 8);
  out.reserve(out.size() + lines * (kValueLineGuess + static_cast<std::size_t>(format.decimals)));
  for (int i = 1; i <= g.intAnzMerkmale; ++i) {
    AppendResultBlock(out, g, i, format);
  }
  out += kResultFileEnd;
  return out;
}

}  // namespace kvotlk
