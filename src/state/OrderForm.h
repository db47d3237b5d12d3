#pragma once

#include <optional>
#include <string>

// What the order form holds at one moment: every text exactly as typed, the selected
// entries of the two lists (none when nothing is selected), the nest check box and the
// nest-ID label. The main window fills it from its controls; tools fill it from files.
namespace kvotlk {

// States of a check box.
inline constexpr int kUnchecked = 0;
inline constexpr int kChecked = 1;
inline constexpr int kGrayed = 2;

struct OrderForm {
  std::string txt_Artikel;
  std::optional<std::string> Combo_Maschine;
  std::string txt_Auftrag;
  std::string txt_Probenumfang;
  std::string txtAnzahlDerTeile;
  std::string txt_DatumTag;
  std::string txt_DatumMonat;
  std::string txt_DatumJahr;
  std::string txt_UhrzeitStunde;
  std::string txt_UhrzeitMinute;
  std::optional<std::string> combo_Pruefer;
  int chkNest = kUnchecked;
  std::string txt_Nestnummer;
  std::string lblNestID;

  bool operator==(const OrderForm&) const = default;
};

}  // namespace kvotlk
