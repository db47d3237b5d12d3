// The configuration dialog: what it shows of the stored settings, what OK stores and tells
// the main window, Abbrechen and the close box, its keys and its size.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>
#include <algorithm>
#include <map>

#include "RecordingMainWindow.h"
#include "WindowTesting.h"
#include "app/RecordingStore.h"
#include "app/WindowTexts.h"
#include "common/Paths.h"
#include "config/VolumeSource.h"
#include "config/frm_Konfiguration.h"

namespace kvotlk::test {
namespace {

using Names = std::vector<std::string>;

std::string native(std::string path) {
  std::replace(path.begin(), path.end(), '/', kPathSeparator);
  return path;
}

class FakeVolumes final : public VolumeSource {
 public:
  std::vector<std::string> drives() override { return {native("/"), native("/mnt/daten")}; }
  std::vector<std::string> subfolders(const std::string& folder) override {
    const auto found = folders.find(folder);
    return found == folders.end() ? Names{} : found->second;
  }
  std::map<std::string, Names> folders{{native("/"), {"mnt", "opt"}},
                                       {native("/opt"), {"kvotlk"}},
                                       {native("/opt/kvotlk"), {"Daten", "Kataloge"}},
                                       {native("/mnt/daten"), {"pruef"}}};
};

Names tableOrder() {
  Names names;
  for (const SettingInfo& info : SettingTable()) {
    names.emplace_back(info.name);
  }
  return names;
}

class KonfigurationTest : public ::testing::Test {
 protected:
  KonfigurationTest() {
    r.t.files.addFolder(native("/opt/kvotlk/Daten"));
    r.t.files.addFolder(native("/mnt/daten/pruef"));
  }

  void open() {
    dialog = std::make_unique<WindowUnderTest<QWidget>>(
        new frm_Konfiguration(r.env, r.t.g, main, volumes));
  }
  // Every setting stored, none a default.
  void storeOperatorSettings() {
    const char* const values[] = {"/mnt/daten", "/mnt/daten/pruef",
                                  "Pruef.txt",  "4",
                                  "1",          "1",
                                  "7",          "1",
                                  "5",          "10",
                                  "12",         "0",
                                  "0",          "0",
                                  "1",          "1",
                                  "x",          "1"};
    for (std::size_t i = 0; i < kSettingCount; ++i) {
      r.t.setSetting(SettingTable()[i].name, native(values[i]));
    }
  }
  std::string stored(const std::string& key) const {
    const auto found = r.t.settings.values.find(r.t.settingPath(key));
    return found == r.t.settings.values.end() ? "(fehlt)" : found->second;
  }
  template <typename Widget = QWidget>
  Widget* child(const char* name) const {
    return dialog->child<Widget>(QString::fromUtf8(name));
  }
  QLineEdit* box(const char* name) const { return child<QLineEdit>(name); }
  void click(const char* name) const { child<QAbstractButton>(name)->click(); }
  std::string folderLabel() const { return str(child<QLabel>("Label_Verzeichnis")->text()); }

  RecordingEnvironment r;
  FakeVolumes volumes;
  RecordingMainWindow main;
  std::unique_ptr<WindowUnderTest<QWidget>> dialog;
};

// On a fresh system the dialog shows the defaults (texts/frm_Konfiguration.txt), each
// stored by its first read in table order; stored settings each in their own control
// (texts/frm_Konfiguration_gespeichert.txt), with the run-time copies the load sets.
TEST_F(KonfigurationTest, LoadShowsTheStoredSettingsOrStoresTheDefaults) {
  open();
  ExpectTexts(*dialog->get(), "frm_Konfiguration");
  EXPECT_EQ(r.store.writes, tableOrder());
  EXPECT_EQ(r.t.g.strStandardDir, r.t.env.programFolder);

  storeOperatorSettings();
  r.store.writes.clear();
  r.t.g.intAuftragsNrLaenge = 8;
  open();
  ExpectTexts(*dialog->get(), "frm_Konfiguration_gespeichert");
  EXPECT_EQ(r.store.writes, Names{});
  EXPECT_EQ(r.t.g.strStandardDir, native("/mnt/daten/pruef"));
  EXPECT_EQ(r.t.g.varLaengeArtikelNr + r.t.g.strDateiErweiterung, "12x");
  EXPECT_EQ(r.t.g.intAuftragsNrGanzzahl, 0);
  EXPECT_TRUE(r.t.g.blnDateiErweiterungVerwenden && r.t.g.blnMessserieUmfang);
  EXPECT_EQ(r.t.g.intAuftragsNrLaenge, 8) << "set by saving only";
  EXPECT_EQ(main.calls, Names{});
}

// The tree opens down to the folder, with the siblings on each level and the folders inside
// it; choosing a drive goes to its root, and OK stores drive and folder. A stored drive or
// folder that is gone leaves the lists where they stood, on the program folder.
TEST_F(KonfigurationTest, DriveAndFolderLists) {
  open();
  auto* tree = child<QTreeWidget>("Dir_DFQ");
  QTreeWidgetItem* root = tree->topLevelItem(0);
  ASSERT_TRUE(tree->topLevelItemCount() == 1 && root->childCount() == 2);
  EXPECT_EQ(str(root->child(0)->text(0)), "mnt");
  EXPECT_TRUE(root->child(1)->isExpanded());
  EXPECT_EQ(tree->currentItem(), root->child(1)->child(0));
  EXPECT_EQ(tree->currentItem()->childCount(), 2);
  child<QComboBox>("Drive_DFQ")->setCurrentIndex(1);
  EXPECT_EQ(folderLabel(), native("/mnt/daten"));
  tree->setCurrentItem(tree->findItems("pruef", Qt::MatchExactly | Qt::MatchRecursive).value(0));
  EXPECT_EQ(folderLabel(), native("/mnt/daten/pruef"));
  click("OKButton");
  EXPECT_EQ(stored("DRIVE") + " " + stored("DIR"), native("/mnt/daten /mnt/daten/pruef"));

  const std::string program = r.t.env.programFolder;
  for (const auto& [drive, folder, shown] :
       {std::tuple<std::string, std::string, std::string>{"/media/usb", "/weg", program},
        {"/mnt/daten", "/weg", "/mnt/daten"},
        {"/media/usb", "/mnt/daten/pruef", "/mnt/daten/pruef"}}) {
    r.t.setSetting("DRIVE", native(drive));
    r.t.setSetting("DIR", native(folder));
    open();
    EXPECT_EQ(str(child<QComboBox>("Drive_DFQ")->currentText()),
              native(drive == "/mnt/daten" ? drive : "/"));
    EXPECT_EQ(folderLabel(), native(shown)) << folder;
    EXPECT_EQ(r.t.g.strStandardDir, native(shown));
  }
}

// OK stores every control in table order, the fixed name also while random names disable
// it, and the main window follows the copies (which call for which copy: ConfigSettingsTest).
TEST_F(KonfigurationTest, OKStoresEveryControlAndUpdatesTheMainWindow) {
  storeOperatorSettings();
  open();
  click("chk_RandomFileName");
  EXPECT_TRUE(box("txt_Dateiname")->isEnabled());
  click("chk_RandomFileName");
  EXPECT_FALSE(box("txt_Dateiname")->isEnabled());
  box("txt_Dateiname")->setText("Neu.txt");
  box("txtLängeAuftragsNr")->setText("11");
  click("chkNestIDVerwenden");
  click("OKButton");
  EXPECT_EQ(r.store.writes, tableOrder());
  EXPECT_EQ(stored("FILE") + " " + stored("AuftragsNrLaenge") + " " + stored("NestIDVerwenden"),
            "Neu.txt 11 0");
  EXPECT_EQ(main.calls,
            (Names{"setPartCountVisible(true)", "clearNestID", "SetToolTips", "showMainWindow"}));
  EXPECT_TRUE(dialog->closed());
  EXPECT_EQ(r.t.g.strNestIDVerwenden + std::to_string(r.t.g.intAuftragsNrLaenge), "011");
}

// The write that fails stops the save with its message; the dialog stays with the entries,
// the settings written before are stored and their copies set, the rest keep theirs.
TEST_F(KonfigurationTest, AFailedWriteKeepsTheDialogOpenWithTheEntries) {
  storeOperatorSettings();
  open();
  box("txt_NumDez")->setText("5");
  box("txtLängeArtikelNr")->setText("20");
  r.store.failKey = "LaengeArtikelNr";
  click("OKButton");
  EXPECT_EQ(r.t.prompts.shown,
            (std::vector<ShownPrompt>{
                {PromptKind::Stop,
                 "Die Einstellung LaengeArtikelNr konnte nicht gespeichert werden.\r\n"
                 "Die Einstellungen wurden nicht vollständig übernommen."}}));
  EXPECT_FALSE(dialog->closed());
  EXPECT_EQ(str(box("txtLängeArtikelNr")->text()), "20");
  EXPECT_EQ(stored("NumDez") + " " + stored("LaengeArtikelNr") + " " + r.t.g.varLaengeArtikelNr,
            "5 12 12");
  EXPECT_EQ(main.calls, (Names{"setPartCountVisible(true)", "SetToolTips"}));
  r.store.failKey.clear();
  click("OKButton");
  EXPECT_EQ(stored("LaengeArtikelNr"), "20");
  EXPECT_TRUE(dialog->closed());
}

// Enter presses OK, or the focused button; Escape presses Abbrechen wherever the focus is.
// Only OK stores. The extension flag's copy follows its click at once; Abbrechen restores it
// from the store, the close box leaves it.
TEST_F(KonfigurationTest, EnterEscapeAbbrechenAndTheCloseBox) {
  for (const auto& [control, key, saved] : {std::tuple{"txt_NumDez", Qt::Key_Return, true},
                                            {"chk_schleife", Qt::Key_Enter, true},
                                            {"Dir_DFQ", Qt::Key_Return, true},
                                            {"Drive_DFQ", Qt::Key_Return, true},
                                            {"OKButton", Qt::Key_Return, true},
                                            {"CancelButton", Qt::Key_Return, false},
                                            {"txt_NumDez", Qt::Key_Escape, false},
                                            {"OKButton", Qt::Key_Escape, false},
                                            {"", Qt::Key_unknown, false}}) {
    SCOPED_TRACE(std::string(control) + " " + std::to_string(key));
    storeOperatorSettings();
    r.t.setSetting("DateiErweiterungVerwenden", "0");
    main.calls.clear();
    open();
    click("chkDateiErweiterungVerwenden");
    EXPECT_TRUE(r.t.g.blnDateiErweiterungVerwenden && box("txtDateiErweiterung")->isEnabled());
    box("txt_NumDez")->setText("7");
    key == Qt::Key_unknown ? static_cast<void>(dialog->get()->close())
                           : QTest::keyClick(child(control), key);
    EXPECT_TRUE(dialog->closed());
    EXPECT_EQ(stored("NumDez"), saved ? "7" : "4");
    EXPECT_EQ(r.t.g.blnDateiErweiterungVerwenden, saved || key == Qt::Key_unknown);
    EXPECT_EQ(main.calls.back(), "showMainWindow");
  }
}

// Two columns of frames: the dialog fits the 1024 x 768 screen of the measuring PC with its
// taskbar (40) and title bar (30), every frame drawn whole beside the others.
TEST_F(KonfigurationTest, FitsA1024By768ScreenWithItsTaskbar) {
  open();
  QWidget& window = *dialog->get();
  EXPECT_LE(window.minimumSizeHint().width(), 1024);
  EXPECT_LE(window.minimumSizeHint().height(), 768 - 40 - 30);
  window.resize(window.minimumSizeHint());
  EXPECT_FALSE(window.grab().isNull());
  const QList<QGroupBox*> frames = window.findChildren<QGroupBox*>();
  for (const QGroupBox* frame : frames) {
    EXPECT_TRUE(window.rect().contains(frame->geometry())) << str(frame->objectName());
    EXPECT_GE(frame->height(), frame->minimumSizeHint().height()) << str(frame->objectName());
    for (const QGroupBox* other : frames) {
      EXPECT_TRUE(frame == other || !frame->geometry().intersects(other->geometry()));
    }
  }
  EXPECT_GT(child("Frame4")->x(), child("Frame1")->geometry().right()) << "a second column";
}

}  // namespace
}  // namespace kvotlk::test
