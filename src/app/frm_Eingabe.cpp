#include "app/frm_Eingabe.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QSignalBlocker>
#include <QThread>
#include <cstdlib>

#include "gui/FileWork.h"
#include "output/WaitingFiles.h"

namespace kvotlk {
namespace {

QString qt(const std::string& text) { return QString::fromStdString(text); }

std::string text(const QLineEdit* box) { return box->text().toStdString(); }

std::optional<std::string> selection(const QComboBox* list) {
  if (list->currentIndex() < 0) {
    return std::nullopt;
  }
  return list->currentText().toStdString();
}

// The entry equal to the text, or none when the list has no such entry.
void select(QComboBox* list, const std::optional<std::string>& entry) {
  list->setCurrentIndex(entry ? list->findText(qt(*entry), Qt::MatchExactly) : -1);
}

Qt::CheckState checkState(int state) {
  switch (state) {
    case kChecked:
      return Qt::Checked;
    case kGrayed:
      return Qt::PartiallyChecked;
    default:
      return Qt::Unchecked;
  }
}

void fill(QComboBox* list, const std::vector<std::string>& entries) {
  list->clear();
  for (const std::string& entry : entries) {
    list->addItem(qt(entry));
  }
  list->setCurrentIndex(-1);
}

}  // namespace

frm_Eingabe::frm_Eingabe(Environment& env, modGlobaleVariablen& g, QWidget* parent)
    : QMainWindow(parent), env_(env), g_(g), engine_(env, g, *this) {
  buildControls();
  connectHandlers();
  connectMenus();
}

frm_Eingabe::~frm_Eingabe() { delete secondary_.data(); }

void frm_Eingabe::connectHandlers() {
  connect(cmd_OK, &QPushButton::clicked, this, &frm_Eingabe::cmd_OK_Click);
  connect(cmd_Loeschen, &QPushButton::clicked, this, &frm_Eingabe::cmd_Loeschen_Click);
  connect(chkNest, &QCheckBox::clicked, this, [this] { engine_.chkNest_Click(); });
  connect(txt_Nestnummer, &QLineEdit::textChanged, this,
          [this] { engine_.txt_Nestnummer_Change(); });
}

void frm_Eingabe::Form_Load() { engine_.Form_Load(); }

void frm_Eingabe::cmd_OK_Click() { engine_.cmd_OK_Click(); }

void frm_Eingabe::cmd_Loeschen_Click() {
  engine_.cmd_Loeschen_Click();
  // The next order starts with the article.
  txt_Artikel->setFocus();
}

void frm_Eingabe::openSecondary(QWidget* window) {
  secondary_ = window;
  window->show();
  hide();
}

OrderForm frm_Eingabe::form() {
  OrderForm form;
  form.txt_Artikel = text(txt_Artikel);
  form.Combo_Maschine = selection(Combo_Maschine);
  form.txt_Auftrag = text(txt_Auftrag);
  form.txt_Probenumfang = text(txt_Probenumfang);
  form.txtAnzahlDerTeile = text(txtAnzahlDerTeile);
  form.txt_DatumTag = text(txt_DatumTag);
  form.txt_DatumMonat = text(txt_DatumMonat);
  form.txt_DatumJahr = text(txt_DatumJahr);
  form.txt_UhrzeitStunde = text(txt_UhrzeitStunde);
  form.txt_UhrzeitMinute = text(txt_UhrzeitMinute);
  form.combo_Pruefer = selection(combo_Pruefer);
  form.chkNest = nestState();
  form.txt_Nestnummer = text(txt_Nestnummer);
  form.lblNestID = lblNestID->text().toStdString();
  return form;
}

int frm_Eingabe::nestState() {
  switch (chkNest->checkState()) {
    case Qt::Checked:
      return kChecked;
    case Qt::PartiallyChecked:
      return kGrayed;
    case Qt::Unchecked:
      break;
  }
  return kUnchecked;
}

void frm_Eingabe::showWindow() {
  show();
  raise();
  activateWindow();
}

void frm_Eingabe::hideWindow() { hide(); }

void frm_Eingabe::setPrueferList(const std::vector<std::string>& entries) {
  fill(combo_Pruefer, entries);
}

void frm_Eingabe::setMaschineList(const std::vector<std::string>& entries) {
  fill(Combo_Maschine, entries);
}

void frm_Eingabe::setPartCountVisible(bool visible) {
  lblStueckzahl->setVisible(visible);
  txtAnzahlDerTeile->setVisible(visible);
}

void frm_Eingabe::setToolTips(const std::optional<std::string>& auftrag,
                              const std::string& artikel) {
  if (auftrag) {
    txt_Auftrag->setToolTip(qt(*auftrag));
  }
  txt_Artikel->setToolTip(qt(artikel));
}

void frm_Eingabe::setNestToolTip(const std::string& toolTip) {
  txt_Nestnummer->setToolTip(qt(toolTip));
}

void frm_Eingabe::presetDateTime(const DateTimeFields& fields) {
  txt_DatumTag->setText(qt(fields.txt_DatumTag));
  txt_DatumMonat->setText(qt(fields.txt_DatumMonat));
  txt_DatumJahr->setText(qt(fields.txt_DatumJahr));
  txt_UhrzeitStunde->setText(qt(fields.txt_UhrzeitStunde));
  txt_UhrzeitMinute->setText(qt(fields.txt_UhrzeitMinute));
}

void frm_Eingabe::showEntries(const OrderForm& form) {
  txt_Artikel->setText(qt(form.txt_Artikel));
  txt_Auftrag->setText(qt(form.txt_Auftrag));
  {
    // The engine has run the lookup for this edit already.
    const QSignalBlocker blocker(txt_Nestnummer);
    txt_Nestnummer->setText(qt(form.txt_Nestnummer));
  }
  txt_Probenumfang->setText(qt(form.txt_Probenumfang));
  combo_Pruefer->setCurrentIndex(form.combo_Pruefer ? combo_Pruefer->currentIndex() : -1);
  Combo_Maschine->setCurrentIndex(form.Combo_Maschine ? Combo_Maschine->currentIndex() : -1);
  lblNestID->setText(qt(form.lblNestID));
}

void frm_Eingabe::restoreForm(const OrderForm& form) {
  showEntries(form);
  presetDateTime({form.txt_DatumTag, form.txt_DatumMonat, form.txt_DatumJahr,
                  form.txt_UhrzeitStunde, form.txt_UhrzeitMinute});
  txtAnzahlDerTeile->setText(qt(form.txtAnzahlDerTeile));
  select(combo_Pruefer, form.combo_Pruefer);
  select(Combo_Maschine, form.Combo_Maschine);
  chkNest->setCheckState(checkState(form.chkNest));
  setNestEnabled(form.chkNest == kChecked);
}

void frm_Eingabe::setNestID(const std::string& caption) { lblNestID->setText(qt(caption)); }

void frm_Eingabe::setNestEnabled(bool enabled) {
  txt_Nestnummer->setEnabled(enabled);
  lblNestID->setEnabled(enabled);
}

void frm_Eingabe::clearNestEntry() {
  txt_Nestnummer->clear();
  lblNestID->clear();
}

void frm_Eingabe::setProbenumfang(const std::string& text) { txt_Probenumfang->setText(qt(text)); }

CaptureView& frm_Eingabe::makeCaptureWindow(CaptureEngine& engine) {
  capture_ = std::make_unique<frm_TuL>(engine);
  capture_->setWaitingFiles(lblWartend->text());
  return *capture_;
}

void frm_Eingabe::setWaitingFiles(std::size_t count) {
  const QString text = qt(WaitingFilesText(count));
  lblWartend->setText(text);
  if (capture_) {
    capture_->setWaitingFiles(text);
  }
}

// The progress shows in the capture window during a send, else in the main window.
void frm_Eingabe::runFileWork(const std::function<void(WorkProgress&)>& work) {
  working_ = true;
  if (capture_ && capture_->isVisible()) {
    capture_->runFileWork(work);
  } else {
    const QList<QWidget*> blocked = {cmd_OK, cmd_Loeschen, menuBar(), Frame1, Frame2};
    RunFileWork(work, *lblWartend, *cmdAbbrechen, blocked);
  }
  working_ = false;
}

void frm_Eingabe::closeEvent(QCloseEvent* event) {
  if (working_) {
    event->ignore();
    return;
  }
  Form_Unload();
  event->accept();
}

void frm_Eingabe::Form_Unload() {
  if (unloaded_) {
    return;
  }
  unloaded_ = true;
  engine_.Form_Unload();
  // The program ends at once: the other windows go without their own close handling.
  // When the end comes from inside a nested event loop (the session ends while a message
  // box of the capture is open), the handler waiting under it would go on with its window
  // deleted: the process ends here instead.
  if (QThread::currentThread()->loopLevel() > 1) {
    std::_Exit(EXIT_SUCCESS);
  }
  delete secondary_.data();
  delete manual_.data();
  capture_.reset();
  emit unloaded();
}

}  // namespace kvotlk
