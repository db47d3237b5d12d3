#include "config/frm_Konfiguration.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "common/Environment.h"
#include "common/FileSystem.h"
#include "common/Paths.h"
#include "common/Prompts.h"
#include "config/ConfigChecks.h"
#include "config/DriveFolders.h"
#include "config/FolderTree.h"
#include "config/VolumeSource.h"
#include "entry/OrderEngine.h"
#include "state/modGlobaleVariablen.h"

namespace kvotlk {

frm_Konfiguration::frm_Konfiguration(Environment& env, modGlobaleVariablen& g, OrderEngine& order,
                                     QWidget* parent)
    : frm_Konfiguration(env, g, order, makeSystemVolumes(), nullptr, parent) {}

frm_Konfiguration::frm_Konfiguration(Environment& env, modGlobaleVariablen& g, OrderEngine& order,
                                     VolumeSource& volumes, QWidget* parent)
    : frm_Konfiguration(env, g, order, nullptr, &volumes, parent) {}

frm_Konfiguration::frm_Konfiguration(Environment& env, modGlobaleVariablen& g, OrderEngine& order,
                                     std::unique_ptr<VolumeSource> owned, VolumeSource* volumes,
                                     QWidget* parent)
    : QWidget(parent, Qt::Window),
      env_(env),
      g_(g),
      order_(order),
      ownedVolumes_(std::move(owned)),
      volumes_(volumes != nullptr ? *volumes : *ownedVolumes_) {
  setObjectName(QStringLiteral("frm_Konfiguration"));
  setAttribute(Qt::WA_DeleteOnClose);
  setWindowTitle(QStringLiteral("Setup für Kalvero - Tessmer & Lund Konverter"));
  buildControls();
  presetLists();

  connect(OKButton, &QPushButton::clicked, this, &frm_Konfiguration::OKButton_Click);
  connect(CancelButton, &QPushButton::clicked, this, &frm_Konfiguration::CancelButton_Click);
  // toggled also follows a state set from code, as the click handlers must.
  connect(chk_RandomFileName, &QCheckBox::toggled, this,
          &frm_Konfiguration::chk_RandomFileName_Click);
  connect(chkDateiErweiterungVerwenden, &QCheckBox::toggled, this,
          &frm_Konfiguration::chkDateiErweiterungVerwenden_Click);
  connect(Drive_DFQ, &QComboBox::currentIndexChanged, this, &frm_Konfiguration::Drive_DFQ_Change);
  Form_Load();
}

frm_Konfiguration::~frm_Konfiguration() = default;

// Before the settings are read the lists stand on the program folder and its drive, so a
// stored drive or folder that is gone leaves them there.
void frm_Konfiguration::presetLists() {
  drives_ = volumes_.drives();
  for (const std::string& drive : drives_) {
    Drive_DFQ->addItem(QString::fromStdString(drive));
  }
  const auto programDrive =
      FindDrive(drives_, SettingDefault(SettingKey::DRIVE, env_.programFolder));
  Drive_DFQ->setCurrentIndex(programDrive ? static_cast<int>(*programDrive) : 0);
  connect(Dir_DFQ, &FolderTree::pathChanged, this, &frm_Konfiguration::Dir_DFQ_Change);
  Dir_DFQ->setPath(QString::fromStdString(env_.programFolder));
  txtDateiErweiterung->setEnabled(false);
}

void frm_Konfiguration::Form_Load() { LoadSettings(); }

void frm_Konfiguration::LoadSettings() {
  const ConfigEntries stored = ReadAllConfig(env_, g_);
  for (const SettingInfo& info : SettingTable()) {
    const std::string& text = EntryOf(stored, info.key);
    const auto index = static_cast<std::size_t>(info.key);
    if (info.key == SettingKey::DRIVE) {
      chooseDrive(text);
    } else if (info.key == SettingKey::DIR) {
      chooseFolder(text);
    } else if (QLineEdit* box = textBoxes_[index]) {
      box->setText(QString::fromStdString(text));
    } else if (QCheckBox* check = checkBoxes_[index]) {
      check->setChecked(CheckedBySetting(env_.numbers, text, info.key));
    }
  }
  ApplyLoadedCopies(g_, shownEntries());
  txt_Dateiname->setEnabled(!chk_RandomFileName->isChecked());
  txtDateiErweiterung->setEnabled(g_.blnDateiErweiterungVerwenden);
}

bool frm_Konfiguration::SaveSettings() {
  const auto stay = SaveConfigChecked(env_, g_, shownEntries(), order_);
  if (stay) {
    focusOn(*stay);
  }
  return !stay;
}

void frm_Konfiguration::focusOn(SettingKey key) {
  // Back from the message box, the dialog is the window the operator types in.
  activateWindow();
  const auto index = static_cast<std::size_t>(key);
  if (key == SettingKey::DIR) {
    Dir_DFQ->setFocus();
  } else if (QLineEdit* box = textBoxes_[index]) {
    box->setFocus();
    box->selectAll();
  }
}

ConfigEntries frm_Konfiguration::shownEntries() const {
  ConfigEntries shown;
  EntryOf(shown, SettingKey::DRIVE) = Drive_DFQ->currentText().toStdString();
  EntryOf(shown, SettingKey::DIR) = Dir_DFQ->path().toStdString();
  for (std::size_t i = 0; i < kSettingCount; ++i) {
    if (const QLineEdit* box = textBoxes_[i]) {
      shown[i] = box->text().toStdString();
    } else if (const QCheckBox* check = checkBoxes_[i]) {
      shown[i] = CheckText(check->isChecked());
    }
  }
  return shown;
}

void frm_Konfiguration::chooseDrive(const std::string& stored) {
  if (const auto index = FindDrive(drives_, stored)) {
    Drive_DFQ->setCurrentIndex(static_cast<int>(*index));
  }
}

void frm_Konfiguration::chooseFolder(const std::string& stored) {
  if (!stored.empty() && env_.files.folderExists(toFsPath(stored))) {
    Dir_DFQ->setPath(QString::fromStdString(stored));
  }
}

void frm_Konfiguration::OKButton_Click() {
  if (SaveSettings()) {
    close();
  }
}

void frm_Konfiguration::CancelButton_Click() {
  LoadSettings();
  close();
}

void frm_Konfiguration::closeEvent(QCloseEvent* event) {
  order_.ShowAgain();
  QWidget::closeEvent(event);
}

// As in a dialog on Windows: Enter on a control that is no button presses OK (a focused
// button takes Enter itself), Escape presses Abbrechen.
void frm_Konfiguration::keyPressEvent(QKeyEvent* event) {
  switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
      OKButton->click();
      return;
    case Qt::Key_Escape:
      CancelButton->click();
      return;
    default:
      QWidget::keyPressEvent(event);
  }
}

void frm_Konfiguration::chk_RandomFileName_Click() {
  txt_Dateiname->setEnabled(!chk_RandomFileName->isChecked());
}

void frm_Konfiguration::chkDateiErweiterungVerwenden_Click() {
  g_.blnDateiErweiterungVerwenden = chkDateiErweiterungVerwenden->isChecked();
  txtDateiErweiterung->setEnabled(g_.blnDateiErweiterungVerwenden);
}

void frm_Konfiguration::Drive_DFQ_Change() {
  Dir_DFQ->setPath(QString::fromStdString(DriveRoot(Drive_DFQ->currentText().toStdString())));
}

void frm_Konfiguration::Dir_DFQ_Change() { Label_Verzeichnis->setText(Dir_DFQ->path()); }

}  // namespace kvotlk
