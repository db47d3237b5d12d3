#include "app/frm_Eingabe.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QThread>
#include <cstdlib>

#include "app/MainWindowRules.h"
#include "app/modGlobaleVariablen.h"
#include "catalogs/CatalogFiles.h"
#include "common/Environment.h"
#include "entry/OrderConfirmation.h"
#include "entry/OrderFormRules.h"
#include "entry/OrderValuesFile.h"

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

void fill(QComboBox* list, const std::vector<std::string>& entries) {
  list->clear();
  for (const std::string& entry : entries) {
    list->addItem(qt(entry));
  }
  list->setCurrentIndex(-1);
}

}  // namespace

frm_Eingabe::frm_Eingabe(Environment& env, modGlobaleVariablen& g, QWidget* parent)
    : QMainWindow(parent), env_(env), g_(g) {
  buildControls();
  connectHandlers();
  connectMenus();
}

frm_Eingabe::~frm_Eingabe() { delete secondary_.data(); }

void frm_Eingabe::connectHandlers() {
  connect(cmd_OK, &QPushButton::clicked, this, &frm_Eingabe::cmd_OK_Click);
  connect(cmd_Loeschen, &QPushButton::clicked, this, &frm_Eingabe::cmd_Loeschen_Click);
  connect(chkNest, &QCheckBox::clicked, this, &frm_Eingabe::chkNest_Click);
  connect(txt_Nestnummer, &QLineEdit::textChanged, this, &frm_Eingabe::txt_Nestnummer_Change);
}

void frm_Eingabe::Form_Load() {
  ReadStartSettings(env_, g_);
  setPartCountVisible(g_.blnMessserieUmfang);
  SetToolTips();
  DeleteLeftoverValuesFile(env_, g_);
  ReadNestIDVerwenden(env_, g_);
  applyNestFieldAtLoad();
  show();
  setPrueferList(ReadCatalogForList(env_, Catalog::Pruefer));
  setMaschineList(ReadCatalogForList(env_, Catalog::Maschine));
  presetDateTime();
}

void frm_Eingabe::applyNestFieldAtLoad() {
  if (const auto nestField = NestFieldForLoad(g_)) {
    txt_Nestnummer->setToolTip(qt(nestField->toolTip));
    if (nestField->clearNestID) {
      lblNestID->clear();
    }
  }
}

void frm_Eingabe::presetDateTime() {
  const DateTimeFields fields = PresetDateTime(env_.clock.now());
  txt_DatumTag->setText(qt(fields.txt_DatumTag));
  txt_DatumMonat->setText(qt(fields.txt_DatumMonat));
  txt_DatumJahr->setText(qt(fields.txt_DatumJahr));
  txt_UhrzeitStunde->setText(qt(fields.txt_UhrzeitStunde));
  txt_UhrzeitMinute->setText(qt(fields.txt_UhrzeitMinute));
}

void frm_Eingabe::cmd_OK_Click() {
  const OrderForm form = orderForm();
  if (const auto failure = ConfirmOrder(env_, g_, form)) {
    ShowOrderFailure(env_.prompts, *failure);
    return;
  }
  SaveOrderValues(env_, g_, form);
  ResetSamples(g_);
  openCaptureWindow();
  hide();
  ReadNestnummerAmMerkmal(env_, g_);
}

void frm_Eingabe::openCaptureWindow() {
  // The previous capture window is closed and no call of its engine can be running now.
  capture_.reset();
  capture_ = std::make_unique<frm_TuL>(env_, g_, *this);
  capture_->Form_Load();
  capture_->show();
}

void frm_Eingabe::cmd_Loeschen_Click() {
  OrderForm form = orderForm();
  ClearEntries(env_, g_, form);
  writeBack(form);
  // The next order starts with the article.
  txt_Artikel->setFocus();
}

void frm_Eingabe::writeBack(const OrderForm& form) {
  txt_Artikel->setText(qt(form.txt_Artikel));
  txt_Auftrag->setText(qt(form.txt_Auftrag));
  {
    // The rules have run the lookup for this edit already.
    const QSignalBlocker blocker(txt_Nestnummer);
    txt_Nestnummer->setText(qt(form.txt_Nestnummer));
  }
  txt_Probenumfang->setText(qt(form.txt_Probenumfang));
  combo_Pruefer->setCurrentIndex(form.combo_Pruefer ? combo_Pruefer->currentIndex() : -1);
  Combo_Maschine->setCurrentIndex(form.Combo_Maschine ? Combo_Maschine->currentIndex() : -1);
  lblNestID->setText(qt(form.lblNestID));
}

void frm_Eingabe::chkNest_Click() {
  OrderForm form = orderForm();
  const bool enabled = NestCheckBoxClicked(form);
  lblNestID->setText(qt(form.lblNestID));
  txt_Nestnummer->setEnabled(enabled);
  lblNestID->setEnabled(enabled);
}

void frm_Eingabe::txt_Nestnummer_Change() {
  OrderForm form = orderForm();
  NestNumberChanged(env_, g_, form);
  lblNestID->setText(qt(form.lblNestID));
}

void frm_Eingabe::openSecondary(QWidget* window) {
  secondary_ = window;
  window->show();
  hide();
}

void frm_Eingabe::showMainWindow() {
  show();
  raise();
  activateWindow();
}

void frm_Eingabe::setPrueferList(const std::vector<std::string>& entries) {
  fill(combo_Pruefer, entries);
}

void frm_Eingabe::setMaschineList(const std::vector<std::string>& entries) {
  fill(Combo_Maschine, entries);
}

void frm_Eingabe::clearNestEntry() {
  txt_Nestnummer->clear();
  lblNestID->clear();
}

void frm_Eingabe::clearNestID() { lblNestID->clear(); }

void frm_Eingabe::setPartCountVisible(bool visible) {
  lblStueckzahl->setVisible(visible);
  txtAnzahlDerTeile->setVisible(visible);
}

void frm_Eingabe::SetToolTips() {
  if (const auto toolTip = AuftragToolTip(g_)) {
    txt_Auftrag->setToolTip(qt(*toolTip));
  }
  txt_Artikel->setToolTip(qt(ArtikelToolTip(g_)));
}

void frm_Eingabe::showOrderWindow() { showMainWindow(); }

void frm_Eingabe::setOrderProbenumfang(const std::string& text) {
  txt_Probenumfang->setText(qt(text));
}

int frm_Eingabe::orderNestState() {
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

OrderForm frm_Eingabe::orderForm() {
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
  form.chkNest = orderNestState();
  form.txt_Nestnummer = text(txt_Nestnummer);
  form.lblNestID = lblNestID->text().toStdString();
  return form;
}

void frm_Eingabe::closeEvent(QCloseEvent* event) {
  Form_Unload();
  event->accept();
}

void frm_Eingabe::Form_Unload() {
  if (unloaded_) {
    return;
  }
  unloaded_ = true;
  ShutDown(env_, g_);
  // The program ends at once: the other windows go without their own close handling.
  // When the end comes from inside a nested event loop (the session ends while a message
  // box of the capture is open), the handler waiting under it would go on with its window
  // deleted: the process ends here instead.
  if (QThread::currentThread()->loopLevel() > 1) {
    std::_Exit(EXIT_SUCCESS);
  }
  delete secondary_.data();
  capture_.reset();
  emit unloaded();
}

}  // namespace kvotlk
