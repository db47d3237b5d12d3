#include "journal/JournalFormat.h"

#include <array>

#include "common/ExactNumber.h"
#include "common/Text.h"

namespace kvotlk {
namespace {

constexpr std::array<JournalFormText, 11> kTextFields = {{
    {"txt_Artikel", &OrderForm::txt_Artikel},
    {"txt_Auftrag", &OrderForm::txt_Auftrag},
    {"txt_Probenumfang", &OrderForm::txt_Probenumfang},
    {"txtAnzahlDerTeile", &OrderForm::txtAnzahlDerTeile},
    {"txt_DatumTag", &OrderForm::txt_DatumTag},
    {"txt_DatumMonat", &OrderForm::txt_DatumMonat},
    {"txt_DatumJahr", &OrderForm::txt_DatumJahr},
    {"txt_UhrzeitStunde", &OrderForm::txt_UhrzeitStunde},
    {"txt_UhrzeitMinute", &OrderForm::txt_UhrzeitMinute},
    {"txt_Nestnummer", &OrderForm::txt_Nestnummer},
    {"lblNestID", &OrderForm::lblNestID},
}};

// CRC-32 (the polynomial of ZIP and PNG), a byte at a time from a table.
constexpr std::array<std::uint32_t, 256> kCrcTable = [] {
  std::array<std::uint32_t, 256> table{};
  for (std::uint32_t n = 0; n < table.size(); ++n) {
    std::uint32_t crc = n;
    for (int bit = 0; bit < 8; ++bit) {
      crc = (crc >> 1U) ^ (0xEDB88320U & (0U - (crc & 1U)));
    }
    table[n] = crc;
  }
  return table;
}();

std::uint32_t crc32(std::string_view bytes) {
  std::uint32_t crc = 0xFFFFFFFFU;
  for (const char c : bytes) {
    crc = kCrcTable[(crc ^ static_cast<unsigned char>(c)) & 0xFFU] ^ (crc >> 8U);
  }
  return ~crc;
}

std::string hex8(std::uint32_t value) {
  std::string text(8, '0');
  for (int k = 7; k >= 0; --k, value >>= 4U) {
    text[static_cast<std::size_t>(k)] = "0123456789abcdef"[value & 0xFU];
  }
  return text;
}

std::optional<std::string> unescaped(std::string_view text) {
  std::string out;
  for (std::size_t k = 0; k < text.size(); ++k) {
    if (text[k] != '\\') {
      out += text[k];
      continue;
    }
    const auto c = ++k < text.size() ? unescapedChar(text[k]) : std::nullopt;
    if (!c) {
      return std::nullopt;
    }
    out += *c;
  }
  return out;
}

std::string number(int value) { return std::to_string(value); }

}  // namespace

std::string EncodeRecord(const JournalRecord& record) {
  std::string line;
  appendEscapedField(line, record.kind);
  for (const std::string& field : record.fields) {
    line += '\t';
    appendEscapedField(line, field);
  }
  const std::uint32_t check = crc32(line);
  line += '\t';
  line += hex8(check);
  line += '\n';
  return line;
}

const std::array<JournalFormText, 11>& JournalFormTexts() { return kTextFields; }

std::optional<JournalRecord> DecodeRecordLine(std::string_view line) {
  const std::size_t tab = line.rfind('\t');
  if (tab == std::string_view::npos || line.size() - tab != 9 ||
      hex8(crc32(line.substr(0, tab))) != line.substr(tab + 1)) {
    return std::nullopt;
  }
  JournalRecord record;
  std::string_view rest = line.substr(0, tab);
  bool first = true;
  for (;;) {
    const std::size_t end = rest.find('\t');
    auto field = unescaped(rest.substr(0, end));
    if (!field) {
      return std::nullopt;
    }
    (first ? record.kind : record.fields.emplace_back()) = std::move(*field);
    first = false;
    if (end == std::string_view::npos) {
      return record;
    }
    rest.remove_prefix(end + 1);
  }
}

std::string JournalOpening(const OrderForm& form, const std::string& strMessprogrammName) {
  std::string text = EncodeRecord({kJournalKind, {number(kJournalVersion)}});
  for (const JournalFormText& field : kTextFields) {
    text += EncodeRecord({"Auftrag", {field.name, form.*field.member}});
  }
  if (form.Combo_Maschine) {
    text += EncodeRecord({"Auftrag", {"Combo_Maschine", *form.Combo_Maschine}});
  }
  if (form.combo_Pruefer) {
    text += EncodeRecord({"Auftrag", {"combo_Prüfer", *form.combo_Pruefer}});
  }
  text += EncodeRecord({"Auftrag", {"chkNest", number(form.chkNest)}});
  text += EncodeRecord({"Messprogramm", {strMessprogrammName}});
  return text;
}

std::string JournalSamples(const JournaledCapture& capture) {
  std::string text;
  for (int n = 1; n <= capture.intAnzStichproben; ++n) {
    const auto sample = static_cast<std::size_t>(n);
    text += EncodeRecord({"Stichprobe", {number(n)}});
    const Stichprobe& values = capture.arrStichproben[sample];
    const std::vector<int>& decimals = capture.shownDecimals[sample];
    for (std::size_t i = 1; i < values.dblMesswert.size(); ++i) {
      text += EncodeRecord({"Wert",
                            {number(n), number(static_cast<int>(i)), number(decimals[i]),
                             values.strMerkmal[i], ExactText(values.dblMesswert[i])}});
    }
  }
  return text;
}

}  // namespace kvotlk
