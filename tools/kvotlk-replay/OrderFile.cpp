#include "kvotlk-replay/OrderFile.h"

#include <array>
#include <map>
#include <optional>

namespace kvotlk::replay {
namespace {

using TextField = std::string OrderForm::*;
using ListField = std::optional<std::string> OrderForm::*;
using PlaceField = InputPlace OrderInput::*;

// Every control that takes an input, in the order of the form; exactly one of the two
// fields is set, none for chkNest.
struct Control {
  std::string_view name;
  TextField text = nullptr;
  ListField list = nullptr;
  PlaceField place = nullptr;
};

constexpr std::array<Control, 13> kControls = {{
    {"txt_Artikel", &OrderForm::txt_Artikel},
    {"Combo_Maschine", nullptr, &OrderForm::Combo_Maschine, &OrderInput::comboMaschinePlace},
    {"txt_Auftrag", &OrderForm::txt_Auftrag},
    {"txt_Probenumfang", &OrderForm::txt_Probenumfang},
    {"txtAnzahlDerTeile", &OrderForm::txtAnzahlDerTeile},
    {"txt_DatumTag", &OrderForm::txt_DatumTag},
    {"txt_DatumMonat", &OrderForm::txt_DatumMonat},
    {"txt_DatumJahr", &OrderForm::txt_DatumJahr},
    {"txt_UhrzeitStunde", &OrderForm::txt_UhrzeitStunde},
    {"txt_UhrzeitMinute", &OrderForm::txt_UhrzeitMinute},
    {"combo_Prüfer", nullptr, &OrderForm::combo_Pruefer, &OrderInput::comboPrueferPlace},
    {"chkNest"},
    {"txt_Nestnummer", &OrderForm::txt_Nestnummer},
}};

const Control* findControl(std::string_view name) {
  std::string folded = foldCase(name);
  if (folded == "combo_pruefer") {
    folded = foldCase("combo_Prüfer");
  }
  for (const Control& control : kControls) {
    if (foldCase(control.name) == folded) {
      return &control;
    }
  }
  return nullptr;
}

std::string unknownNameMessage(std::string_view name) {
  if (foldCase(name) == foldCase("lblNestID")) {
    return "\"lblNestID\" ist keine Eingabe: Die Nest ID wird wie im Fenster zur Nestnummer im "
           "Nest-ID-Katalog gesucht.";
  }
  std::vector<std::string_view> names;
  names.reserve(kControls.size());
  for (const Control& control : kControls) {
    names.push_back(control.name);
  }
  return "Unbekanntes Feld \"" + std::string(name) + "\". Bekannt sind " + listInGerman(names) +
         ".";
}

}  // namespace

std::variant<std::string_view, std::string> findOrderControl(std::string_view name) {
  if (const Control* control = findControl(name)) {
    return control->name;
  }
  return unknownNameMessage(name);
}

std::optional<std::string> setOrderControl(OrderInput& input, std::string_view control,
                                           const std::string& value, const InputPlace& place) {
  const Control& found = *findControl(control);
  if (found.text != nullptr) {
    input.form.*found.text = value;
  } else if (found.list != nullptr) {
    input.form.*found.list = value;
    input.*found.place = place;
  } else if (value == "0" || value == "1") {
    input.form.chkNest = value == "1" ? kChecked : kUnchecked;
  } else {
    return R"("chkNest": ")" + value +
           "\" ist kein Zustand des Kästchens. Erlaubt sind 0 (leer) und 1 (angekreuzt).";
  }
  return std::nullopt;
}

OrderInputOrError parseOrderFile(std::string_view content, const std::string& fileName) {
  auto split = splitInputLines(content, fileName);
  if (auto* error = std::get_if<InputFileError>(&split)) {
    return *error;
  }
  OrderInput input;
  std::map<std::string_view, int> seen;
  for (const InputLine& entry : std::get<std::vector<InputLine>>(split)) {
    if (const auto* other = std::get_if<OtherLine>(&entry)) {
      return InputFileError{fileName, other->line,
                            "Die Zeile hat kein \"=\". Erwartet wird Name=Wert, etwa "
                            "txt_Artikel=A100."};
    }
    const auto& line = std::get<NameValueLine>(entry);
    if (line.name.empty()) {
      return InputFileError{fileName, line.line, "Vor dem \"=\" fehlt der Name des Feldes."};
    }
    const auto control = findOrderControl(line.name);
    if (const auto* unknown = std::get_if<std::string>(&control)) {
      return InputFileError{fileName, line.line, *unknown};
    }
    const std::string_view name = std::get<std::string_view>(control);
    if (const auto earlier = seen.find(name); earlier != seen.end()) {
      return InputFileError{fileName, line.line,
                            "Das Feld \"" + std::string(name) + "\" steht schon in Zeile " +
                                std::to_string(earlier->second) + "."};
    }
    seen.emplace(name, line.line);
    if (auto problem = setOrderControl(input, name, line.value, {fileName, line.line})) {
      return InputFileError{fileName, line.line, *problem};
    }
  }
  return input;
}

}  // namespace kvotlk::replay
