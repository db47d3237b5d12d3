// The controls of the configuration dialog, frame by frame, with the two buttons to the
// right of the frames.
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "config/FolderTree.h"
#include "config/frm_Konfiguration.h"

namespace kvotlk {
namespace {

QGroupBox* makeFrame(QWidget* owner, const char* name, const QString& caption) {
  auto* frame = new QGroupBox(caption, owner);
  frame->setObjectName(QString::fromUtf8(name));
  return frame;
}

QLabel* makeLabel(QWidget* owner, const char* name, const QString& caption) {
  auto* label = new QLabel(caption, owner);
  label->setObjectName(QString::fromUtf8(name));
  return label;
}

constexpr int kNumberBoxWidth = 60;

}  // namespace

// Two columns of frames, in their order from the top of the left one, so that the dialog
// fits a screen of 1024 x 768 with its taskbar.
void frm_Konfiguration::buildControls() {
  auto* left = new QVBoxLayout;
  left->addWidget(buildFolderFrame(), 1);
  left->addWidget(buildFileFrame());
  left->addWidget(buildDecimalsFrame());
  left->addWidget(buildLoopFrame());
  auto* right = new QVBoxLayout;
  right->addWidget(buildLengthFrame());
  right->addWidget(buildNestFrame());
  right->addWidget(buildSaveFrame());
  right->addStretch();

  OKButton = new QPushButton(QStringLiteral("OK"), this);
  OKButton->setObjectName(QStringLiteral("OKButton"));
  // OK is the default button; Abbrechen, like OK, is pressed by Enter while it has the focus.
  OKButton->setDefault(true);
  CancelButton = new QPushButton(QStringLiteral("Abbrechen"), this);
  CancelButton->setObjectName(QStringLiteral("CancelButton"));
  CancelButton->setAutoDefault(true);
  auto* buttons = new QVBoxLayout;
  buttons->addWidget(OKButton);
  buttons->addWidget(CancelButton);
  buttons->addStretch();

  auto* layout = new QHBoxLayout(this);
  layout->addLayout(left, 1);
  layout->addLayout(right, 1);
  layout->addLayout(buttons);
}

QGroupBox* frm_Konfiguration::buildFolderFrame() {
  QGroupBox* frame =
      makeFrame(this, "Frame1", QStringLiteral("Standardverzeichnis für Konverterdaten"));
  Drive_DFQ = new QComboBox(frame);
  Drive_DFQ->setObjectName(QStringLiteral("Drive_DFQ"));
  Dir_DFQ = new FolderTree(volumes_, frame);
  Dir_DFQ->setObjectName(QStringLiteral("Dir_DFQ"));
  Dir_DFQ->setMinimumHeight(140);
  Label_Verzeichnis = makeLabel(frame, "Label_Verzeichnis", QString());
  Label_Verzeichnis->setWordWrap(true);
  auto* layout = new QVBoxLayout(frame);
  layout->addWidget(Drive_DFQ);
  layout->addWidget(Dir_DFQ);
  layout->addWidget(makeLabel(frame, "Label1", QStringLiteral("Gewähltes Verzeichnis:")));
  layout->addWidget(Label_Verzeichnis);
  return frame;
}

QGroupBox* frm_Konfiguration::buildFileFrame() {
  QGroupBox* frame = makeFrame(this, "Frm_Datei", QStringLiteral("Dateiname"));
  chk_RandomFileName = addCheckBox(SettingKey::RANDOM, "chk_RandomFileName",
                                   QStringLiteral("Dateiname als Zufallszeichenfolge"));
  txt_Dateiname = addTextBox(SettingKey::FILE, "txt_Dateiname");
  txt_Dateiname->setToolTip(QStringLiteral("Fester Dateiname (max. 8 Zeichen)"));
  QCheckBox* stamp = addCheckBox(SettingKey::DateTimeStamp, "chkDateTimeForFilename",
                                 QStringLiteral("Datum_Uhrzeit Ergänzung für festen Dateinamen"));
  auto* layout = new QGridLayout(frame);
  layout->addWidget(chk_RandomFileName, 0, 0, 1, 2);
  layout->addWidget(makeLabel(frame, "Label3", QStringLiteral("Fester Dateiname:")), 1, 0);
  layout->addWidget(txt_Dateiname, 1, 1);
  layout->addWidget(stamp, 2, 0, 1, 2);
  return frame;
}

QGroupBox* frm_Konfiguration::buildDecimalsFrame() {
  QGroupBox* frame = makeFrame(this, "Frame2", QStringLiteral("Anzahl der Nachkommastellen"));
  QLineEdit* decimals = addTextBox(SettingKey::NumDez, "txt_NumDez");
  decimals->setToolTip(QStringLiteral("Anzahl der verwendeten Nachkommastellen eintragen"));
  decimals->setMaximumWidth(kNumberBoxWidth);
  auto* layout = new QHBoxLayout(frame);
  layout->addWidget(makeLabel(frame, "Label2", QStringLiteral("Anzahl:")));
  layout->addWidget(decimals);
  layout->addStretch();
  return frame;
}

QGroupBox* frm_Konfiguration::buildLoopFrame() {
  QGroupBox* frame = makeFrame(this, "Frame3", QStringLiteral("In Schleife verwenden "));
  auto* layout = new QVBoxLayout(frame);
  layout->addWidget(addCheckBox(SettingKey::SCHLEIFE, "chk_schleife",
                                QStringLiteral("Konverter in Schleife verwenden")));
  return frame;
}

QGroupBox* frm_Konfiguration::buildLengthFrame() {
  QGroupBox* frame = makeFrame(this, "Frame4", QString());
  struct Row {
    SettingKey key;
    const char* label;
    const char* box;
    const char* caption;
  };
  const Row rows[] = {
      {SettingKey::IdLaenge, "Label4", "txtLaengeID", "Maximale Länge der Merkmal ID"},
      {SettingKey::MaschinenIdLaenge, "Label5", "txtLaengeMaschId",
       "Maximale Länge der Maschinen ID"},
      {SettingKey::LaengeArtikelNr, "Label7", "txtLängeArtikelNr",
       "Maximale Länge der Artikelnummer"},
      {SettingKey::AuftragsNrLaenge, "Label6", "txtLängeAuftragsNr",
       "Maximale Länge der Auftragsnummer"},
  };
  auto* layout = new QGridLayout(frame);
  int line = 0;
  for (const Row& row : rows) {
    QLineEdit* box = addTextBox(row.key, row.box);
    box->setMaximumWidth(kNumberBoxWidth);
    layout->addWidget(makeLabel(frame, row.label, QString::fromUtf8(row.caption)), line, 0);
    layout->addWidget(box, line++, 1);
  }
  layout->addWidget(addCheckBox(SettingKey::AuftragsNrGanzzahl, "chkAuftragsNrGanzzahl",
                                QStringLiteral("Auftragsnummer muss Ganzzahl sein")),
                    line, 0, 1, 2);
  return frame;
}

QGroupBox* frm_Konfiguration::buildNestFrame() {
  QGroupBox* frame = makeFrame(this, "Frame5", QStringLiteral("Nestbezeichnung"));
  QCheckBox* atCharacteristic =
      addCheckBox(SettingKey::NestnummerAmMerkmal, "chkNestnummerAmMerkmal",
                  QStringLiteral("Nestnummer am Merkmal anhängen"));
  atCharacteristic->setToolTip(
      QStringLiteral("Wenn Option nicht aktiviert ist, wird die Nestnummer im Kopfbereich der "
                     "Datei GLOBAL geschrieben."));
  QCheckBox* useNestID = addCheckBox(SettingKey::NestIDVerwenden, "chkNestIDVerwenden",
                                     QStringLiteral("Nest ID für die Ausgabe verwenden"));
  useNestID->setToolTip(
      QStringLiteral("Wenn Option aktiviert ist, wird für die Nestausgabe die Nest ID "
                     "verwendet( die Liste der Benennungen muss definiert werden)."));
  auto* layout = new QVBoxLayout(frame);
  layout->addWidget(atCharacteristic);
  layout->addWidget(useNestID);
  return frame;
}

QGroupBox* frm_Konfiguration::buildSaveFrame() {
  QGroupBox* frame = makeFrame(this, "Frame6", QStringLiteral("Einstelllungen Speichern"));
  QCheckBox* handoff = addCheckBox(
      SettingKey::EinstellungenZurLaufzeitSpeichern, "chkEinstellungenZurLaufzeitSpeichern",
      QStringLiteral("Datei mit aktuellen Eingaben im Standardverzeichnis schreiben."));
  handoff->setToolTip(QStringLiteral(
      "Wenn Option nicht aktiviert ist, wird eine Datei mit den gesetzten "
      "Einstellungen, geschrieben. Beim Schliessen der Software wird sie gelöscht."));
  chkDateiErweiterungVerwenden =
      addCheckBox(SettingKey::DateiErweiterungVerwenden, "chkDateiErweiterungVerwenden",
                  QStringLiteral("Dateierweiterung verwenden"));
  txtDateiErweiterung = addTextBox(SettingKey::DateiErweiterung, "txtDateiErweiterung");
  QCheckBox* partCount = addCheckBox(SettingKey::MessserieUmfang, "chkMessserieUmfang",
                                     QStringLiteral("Stückzahl der zu messenden Teile ausgeben"));
  auto* extension = new QHBoxLayout;
  extension->addWidget(chkDateiErweiterungVerwenden);
  extension->addWidget(txtDateiErweiterung, 1);
  auto* layout = new QVBoxLayout(frame);
  layout->addWidget(handoff);
  layout->addLayout(extension);
  layout->addWidget(partCount);
  return frame;
}

QLineEdit* frm_Konfiguration::addTextBox(SettingKey key, const char* name) {
  auto* box = new QLineEdit(this);
  box->setObjectName(QString::fromUtf8(name));
  textBoxes_[static_cast<std::size_t>(key)] = box;
  return box;
}

QCheckBox* frm_Konfiguration::addCheckBox(SettingKey key, const char* name,
                                          const QString& caption) {
  auto* box = new QCheckBox(caption, this);
  box->setObjectName(QString::fromUtf8(name));
  checkBoxes_[static_cast<std::size_t>(key)] = box;
  return box;
}

}  // namespace kvotlk
