#pragma once

#include <string>
#include <string_view>
#include <variant>

#include "entry/OrderForm.h"
#include "kvotlk-replay/InputFile.h"

// The order file of kvotlk-replay: one line per control of the order form, name=value,
// the name being the control's own name (txt_Artikel, Combo_Maschine, combo_Prüfer, ...),
// the value the text exactly as typed or the selected list entry. A control without a
// line holds empty text or no selection.
namespace kvotlk::replay {

struct OrderInput {
  // Texts as typed, the two selections and chkNest; lblNestID stays empty, the lookup
  // fills it.
  OrderForm form;
  // The lines of the two selections, 0 when not given, for errors about them.
  int comboPrueferLine = 0;
  int comboMaschineLine = 0;

  bool operator==(const OrderInput&) const = default;
};

using OrderInputOrError = std::variant<OrderInput, InputFileError>;

// Names are compared without regard to case; combo_Pruefer stands for combo_Prüfer.
// chkNest takes 0 (clear) or 1 (ticked). Each control may be given once.
OrderInputOrError parseOrderFile(std::string_view content, const std::string& fileName);

}  // namespace kvotlk::replay
