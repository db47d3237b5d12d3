#pragma once

#include <QMainWindow>
#include <QPointer>
#include <memory>
#include <string>
#include <vector>

#include "capture/frm_TuL.h"
#include "entry/OrderEngine.h"
#include "entry/OrderWindow.h"

class QAction;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;

namespace kvotlk {

struct Environment;
struct modGlobaleVariablen;

// The main window: the order-entry form and the hub from which every other window opens.
// It moves texts between its controls and the order engine, which holds every rule; it is
// hidden while another window of the program is open.
class frm_Eingabe final : public QMainWindow, public OrderWindow {
  Q_OBJECT

 public:
  frm_Eingabe(Environment& env, modGlobaleVariablen& g, QWidget* parent = nullptr);
  ~frm_Eingabe() override;
  frm_Eingabe(const frm_Eingabe&) = delete;
  frm_Eingabe& operator=(const frm_Eingabe&) = delete;
  frm_Eingabe(frm_Eingabe&&) = delete;
  frm_Eingabe& operator=(frm_Eingabe&&) = delete;

  // The start-up sequence; the window is visible afterwards.
  void Form_Load();

  // The handlers of the form, as the operator's actions call them.
  void cmd_OK_Click();
  void cmd_Loeschen_Click();

  // The window the order confirmation opened last; null before the first one.
  frm_TuL* captureWindow() const { return capture_.get(); }
  // The secondary window opened from a menu while it is open.
  QWidget* secondaryWindow() const { return secondary_.data(); }
  OrderEngine& engine() { return engine_; }

  // OrderWindow
  OrderForm form() override;
  int nestState() override;
  void showWindow() override;
  void hideWindow() override;
  void setPrueferList(const std::vector<std::string>& entries) override;
  void setMaschineList(const std::vector<std::string>& entries) override;
  void setPartCountVisible(bool visible) override;
  void setToolTips(const std::optional<std::string>& auftrag, const std::string& artikel) override;
  void setNestToolTip(const std::string& toolTip) override;
  void presetDateTime(const DateTimeFields& fields) override;
  void showEntries(const OrderForm& form) override;
  void restoreForm(const OrderForm& form) override;
  void setNestID(const std::string& caption) override;
  void setNestEnabled(bool enabled) override;
  void clearNestEntry() override;
  void setProbenumfang(const std::string& text) override;
  CaptureView& makeCaptureWindow(CaptureEngine& engine) override;
  void setWaitingFiles(std::size_t count) override;
  void runFileWork(const std::function<void(WorkProgress&)>& work) override;

 signals:
  // The shutdown sequence has run; the program ends.
  void unloaded();

 protected:
  void closeEvent(QCloseEvent* event) override;
  // F1 where no shortcut took it (a key sent to a control): the manual, as from the menu.
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void buildControls();
  QWidget* buildFrame1();
  QWidget* buildFrame2();
  QWidget* buildButtons();
  void buildMenus();
  void setKeyboardOrder();
  void connectHandlers();
  void connectMenus();

  // Shows a window of the program opened from a menu, not modal, and hides this one; the
  // window shows this one again when it closes.
  void openSecondary(QWidget* window);
  // The manual beside this window, which stays open; one manual window at a time.
  void openManual();
  void Form_Unload();

  Environment& env_;
  modGlobaleVariablen& g_;
  OrderEngine engine_;

  QGroupBox* Frame1 = nullptr;
  QLineEdit* txt_Artikel = nullptr;
  QComboBox* Combo_Maschine = nullptr;
  QLineEdit* txt_Auftrag = nullptr;
  QLineEdit* txt_Probenumfang = nullptr;
  QLabel* lblStueckzahl = nullptr;
  QLineEdit* txtAnzahlDerTeile = nullptr;
  QLineEdit* txt_DatumTag = nullptr;
  QLineEdit* txt_DatumMonat = nullptr;
  QLineEdit* txt_DatumJahr = nullptr;
  QLineEdit* txt_UhrzeitStunde = nullptr;
  QLineEdit* txt_UhrzeitMinute = nullptr;
  QComboBox* combo_Pruefer = nullptr;
  QGroupBox* Frame2 = nullptr;
  QCheckBox* chkNest = nullptr;
  QLineEdit* txt_Nestnummer = nullptr;
  QLabel* lblNestID = nullptr;
  QPushButton* cmd_OK = nullptr;
  QPushButton* cmd_Loeschen = nullptr;
  QLabel* lblWartend = nullptr;
  QPushButton* cmdAbbrechen = nullptr;

  QAction* menuWartendeDateien = nullptr;
  QAction* menuBeenden = nullptr;
  QAction* menuSetup = nullptr;
  QAction* menuMaschine = nullptr;
  QAction* menuPruefer = nullptr;
  QAction* NestIDsKatalog = nullptr;
  QAction* menuHandbuch = nullptr;
  QAction* menuInfo = nullptr;

  // Kept until the next confirmation or the shutdown: an engine call may still be on the
  // stack below a message box when the capture window closes itself.
  std::unique_ptr<frm_TuL> capture_;
  QPointer<QWidget> secondary_;
  QPointer<QWidget> manual_;
  bool unloaded_ = false;
  // File work runs off the window's thread: the program does not end meanwhile.
  bool working_ = false;
};

}  // namespace kvotlk
