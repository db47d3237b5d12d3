// The order and settings files of kvotlk-replay, any bytes, each read by both readers:
// either a German error that names a line of the file, or values that are single lines of
// text and read back the same when written out again.
#include <algorithm>
#include <cstdint>
#include <string>
#include <variant>

#include "FuzzInput.h"
#include "common/Text.h"
#include "kvotlk-replay/OrderFile.h"
#include "kvotlk-replay/SettingsFile.h"

namespace kvotlk::fuzz {
namespace {

using replay::InputFileError;

void checkError(const InputFileError& error, std::string_view content) {
  // Lines end as the readers end them: at CR LF, LF or a lone CR.
  const std::size_t lines = splitLines(content).size();
  expect(!error.message.empty(), "ein Fehler sagt, was falsch ist");
  expect(error.line >= 0 && static_cast<std::size_t>(error.line) <= lines + 1,
         "ein Fehler nennt eine Zeile der Datei");
  expect(error.file == "fuzz.txt", "ein Fehler nennt die Datei");
}

// A value the readers accept is one line of text: no control character but the tab.
void checkValue(const std::string& value) {
  expect(std::none_of(value.begin(), value.end(),
                      [](char c) {
                        const auto code = static_cast<unsigned char>(c);
                        return (code < 0x20 && c != '\t') || code == 0x7F;
                      }),
         "ein Wert ist eine Zeile Text");
}

void appendLine(std::string& out, std::string_view name, const std::string& value) {
  out += name;
  out += '=';
  out += value;
  out += "\r\n";
}

// The order file written from what was read: every text that is not empty and every
// selection, one line each.
std::string orderFileOf(const OrderForm& form) {
  std::string out;
  const auto text = [&out](std::string_view name, const std::string& value) {
    checkValue(value);
    if (!value.empty()) {
      appendLine(out, name, value);
    }
  };
  text("txt_Artikel", form.txt_Artikel);
  text("txt_Auftrag", form.txt_Auftrag);
  text("txt_Probenumfang", form.txt_Probenumfang);
  text("txtAnzahlDerTeile", form.txtAnzahlDerTeile);
  text("txt_DatumTag", form.txt_DatumTag);
  text("txt_DatumMonat", form.txt_DatumMonat);
  text("txt_DatumJahr", form.txt_DatumJahr);
  text("txt_UhrzeitStunde", form.txt_UhrzeitStunde);
  text("txt_UhrzeitMinute", form.txt_UhrzeitMinute);
  text("txt_Nestnummer", form.txt_Nestnummer);
  if (form.Combo_Maschine) {
    checkValue(*form.Combo_Maschine);
    appendLine(out, "Combo_Maschine", *form.Combo_Maschine);
  }
  if (form.combo_Pruefer) {
    checkValue(*form.combo_Pruefer);
    appendLine(out, "combo_Prüfer", *form.combo_Pruefer);
  }
  appendLine(out, "chkNest", form.chkNest == kChecked ? "1" : "0");
  return out;
}

void checkOrder(std::string_view content) {
  const auto parsed = replay::parseOrderFile(content, "fuzz.txt");
  if (const auto* error = std::get_if<InputFileError>(&parsed)) {
    checkError(*error, content);
    return;
  }
  const OrderForm& form = std::get<replay::OrderInput>(parsed).form;
  expect(form.lblNestID.empty(), "die Nest ID kommt nicht aus der Datei");
  const auto again = replay::parseOrderFile(orderFileOf(form), "fuzz.txt");
  const auto* read = std::get_if<replay::OrderInput>(&again);
  expect(read != nullptr && read->form == form, "der Auftrag liest sich geschrieben gleich");
}

void checkSettings(std::string_view content) {
  const auto parsed = replay::parseSettingsFile(content, "fuzz.txt");
  if (const auto* error = std::get_if<InputFileError>(&parsed)) {
    checkError(*error, content);
    return;
  }
  const auto& values = std::get<replay::SettingsInput>(parsed).values;
  std::string written = "[Config]\r\n";
  for (const auto& [key, value] : values) {
    checkValue(value);
    appendLine(written, SettingName(key), value);
  }
  const auto again = replay::parseSettingsFile(written, "fuzz.txt");
  const auto* read = std::get_if<replay::SettingsInput>(&again);
  expect(read != nullptr && read->values == values,
         "die Einstellungen lesen sich geschrieben gleich");
}

}  // namespace
}  // namespace kvotlk::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view content(reinterpret_cast<const char*>(data), size);
  kvotlk::fuzz::checkOrder(content);
  kvotlk::fuzz::checkSettings(content);
  return 0;
}
