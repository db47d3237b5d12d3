#pragma once

#include <string>
#include <vector>

namespace kvotlk {

// What the secondary windows may do to the main window: show it again when they close,
// and bring its lists, fields and tool tips up to date after a save.
class MainWindowAccess {
 public:
  virtual ~MainWindowAccess() = default;

  virtual void showMainWindow() = 0;
  // combo_Prüfer / Combo_Maschine emptied and refilled with these entries, in order.
  virtual void setPrueferList(const std::vector<std::string>& entries) = 0;
  virtual void setMaschineList(const std::vector<std::string>& entries) = 0;
  // txt_Nestnummer and lblNestID emptied.
  virtual void clearNestEntry() = 0;
  // lblNestID emptied.
  virtual void clearNestID() = 0;
  // txtAnzahlDerTeile and lblStueckzahl shown or hidden.
  virtual void setPartCountVisible(bool visible) = 0;
  // Tool tips of txt_Auftrag and txt_Artikel from the run-time copies.
  virtual void SetToolTips() = 0;
};

}  // namespace kvotlk
