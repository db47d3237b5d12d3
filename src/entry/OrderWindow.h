#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "entry/MainWindowRules.h"
#include "state/OrderForm.h"

namespace kvotlk {

class CaptureEngine;
class CaptureView;
class WorkProgress;

// What the order engine drives: the order window frm_Eingabe, its controls and the capture
// window it opens. The main window moves texts between its controls and the engine and
// holds no rule; kvotlk-replay puts an order form without a window in its place.
class OrderWindow {
 public:
  virtual ~OrderWindow() = default;

  // The form as the controls hold it now.
  virtual OrderForm form() = 0;
  // chkNest as it is now: kUnchecked, kChecked or kGrayed.
  virtual int nestState() = 0;

  // Shown again, not modal, and brought to the front; hidden while another window is open.
  virtual void showWindow() = 0;
  virtual void hideWindow() = 0;

  // combo_Prüfer / Combo_Maschine emptied and refilled with these entries, in order, with
  // nothing selected.
  virtual void setPrueferList(const std::vector<std::string>& entries) = 0;
  virtual void setMaschineList(const std::vector<std::string>& entries) = 0;
  // txtAnzahlDerTeile and lblStueckzahl shown or hidden.
  virtual void setPartCountVisible(bool visible) = 0;
  // Tool tips of txt_Auftrag (none: left as it is) and txt_Artikel.
  virtual void setToolTips(const std::optional<std::string>& auftrag,
                           const std::string& artikel) = 0;
  // Tool tip of txt_Nestnummer.
  virtual void setNestToolTip(const std::string& toolTip) = 0;
  // The date and time fields.
  virtual void presetDateTime(const DateTimeFields& fields) = 0;

  // Article, order, nest number, sample size, the selections of both lists and the nest-ID
  // label from the form, without a nest-ID lookup for the nest number.
  virtual void showEntries(const OrderForm& form) = 0;
  // Every control as the form holds it, to take up a capture confirmed before: the texts,
  // the date and time, the entries of both lists equal to the form's selections, the nest
  // check box with the nest number enabled or not, and the nest-ID label.
  virtual void restoreForm(const OrderForm& form) = 0;
  // Caption of lblNestID.
  virtual void setNestID(const std::string& caption) = 0;
  // txt_Nestnummer and lblNestID enabled or disabled.
  virtual void setNestEnabled(bool enabled) = 0;
  // txt_Nestnummer emptied (an edit, which looks the nest ID up), then lblNestID emptied.
  virtual void clearNestEntry() = 0;
  // txt_Probenumfang.
  virtual void setProbenumfang(const std::string& text) = 0;

  // Makes the capture window of a new capture, not yet shown; its buttons and close box go
  // to the engine. A capture window made before is gone now.
  virtual CaptureView& makeCaptureWindow(CaptureEngine& engine) = 0;

  // How many result files wait in the staging folder: shown in the main window, and in the
  // capture window while one is open; nothing for none.
  virtual void setWaitingFiles(std::size_t count) = 0;

  // Runs file work (a send, the delivery of waiting files), which touches only files and
  // settings, off the window's thread: the windows keep painting and show its progress,
  // take no other order or send meanwhile, and offer "Abbrechen", which the work sees as
  // cancelled. Returns when the work has finished.
  virtual void runFileWork(const std::function<void(WorkProgress&)>& work) = 0;
};

}  // namespace kvotlk
