// The order and settings files of kvotlk-replay, any bytes, each read by both readers:
// either a German error that names a line of the file, or values that are single lines of
// text and read back the same when written out again.
#include <algorithm>
#include <cstdint>
#include <string>
#include <utility>
#include <variant>

#include "FuzzInput.h"
#include "common/Text.h"
#include "kvotlk-replay/OrderFile.h"
#include "kvotlk-replay/SettingsFile.h"

namespace kvotlk::fuzz {
namespace {

// A value the readers accept is one line of text: no control character but the tab.
std::string line(std::string_view name, const std::string& value) {
  expect(std::ranges::none_of(value,
                              [](char c) {
                                const auto code = static_cast<unsigned char>(c);
                                return (code < 0x20 && c != '\t') || code == 0x7F;
                              }),
         "ein Wert ist eine Zeile Text");
  return std::string(name) + "=" + value + "\r\n";
}

// What a file gives, to compare: the order's form, the settings' values.
const OrderForm& given(const replay::OrderInput& order) { return order.form; }
const auto& given(const replay::SettingsInput& settings) { return settings.values; }

// Parses the content and, unless it was refused, what was read written out again.
template <typename Input, typename Parse, typename Write>
void checkRoundTrip(std::string_view content, Parse parse, Write write) {
  const auto parsed = parse(content);
  if (const auto* error = std::get_if<replay::InputFileError>(&parsed)) {
    // Lines counted as the readers count them: ended by CR LF, LF or a lone CR.
    expect(
        error->line >= 0 && static_cast<std::size_t>(error->line) <= splitLines(content).size() + 1,
        "ein Fehler nennt eine Zeile der Datei");
    expect(error->file == "fuzz.txt" && !error->message.empty(),
           "ein Fehler nennt die Datei und sagt, was falsch ist");
    return;
  }
  const Input& read = std::get<Input>(parsed);
  const auto again = parse(write(read));
  expect(std::holds_alternative<Input>(again) && given(std::get<Input>(again)) == given(read),
         "geschrieben liest es sich gleich");
}

std::string orderFileOf(const replay::OrderInput& order) {
  static const std::pair<const char*, std::string OrderForm::*> kTexts[] = {
      {"txt_Artikel", &OrderForm::txt_Artikel},
      {"txt_Auftrag", &OrderForm::txt_Auftrag},
      {"txt_Probenumfang", &OrderForm::txt_Probenumfang},
      {"txtAnzahlDerTeile", &OrderForm::txtAnzahlDerTeile},
      {"txt_DatumTag", &OrderForm::txt_DatumTag},
      {"txt_DatumMonat", &OrderForm::txt_DatumMonat},
      {"txt_DatumJahr", &OrderForm::txt_DatumJahr},
      {"txt_UhrzeitStunde", &OrderForm::txt_UhrzeitStunde},
      {"txt_UhrzeitMinute", &OrderForm::txt_UhrzeitMinute},
      {"txt_Nestnummer", &OrderForm::txt_Nestnummer}};
  const OrderForm& form = order.form;
  expect(form.lblNestID.empty(), "die Nest ID kommt nicht aus der Datei");
  std::string out = line("chkNest", form.chkNest == kChecked ? "1" : "0");
  for (const auto& [name, member] : kTexts) {
    if (!(form.*member).empty()) {
      out += line(name, form.*member);
    }
  }
  out += form.Combo_Maschine ? line("Combo_Maschine", *form.Combo_Maschine) : "";
  out += form.combo_Pruefer ? line("combo_Prüfer", *form.combo_Pruefer) : "";
  return out;
}

std::string settingsFileOf(const replay::SettingsInput& settings) {
  std::string out = "[Config]\r\n";
  for (const auto& [key, value] : settings.values) {
    out += line(SettingName(key), value);
  }
  return out;
}

}  // namespace
}  // namespace kvotlk::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace kvotlk;
  const std::string_view content(reinterpret_cast<const char*>(data), size);
  fuzz::checkRoundTrip<replay::OrderInput>(
      content, [](std::string_view text) { return replay::parseOrderFile(text, "fuzz.txt"); },
      fuzz::orderFileOf);
  fuzz::checkRoundTrip<replay::SettingsInput>(
      content, [](std::string_view text) { return replay::parseSettingsFile(text, "fuzz.txt"); },
      fuzz::settingsFileOf);
  return 0;
}
