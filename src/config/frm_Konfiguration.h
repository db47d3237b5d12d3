#pragma once

#include <QWidget>
#include <array>
#include <memory>
#include <string>
#include <vector>

#include "config/ConfigSettings.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace kvotlk {

struct Environment;
struct modGlobaleVariablen;
class OrderEngine;
class VolumeSource;
class FolderTree;

// The configuration dialog: every setting in a control, read when the dialog opens,
// written on OK; the run-time copies and the main window follow the saved values.
class frm_Konfiguration : public QWidget {
  Q_OBJECT

 public:
  frm_Konfiguration(Environment& env, modGlobaleVariablen& g, OrderEngine& order,
                    QWidget* parent = nullptr);
  // The drive and folder lists show what the given source offers (tests, renders).
  frm_Konfiguration(Environment& env, modGlobaleVariablen& g, OrderEngine& order,
                    VolumeSource& volumes, QWidget* parent = nullptr);
  ~frm_Konfiguration() override;

  frm_Konfiguration(const frm_Konfiguration&) = delete;
  frm_Konfiguration& operator=(const frm_Konfiguration&) = delete;

 protected:
  void closeEvent(QCloseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  frm_Konfiguration(Environment& env, modGlobaleVariablen& g, OrderEngine& order,
                    std::unique_ptr<VolumeSource> owned, VolumeSource* volumes, QWidget* parent);

  void buildControls();
  QGroupBox* buildFolderFrame();
  QGroupBox* buildFileFrame();
  QGroupBox* buildDecimalsFrame();
  QGroupBox* buildLoopFrame();
  QGroupBox* buildLengthFrame();
  QGroupBox* buildNestFrame();
  QGroupBox* buildSaveFrame();
  QLineEdit* addTextBox(SettingKey key, const char* name);
  QCheckBox* addCheckBox(SettingKey key, const char* name, const QString& caption);
  void presetLists();

  void Form_Load();
  void LoadSettings();
  bool SaveSettings();
  // The control of the setting takes the focus.
  void focusOn(SettingKey key);
  ConfigEntries shownEntries() const;
  void chooseDrive(const std::string& stored);
  void chooseFolder(const std::string& stored);

  void OKButton_Click();
  void CancelButton_Click();
  void chk_RandomFileName_Click();
  void chkDateiErweiterungVerwenden_Click();
  void Drive_DFQ_Change();
  void Dir_DFQ_Change();

  Environment& env_;
  modGlobaleVariablen& g_;
  OrderEngine& order_;
  std::unique_ptr<VolumeSource> ownedVolumes_;
  VolumeSource& volumes_;
  std::vector<std::string> drives_;

  std::array<QLineEdit*, kSettingCount> textBoxes_{};
  std::array<QCheckBox*, kSettingCount> checkBoxes_{};
  QComboBox* Drive_DFQ = nullptr;
  FolderTree* Dir_DFQ = nullptr;
  QLabel* Label_Verzeichnis = nullptr;
  QCheckBox* chk_RandomFileName = nullptr;
  QLineEdit* txt_Dateiname = nullptr;
  QCheckBox* chkDateiErweiterungVerwenden = nullptr;
  QLineEdit* txtDateiErweiterung = nullptr;
  QPushButton* OKButton = nullptr;
  QPushButton* CancelButton = nullptr;
};

}  // namespace kvotlk
