// The order and settings files of kvotlk-replay, any bytes, each read by both readers:
// either a German error that names a line of the file, or values that are single lines of
// text.
#include <algorithm>

#include "FuzzInput.h"
#include "common/Text.h"
#include "kvotlk-replay/OrderFile.h"
#include "kvotlk-replay/SettingsFile.h"

namespace kvotlk::fuzz {
namespace {

// A value the readers accept is one line of text: no control character but the tab.
void expectLine(const std::string& value) {
  const auto control = [](char c) { return static_cast<unsigned char>(c) < 0x20 && c != '\t'; };
  expect(std::ranges::none_of(value, control) && value.find('\x7F') == std::string::npos,
         "ein Wert ist eine Zeile Text");
}

// True when the reader refused the content; then the error must name a line of it.
template <typename Parsed>
bool refused(const Parsed& parsed, std::string_view content) {
  const auto* error = std::get_if<replay::InputFileError>(&parsed);
  // Lines counted as the readers count them: ended by CR LF, LF or a lone CR.
  expect(!error || (error->line >= 0 &&
                    static_cast<std::size_t>(error->line) <= splitLines(content).size() + 1 &&
                    error->file == "fuzz.txt" && !error->message.empty()),
         "ein Fehler nennt die Datei, eine Zeile darin und was falsch ist");
  return error != nullptr;
}

}  // namespace
}  // namespace kvotlk::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace kvotlk;
  const std::string_view content(reinterpret_cast<const char*>(data), size);
  const auto order = replay::parseOrderFile(content, "fuzz.txt");
  if (!fuzz::refused(order, content)) {
    const OrderForm& form = std::get<replay::OrderInput>(order).form;
    fuzz::expect(form.lblNestID.empty(), "die Nest ID kommt nicht aus der Datei");
    for (const std::string* value :
         {&form.txt_Artikel, &form.txt_Auftrag, &form.txt_Probenumfang, &form.txtAnzahlDerTeile,
          &form.txt_DatumTag, &form.txt_DatumMonat, &form.txt_DatumJahr, &form.txt_UhrzeitStunde,
          &form.txt_UhrzeitMinute, &form.txt_Nestnummer}) {
      fuzz::expectLine(*value);
    }
    fuzz::expectLine(form.Combo_Maschine.value_or(""));
    fuzz::expectLine(form.combo_Pruefer.value_or(""));
  }
  const auto settings = replay::parseSettingsFile(content, "fuzz.txt");
  if (!fuzz::refused(settings, content)) {
    for (const auto& [key, value] : std::get<replay::SettingsInput>(settings).values) {
      fuzz::expectLine(value);
    }
  }
  return 0;
}
