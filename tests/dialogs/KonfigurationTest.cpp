// The configuration dialog: what it shows of the stored settings, what OK stores and tells
// the main window, Abbrechen and the close box, its keys and its size.
#include <gtest/gtest.h>

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>
#include <map>
#include <sstream>

#include "RecordingMainWindow.h"
#include "app/WindowTestSupport.h"
#include "common/Paths.h"
#include "config/VolumeSource.h"
#include "config/frm_Konfiguration.h"

namespace kvotlk::test {
namespace {

std::string native(std::string path) {
  std::replace(path.begin(), path.end(), '/', kPathSeparator);
  return path;
}

class KonfigurationTest : public ::testing::Test, public TestEnvironment, public VolumeSource {
 protected:
  KonfigurationTest() {
    files.addFolder(native("/opt/kvotlk/Daten"));
    files.addFolder(native("/mnt/daten/pruef"));
  }
  std::vector<std::string> drives() override { return {native("/"), native("/mnt/daten")}; }
  std::vector<std::string> subfolders(const std::string& folder) override {
    return folders[folder];
  }
  void open() {
    dialog = std::make_unique<WindowUnderTest<QWidget>>(new frm_Konfiguration(env, g, main, *this));
  }
  // Every setting stored, none a default, in table order.
  void storeOperatorSettings() {
    std::istringstream values(
        "/mnt/daten /mnt/daten/pruef Pruef.txt 4 1 1 7 1 5 10 12 0 0 0 1 1 x 1");
    for (const SettingInfo& info : SettingTable()) {
      std::string value;
      values >> value;
      setSetting(info.name, native(value));
    }
  }
  std::string stored(const std::string& key) { return settings.values[settingPath(key)]; }
  template <typename Widget = QWidget>
  Widget* control(const char* name) const {
    return child<Widget>(*dialog->get(), name);
  }
  void click(const char* name) const { control<QAbstractButton>(name)->click(); }
  std::string folderLabel() const { return str(control<QLabel>("Label_Verzeichnis")->text()); }

  std::map<std::string, Names> folders{{native("/"), {"mnt", "opt"}},
                                       {native("/opt"), {"kvotlk"}},
                                       {native("/opt/kvotlk"), {"Daten", "Kataloge"}},
                                       {native("/mnt/daten"), {"pruef"}}};
  RecordingMainWindow main;
  std::unique_ptr<WindowUnderTest<QWidget>> dialog;
};

// On a fresh system the dialog shows the defaults (texts/frm_Konfiguration.txt) and stores
// each; stored settings each in their own control (texts/frm_Konfiguration_gespeichert.txt),
// with the run-time copies the load sets.
TEST_F(KonfigurationTest, LoadShowsTheStoredSettingsOrStoresTheDefaults) {
  open();
  ExpectTexts(*dialog->get(), "frm_Konfiguration");
  EXPECT_EQ(settings.writeCount, int(kSettingCount));
  EXPECT_EQ(g.strStandardDir, env.programFolder);

  storeOperatorSettings();
  settings.writeCount = 0;
  g.intAuftragsNrLaenge = 8;
  open();
  ExpectTexts(*dialog->get(), "frm_Konfiguration_gespeichert");
  EXPECT_EQ(settings.writeCount, 0);
  EXPECT_EQ(g.strStandardDir + " " + g.varLaengeArtikelNr + g.strDateiErweiterung,
            native("/mnt/daten/pruef 12x"));
  EXPECT_TRUE(g.intAuftragsNrGanzzahl == 0 && g.blnDateiErweiterungVerwenden &&
              g.blnMessserieUmfang);
  EXPECT_EQ(g.intAuftragsNrLaenge, 8) << "set by saving only";
  EXPECT_EQ(main.calls, Names{});
}

// The tree opens down to the folder, with the siblings on each level and the folders inside
// it; choosing a drive goes to its root, and OK stores drive and folder. A stored drive or
// folder that is gone leaves the lists where they stood, on the program folder.
TEST_F(KonfigurationTest, DriveAndFolderLists) {
  open();
  auto* tree = control<QTreeWidget>("Dir_DFQ");
  QTreeWidgetItem* root = tree->topLevelItem(0);
  ASSERT_TRUE(tree->topLevelItemCount() == 1 && root->childCount() == 2);
  EXPECT_EQ(str(root->child(0)->text(0)), "mnt");
  EXPECT_TRUE(root->child(1)->isExpanded());
  EXPECT_EQ(tree->currentItem(), root->child(1)->child(0));
  EXPECT_EQ(tree->currentItem()->childCount(), 2);
  control<QComboBox>("Drive_DFQ")->setCurrentIndex(1);
  EXPECT_EQ(folderLabel(), native("/mnt/daten"));
  tree->setCurrentItem(tree->findItems("pruef", Qt::MatchExactly | Qt::MatchRecursive).value(0));
  EXPECT_EQ(folderLabel(), native("/mnt/daten/pruef"));
  click("OKButton");
  EXPECT_EQ(stored("DRIVE") + " " + stored("DIR"), native("/mnt/daten /mnt/daten/pruef"));

  const std::string program = env.programFolder;
  for (const auto& [drive, folder, shown] :
       {std::tuple<std::string, std::string, std::string>{"/media/usb", "/weg", program},
        {"/mnt/daten", "/weg", "/mnt/daten"},
        {"/media/usb", "/mnt/daten/pruef", "/mnt/daten/pruef"}}) {
    setSetting("DRIVE", native(drive));
    setSetting("DIR", native(folder));
    open();
    EXPECT_EQ(str(control<QComboBox>("Drive_DFQ")->currentText()),
              native(drive == "/mnt/daten" ? drive : "/"));
    EXPECT_EQ(folderLabel() + " " + g.strStandardDir, native(shown + " " + shown)) << folder;
  }
}

// A save that fails stops with its message and keeps the dialog open with the entries. OK
// stores every control, the fixed name also while random names disable it, and the main
// window follows the run-time copies.
TEST_F(KonfigurationTest, OKStoresEveryControlOrStopsAtAFailedWrite) {
  storeOperatorSettings();
  open();
  click("chk_RandomFileName");
  EXPECT_TRUE(control("txt_Dateiname")->isEnabled());
  click("chk_RandomFileName");
  EXPECT_FALSE(control("txt_Dateiname")->isEnabled());
  control<QLineEdit>("txt_Dateiname")->setText("Neu.txt");
  control<QLineEdit>("txtLängeAuftragsNr")->setText("zwölf");
  click("chkNestIDVerwenden");
  click("chkMessserieUmfang");
  settings.failWrites = true;
  click("OKButton");
  EXPECT_EQ(prompts.shown,
            (std::vector<ShownPrompt>{{PromptKind::Stop,
                                       "Die Einstellung DRIVE konnte nicht gespeichert werden.\r\n"
                                       "Die Einstellungen wurden nicht vollständig übernommen."}}));
  EXPECT_FALSE(dialog->closed());
  EXPECT_EQ(str(control<QLineEdit>("txt_Dateiname")->text()) + "|" + g.strNestIDVerwenden,
            "Neu.txt|")
      << "no copy set after the failed write";
  EXPECT_EQ(main.calls, (Names{"setPartCountVisible(true)", "SetToolTips"}));
  settings.failWrites = false;
  main.calls.clear();
  click("OKButton");
  EXPECT_EQ(stored("FILE") + " " + stored("AuftragsNrLaenge"), "Neu.txt zwölf");
  EXPECT_EQ(g.intAuftragsNrLaenge, 8) << "not a number: the default";
  EXPECT_EQ(main.calls,
            (Names{"setPartCountVisible(false)", "clearNestID", "SetToolTips", "showMainWindow"}));
  EXPECT_TRUE(dialog->closed());
}

// Enter presses OK, or the focused button; Escape presses Abbrechen wherever the focus is.
// Only OK stores. The extension flag's copy follows its click at once; Abbrechen restores it
// from the store, the close box leaves it.
TEST_F(KonfigurationTest, EnterEscapeAbbrechenAndTheCloseBox) {
  for (const auto& [name, key, saved] : {std::tuple{"txt_NumDez", Qt::Key_Return, true},
                                         {"chk_schleife", Qt::Key_Enter, true},
                                         {"Dir_DFQ", Qt::Key_Return, true},
                                         {"CancelButton", Qt::Key_Return, false},
                                         {"txt_NumDez", Qt::Key_Escape, false},
                                         {"OKButton", Qt::Key_Escape, false},
                                         {"", Qt::Key_unknown, false}}) {
    SCOPED_TRACE(std::string(name) + " " + std::to_string(key));
    storeOperatorSettings();
    setSetting("DateiErweiterungVerwenden", "0");
    main.calls.clear();
    open();
    click("chkDateiErweiterungVerwenden");
    EXPECT_TRUE(g.blnDateiErweiterungVerwenden && control("txtDateiErweiterung")->isEnabled());
    control<QLineEdit>("txt_NumDez")->setText("7");
    key == Qt::Key_unknown ? static_cast<void>(dialog->get()->close())
                           : QTest::keyClick(control(name), key);
    EXPECT_TRUE(dialog->closed());
    EXPECT_EQ(stored("NumDez"), saved ? "7" : "4");
    EXPECT_EQ(g.blnDateiErweiterungVerwenden, saved || key == Qt::Key_unknown);
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
  const QList<QGroupBox*> frames = window.findChildren<QGroupBox*>();
  for (const QGroupBox* frame : frames) {
    EXPECT_TRUE(window.rect().contains(frame->geometry())) << str(frame->objectName());
    EXPECT_GE(frame->height(), frame->minimumSizeHint().height()) << str(frame->objectName());
    for (const QGroupBox* other : frames) {
      EXPECT_TRUE(frame == other || !frame->geometry().intersects(other->geometry()));
    }
  }
  EXPECT_GT(control("Frame4")->x(), control("Frame1")->geometry().right()) << "a second column";
}

}  // namespace
}  // namespace kvotlk::test
