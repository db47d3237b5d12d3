#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <variant>

#include "kvotlk-replay/InputFile.h"
#include "state/OrderForm.h"

// The order file of kvotlk-replay: one line per control of the order form, name=value,
// the name being the control's own name (txt_Artikel, Combo_Maschine, combo_Prüfer, ...),
// the value the text exactly as typed or the selected list entry. A control without a
// line holds empty text or no selection.
namespace kvotlk::replay {

// Where a value was given: file and line.
struct InputPlace {
  std::string file;
  int line = 0;

  bool operator==(const InputPlace&) const = default;
};

struct OrderInput {
  // Texts as typed, the two selections and chkNest; lblNestID stays empty, the lookup
  // fills it.
  OrderForm form;
  // Where the two selections were given (line 0 when not), for errors about them.
  InputPlace comboPrueferPlace;
  InputPlace comboMaschinePlace;

  bool operator==(const OrderInput&) const = default;
};

using OrderInputOrError = std::variant<OrderInput, InputFileError>;

// The control of that name (case ignored, combo_Pruefer for combo_Prüfer) as it is
// spelled on the form, or the German error text when there is none.
std::variant<std::string_view, std::string> findOrderControl(std::string_view name);

// Sets the control (its name as findOrderControl answers it) to the value; the German
// error text when the value is not allowed.
std::optional<std::string> setOrderControl(OrderInput& input, std::string_view control,
                                           const std::string& value, const InputPlace& place);

// Names are compared without regard to case; combo_Pruefer stands for combo_Prüfer.
// chkNest takes 0 (clear) or 1 (ticked). Each control may be given once.
OrderInputOrError parseOrderFile(std::string_view content, const std::string& fileName);

}  // namespace kvotlk::replay
