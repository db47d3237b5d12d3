// The controls, arrangement, keyboard order and menus of the main window.
#include <QCheckBox>
#include <QComboBox>
#include <QFontMetrics>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/frm_Eingabe.h"
#include "gui/WindowKeys.h"

namespace kvotlk {
namespace {

// The font of the two drop-down lists: fixed pitch, so that the padded numbers of the
// catalogue entries line up.
QFont fixedPitchFont(const QFont& base) {
  QFont font = base;
  font.setFamilies({QStringLiteral("Courier New"), QStringLiteral("Liberation Mono")});
  font.setStyleHint(QFont::TypeWriter);
  font.setFixedPitch(true);
  return font;
}

QLineEdit* textBox(QWidget* parent, const QString& name, int chars, bool centred) {
  auto* box = new QLineEdit(parent);
  box->setObjectName(name);
  const QFontMetrics metrics(box->font());
  box->setFixedWidth(metrics.horizontalAdvance(QString(chars, QLatin1Char('W'))) / 2 +
                     metrics.horizontalAdvance(QString(chars, QLatin1Char('0'))) / 2 + 14);
  if (centred) {
    box->setAlignment(Qt::AlignCenter);
  }
  return box;
}

QLabel* caption(QWidget* parent, const QString& name, const QString& text) {
  auto* label = new QLabel(text, parent);
  label->setObjectName(name);
  return label;
}

QLabel* boldSeparator(QWidget* parent, const QString& name, const QString& text) {
  QLabel* label = caption(parent, name, text);
  QFont font = label->font();
  font.setBold(true);
  label->setFont(font);
  return label;
}

QComboBox* dropDownList(QWidget* parent, const QString& name, int chars) {
  auto* list = new QComboBox(parent);
  list->setObjectName(name);
  list->setEditable(false);
  list->setFont(fixedPitchFont(list->font()));
  const QFontMetrics metrics(list->font());
  list->setFixedWidth(metrics.horizontalAdvance(QString(chars, QLatin1Char('0'))) + 30);
  return list;
}

// A row of controls that keep their widths, left-aligned.
QHBoxLayout* row(std::initializer_list<QWidget*> widgets) {
  auto* layout = new QHBoxLayout;
  layout->setSpacing(4);
  for (QWidget* widget : widgets) {
    layout->addWidget(widget);
  }
  layout->addStretch(1);
  return layout;
}

}  // namespace

void frm_Eingabe::buildControls() {
  setObjectName(QStringLiteral("frm_Eingabe"));
  setWindowTitle(QStringLiteral("Kalvero - Tessmer & Lund Konverter"));

  auto* central = new QWidget(this);
  central->setObjectName(QStringLiteral("centralWidget"));
  auto* frames = new QVBoxLayout;
  frames->addWidget(buildFrame1());
  frames->addWidget(buildFrame2());
  // How many result files wait, or what the program delivers right now.
  lblWartend = caption(central, QStringLiteral("lblWartend"), QString());
  frames->addWidget(lblWartend);
  auto* columns = new QHBoxLayout(central);
  columns->addLayout(frames);
  columns->addWidget(buildButtons(), 0, Qt::AlignTop);
  setCentralWidget(central);

  buildMenus();
  setKeyboardOrder();
  EnterPressesTheFocusedButton(*this);
  // The size with the part count shown; hiding it leaves the arrangement as it is.
  setFixedSize(sizeHint());
}

QWidget* frm_Eingabe::buildFrame1() {
  Frame1 = new QGroupBox(QStringLiteral("Pflichtfelder"), this);
  Frame1->setObjectName(QStringLiteral("Frame1"));

  txt_Artikel = textBox(Frame1, QStringLiteral("txt_Artikel"), 16, false);
  Combo_Maschine = dropDownList(Frame1, QStringLiteral("Combo_Maschine"), 16);
  txt_Auftrag = textBox(Frame1, QStringLiteral("txt_Auftrag"), 16, false);
  txt_Probenumfang = textBox(Frame1, QStringLiteral("txt_Probenumfang"), 5, false);
  txt_Probenumfang->setToolTip(QStringLiteral("max. 5 Zeichen eintragen"));
  lblStueckzahl =
      caption(Frame1, QStringLiteral("lblStueckzahl"), QStringLiteral("Anzahl der Teile"));
  txtAnzahlDerTeile = textBox(Frame1, QStringLiteral("txtAnzahlDerTeile"), 5, false);
  txtAnzahlDerTeile->setToolTip(QStringLiteral("max. 5 Zeichen eintragen"));
  txt_DatumTag = textBox(Frame1, QStringLiteral("txt_DatumTag"), 2, true);
  txt_DatumTag->setToolTip(QStringLiteral("Tag (max. 2 Zeichen)"));
  txt_DatumMonat = textBox(Frame1, QStringLiteral("txt_DatumMonat"), 2, true);
  txt_DatumMonat->setToolTip(QStringLiteral("Monat (max. 2 Zeichen)"));
  txt_DatumJahr = textBox(Frame1, QStringLiteral("txt_DatumJahr"), 4, true);
  txt_DatumJahr->setToolTip(QStringLiteral("Jahr (max. 4 Zeichen eintragen)"));
  txt_UhrzeitStunde = textBox(Frame1, QStringLiteral("txt_UhrzeitStunde"), 2, true);
  txt_UhrzeitStunde->setToolTip(QStringLiteral("Stunde (max. 2 Zeichen)"));
  txt_UhrzeitMinute = textBox(Frame1, QStringLiteral("txt_UhrzeitMinute"), 2, true);
  txt_UhrzeitMinute->setToolTip(QStringLiteral("Minute (max. 2 Zeichen)"));
  combo_Pruefer = dropDownList(Frame1, QStringLiteral("combo_Prüfer"), 34);

  auto* grid = new QGridLayout(Frame1);
  grid->setHorizontalSpacing(12);
  const auto addRow = [&](int index, const QString& name, const QString& text, QLayout* fields) {
    grid->addWidget(caption(Frame1, name, text), index, 0);
    grid->addLayout(fields, index, 1);
  };
  addRow(0, QStringLiteral("lblArtikel"), QStringLiteral("Artikel"), row({txt_Artikel}));
  addRow(1, QStringLiteral("lblMaschine"), QStringLiteral("Fertigungsmaschine"),
         row({Combo_Maschine}));
  addRow(2, QStringLiteral("lblAuftrag"), QStringLiteral("Auftrag"), row({txt_Auftrag}));
  QHBoxLayout* sampleRow = row({txt_Probenumfang});
  sampleRow->insertSpacing(1, 24);
  sampleRow->insertWidget(2, lblStueckzahl);
  sampleRow->insertWidget(3, txtAnzahlDerTeile);
  addRow(3, QStringLiteral("lblStichprobenumfang"), QStringLiteral("Stichprobenumfang"), sampleRow);
  addRow(
      4, QStringLiteral("lblDatum"), QStringLiteral("Fertigungsdatum"),
      row({txt_DatumTag, boldSeparator(Frame1, QStringLiteral("lblPunktTag"), QStringLiteral(".")),
           txt_DatumMonat,
           boldSeparator(Frame1, QStringLiteral("lblPunktMonat"), QStringLiteral(".")),
           txt_DatumJahr}));
  addRow(5, QStringLiteral("lblUhrzeit"), QStringLiteral("Fertigungsuhrzeit"),
         row({txt_UhrzeitStunde,
              boldSeparator(Frame1, QStringLiteral("lblDoppelpunkt"), QStringLiteral(":")),
              txt_UhrzeitMinute}));
  addRow(6, QStringLiteral("lblPruefer"), QStringLiteral("Prüfer"), row({combo_Pruefer}));
  return Frame1;
}

QWidget* frm_Eingabe::buildFrame2() {
  Frame2 = new QGroupBox(QStringLiteral("Optionale Daten"), this);
  Frame2->setObjectName(QStringLiteral("Frame2"));
  chkNest = new QCheckBox(QStringLiteral("Nestnummer"), Frame2);
  chkNest->setObjectName(QStringLiteral("chkNest"));
  txt_Nestnummer = textBox(Frame2, QStringLiteral("txt_Nestnummer"), 3, true);
  txt_Nestnummer->setEnabled(false);
  lblNestID = caption(Frame2, QStringLiteral("lblNestID"), QString());
  lblNestID->setMinimumWidth(txt_Nestnummer->width() * 4);
  auto* layout = new QHBoxLayout(Frame2);
  layout->setSpacing(12);
  layout->addWidget(chkNest);
  layout->addWidget(txt_Nestnummer);
  layout->addWidget(lblNestID, 1);
  return Frame2;
}

QWidget* frm_Eingabe::buildButtons() {
  auto* buttons = new QWidget(this);
  buttons->setObjectName(QStringLiteral("buttonColumn"));
  cmd_OK = new QPushButton(QStringLiteral("&OK"), buttons);
  cmd_OK->setObjectName(QStringLiteral("cmd_OK"));
  cmd_OK->setToolTip(QStringLiteral("Daten werden übertragen"));
  cmd_Loeschen = new QPushButton(QStringLiteral("Einträge &Löschen"), buttons);
  cmd_Loeschen->setObjectName(QStringLiteral("cmd_Loeschen"));
  cmd_Loeschen->setToolTip(QStringLiteral("Einträge entfernen"));
  // Shown only while files are delivered: stops waiting for a slow target folder.
  cmdAbbrechen = new QPushButton(QStringLiteral("Abbrechen"), buttons);
  cmdAbbrechen->setObjectName(QStringLiteral("cmdAbbrechen"));
  cmdAbbrechen->hide();
  auto* layout = new QVBoxLayout(buttons);
  layout->setContentsMargins(0, 8, 0, 0);
  layout->addWidget(cmd_OK);
  layout->addWidget(cmd_Loeschen);
  layout->addWidget(cmdAbbrechen);
  return buttons;
}

void frm_Eingabe::buildMenus() {
  const auto menu = [this](const QString& name, const QString& title) {
    QMenu* item = menuBar()->addMenu(title);
    item->setObjectName(name);
    return item;
  };
  const auto command = [](QMenu* parent, const QString& name, const QString& text) {
    QAction* action = parent->addAction(text);
    action->setObjectName(name);
    return action;
  };
  menuBar()->setObjectName(QStringLiteral("menuBar"));
  QMenu* menuDatei = menu(QStringLiteral("menuDatei"), QStringLiteral("&Datei"));
  menuWartendeDateien = command(menuDatei, QStringLiteral("menuWartendeDateien"),
                                QStringLiteral("&Wartende Dateien senden"));
  menuBeenden = command(menuDatei, QStringLiteral("menuBeenden"), QStringLiteral("&Beenden"));
  QMenu* menuEinstellungen =
      menu(QStringLiteral("menuEinstellungen"), QStringLiteral("&Einstellungen"));
  menuSetup = command(menuEinstellungen, QStringLiteral("menuSetup"), QStringLiteral("&Setup"));
  QMenu* menuKataloge = menu(QStringLiteral("menuKataloge"), QStringLiteral("&Kataloge"));
  menuMaschine = command(menuKataloge, QStringLiteral("menuMaschine"), QStringLiteral("&Maschine"));
  menuPruefer = command(menuKataloge, QStringLiteral("menuPrüfer"), QStringLiteral("&Prüfer"));
  NestIDsKatalog =
      command(menuKataloge, QStringLiteral("NestIDsKatalog"), QStringLiteral("&Nest ID's Katalog"));
  QMenu* menuHilfe = menu(QStringLiteral("menuHilfe"), QStringLiteral("&?"));
  menuHandbuch = command(menuHilfe, QStringLiteral("menuHandbuch"), QStringLiteral("&Handbuch"));
  menuHandbuch->setShortcut(QKeySequence(Qt::Key_F1));
  menuInfo = command(menuHilfe, QStringLiteral("menuInfo"),
                     QStringLiteral("&Info zu Kalvero - Tessmer && Lund Konverter"));
}

void frm_Eingabe::setKeyboardOrder() {
  QWidget* const order[] = {txt_Artikel,    txt_Auftrag,    txt_Probenumfang,  txt_DatumTag,
                            txt_DatumMonat, txt_DatumJahr,  txt_UhrzeitStunde, txt_UhrzeitMinute,
                            combo_Pruefer,  chkNest,        txt_Nestnummer,    cmd_OK,
                            cmd_Loeschen,   Combo_Maschine, txtAnzahlDerTeile};
  for (std::size_t i = 1; i < std::size(order); ++i) {
    setTabOrder(order[i - 1], order[i]);
  }
}

}  // namespace kvotlk
