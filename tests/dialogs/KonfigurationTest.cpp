#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <algorithm>
#include <array>
#include <map>

#include "RecordingMainWindow.h"
#include "WindowTesting.h"
#include "app/RecordingStore.h"
#include "common/Paths.h"
#include "config/VolumeSource.h"
#include "config/frm_Konfiguration.h"

namespace kvotlk::test {
namespace {

std::string native(std::string path) {
  std::replace(path.begin(), path.end(), '/', kPathSeparator);
  return path;
}

class FakeVolumes final : public VolumeSource {
 public:
  std::vector<std::string> drives() override { return {native("/"), native("/mnt/daten")}; }
  std::vector<std::string> subfolders(const std::string& folder) override {
    const auto found = folders.find(folder);
    return found == folders.end() ? std::vector<std::string>{} : found->second;
  }
  std::map<std::string, std::vector<std::string>> folders{
      {native("/"), {"mnt", "opt"}},
      {native("/opt"), {"kvotlk"}},
      {native("/opt/kvotlk"), {"Daten", "Kataloge"}},
      {native("/mnt/daten"), {"pruef"}}};
};

// The setting names in the order of the key table.
std::vector<std::string> tableOrder() {
  std::vector<std::string> names;
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
    const std::array<const char*, kSettingCount> values{"",  "",  "Pruef.txt", "4",  "1",  "1",
                                                        "7", "1", "5",         "10", "12", "0",
                                                        "0", "0", "1",         "1",  "x",  "1"};
    for (std::size_t i = 0; i < kSettingCount; ++i) {
      r.t.setSetting(SettingTable()[i].name, values[i]);
    }
    r.t.setSetting("DRIVE", native("/mnt/daten"));
    r.t.setSetting("DIR", native("/mnt/daten/pruef"));
  }
  std::string stored(const std::string& key) const {
    const auto found = r.t.settings.values.find(r.t.settingPath(key));
    return found == r.t.settings.values.end() ? "(fehlt)" : found->second;
  }

  QLineEdit* box(const char* name) const {
    return dialog->child<QLineEdit>(QString::fromUtf8(name));
  }
  QCheckBox* check(const char* name) const {
    return dialog->child<QCheckBox>(QString::fromUtf8(name));
  }
  std::string text(const char* name) const { return str(box(name)->text()); }
  // Every control from FILE to MessserieUmfang in table order: a text box's text, a check
  // box as "[x]" or "[ ]".
  std::vector<std::string> shownTexts() const {
    std::vector<std::string> shown;
    for (const char* name :
         {"txt_Dateiname", "txt_NumDez", "chk_RandomFileName", "chk_schleife", "txtLaengeID",
          "chkDateTimeForFilename", "txtLaengeMaschId", "txtLängeAuftragsNr", "txtLängeArtikelNr",
          "chkAuftragsNrGanzzahl", "chkNestnummerAmMerkmal", "chkEinstellungenZurLaufzeitSpeichern",
          "chkNestIDVerwenden", "chkDateiErweiterungVerwenden", "txtDateiErweiterung",
          "chkMessserieUmfang"}) {
      auto* widget = dialog->child<QWidget>(QString::fromUtf8(name));
      auto* checkBox = qobject_cast<QCheckBox*>(widget);
      shown.push_back(checkBox == nullptr ? str(qobject_cast<QLineEdit*>(widget)->text())
                                          : (checkBox->isChecked() ? "[x]" : "[ ]"));
    }
    return shown;
  }
  QComboBox* drives() const { return dialog->child<QComboBox>("Drive_DFQ"); }
  QTreeWidget* folders() const { return dialog->child<QTreeWidget>("Dir_DFQ"); }
  std::string chosenFolder() const {
    return str(folders()->currentItem()->data(0, Qt::UserRole).toString());
  }
  std::string folderLabel() const {
    return str(dialog->child<QLabel>("Label_Verzeichnis")->text());
  }
  void click(const char* button) const {
    dialog->child<QPushButton>(QString::fromUtf8(button))->click();
  }

  RecordingEnvironment r;
  FakeVolumes volumes;
  RecordingMainWindow main;
  std::unique_ptr<WindowUnderTest<QWidget>> dialog;
};

// A control's own text: a group box's title, a label's or a button's text.
std::string caption(QWidget* widget) {
  if (auto* group = qobject_cast<QGroupBox*>(widget)) {
    return str(group->title());
  }
  if (auto* label = qobject_cast<QLabel*>(widget)) {
    return str(label->text());
  }
  return str(qobject_cast<QAbstractButton*>(widget)->text());
}

TEST_F(KonfigurationTest, EveryCaptionAndToolTip) {
  open();
  EXPECT_EQ(str(dialog->get()->windowTitle()), "Setup für Kalvero - Tessmer & Lund Konverter");
  for (const auto& [name, text] : std::vector<std::pair<const char*, std::string>>{
           {"Frame1", "Standardverzeichnis für Konverterdaten"},
           {"Frm_Datei", "Dateiname"},
           {"Frame2", "Anzahl der Nachkommastellen"},
           {"Frame3", "In Schleife verwenden "},
           {"Frame4", ""},
           {"Frame5", "Nestbezeichnung"},
           {"Frame6", "Einstelllungen Speichern"},
           {"Label1", "Gewähltes Verzeichnis:"},
           {"Label3", "Fester Dateiname:"},
           {"Label2", "Anzahl:"},
           {"Label4", "Maximale Länge der Merkmal ID"},
           {"Label5", "Maximale Länge der Maschinen ID"},
           {"Label7", "Maximale Länge der Artikelnummer"},
           {"Label6", "Maximale Länge der Auftragsnummer"},
           {"chk_RandomFileName", "Dateiname als Zufallszeichenfolge"},
           {"chkDateTimeForFilename", "Datum_Uhrzeit Ergänzung für festen Dateinamen"},
           {"chk_schleife", "Konverter in Schleife verwenden"},
           {"chkAuftragsNrGanzzahl", "Auftragsnummer muss Ganzzahl sein"},
           {"chkNestnummerAmMerkmal", "Nestnummer am Merkmal anhängen"},
           {"chkNestIDVerwenden", "Nest ID für die Ausgabe verwenden"},
           {"chkEinstellungenZurLaufzeitSpeichern",
            "Datei mit aktuellen Eingaben im Standardverzeichnis schreiben."},
           {"chkDateiErweiterungVerwenden", "Dateierweiterung verwenden"},
           {"chkMessserieUmfang", "Stückzahl der zu messenden Teile ausgeben"},
           {"OKButton", "OK"},
           {"CancelButton", "Abbrechen"}}) {
    EXPECT_EQ(caption(dialog->child<QWidget>(name)), text) << name;
  }
  for (const auto& [name, tip] : std::vector<std::pair<const char*, std::string>>{
           {"txt_Dateiname", "Fester Dateiname (max. 8 Zeichen)"},
           {"txt_NumDez", "Anzahl der verwendeten Nachkommastellen eintragen"},
           {"chkNestnummerAmMerkmal",
            "Wenn Option nicht aktiviert ist, wird die Nestnummer im Kopfbereich der Datei "
            "GLOBAL geschrieben."},
           {"chkNestIDVerwenden",
            "Wenn Option aktiviert ist, wird für die Nestausgabe die Nest ID verwendet( die Liste "
            "der Benennungen muss definiert werden)."},
           {"chkEinstellungenZurLaufzeitSpeichern",
            "Wenn Option nicht aktiviert ist, wird eine Datei mit den gesetzten Einstellungen, "
            "geschrieben. Beim Schliessen der Software wird sie gelöscht."}}) {
    EXPECT_EQ(str(dialog->child<QWidget>(name)->toolTip()), tip) << name;
  }
}

// On a fresh system every default is stored by its first read, in table order.
TEST_F(KonfigurationTest, AFreshSystemShowsAndStoresTheDefaults) {
  open();
  const std::string folder = r.t.env.programFolder;
  EXPECT_EQ(str(drives()->currentText()), native("/"));
  EXPECT_EQ(chosenFolder(), folder);
  EXPECT_EQ(shownTexts(),
            (std::vector<std::string>{"Solvik.txt", "3", "[ ]", "[ ]", "6", "[ ]", "6", "8", "8",
                                      "[x]", "[x]", "[x]", "[ ]", "[ ]", "0", "[ ]"}));
  EXPECT_EQ(r.store.writes, tableOrder());
  EXPECT_EQ(stored("DIR"), folder);
  EXPECT_EQ(r.t.g.strStandardDir, folder);
  EXPECT_TRUE(main.calls.empty());
}

TEST_F(KonfigurationTest, StoredSettingsAreShownAndSetTheLoadCopies) {
  storeOperatorSettings();
  r.t.g.intAuftragsNrLaenge = 8;
  open();
  EXPECT_EQ(str(drives()->currentText()), native("/mnt/daten"));
  EXPECT_EQ(chosenFolder(), native("/mnt/daten/pruef"));
  EXPECT_EQ(folderLabel(), native("/mnt/daten/pruef"));
  EXPECT_EQ(shownTexts(),
            (std::vector<std::string>{"Pruef.txt", "4", "[x]", "[x]", "7", "[x]", "5", "10", "12",
                                      "[ ]", "[ ]", "[ ]", "[x]", "[x]", "x", "[x]"}));
  EXPECT_FALSE(box("txt_Dateiname")->isEnabled());
  EXPECT_TRUE(box("txtDateiErweiterung")->isEnabled());
  EXPECT_TRUE(r.store.writes.empty());
  EXPECT_EQ(r.t.g.strStandardDir, native("/mnt/daten/pruef"));
  EXPECT_EQ(r.t.g.varLaengeArtikelNr, "12");
  EXPECT_EQ(r.t.g.intAuftragsNrGanzzahl, 0);
  EXPECT_TRUE(r.t.g.blnDateiErweiterungVerwenden);
  EXPECT_EQ(r.t.g.strDateiErweiterung, "x");
  EXPECT_TRUE(r.t.g.blnMessserieUmfang);
  EXPECT_EQ(r.t.g.intAuftragsNrLaenge, 8) << "set by saving only";
}

TEST_F(KonfigurationTest, AMissingDriveOrFolderLeavesTheListsWhereTheyWere) {
  struct Case {
    std::string drive;
    std::string folder;
    std::string shownDrive;
    std::string shownFolder;
  };
  const std::string program = r.t.env.programFolder;
  for (const Case& c :
       std::vector<Case>{{"/media/usb", "/weg", "/", program},
                         {"/mnt/daten", "/weg", "/mnt/daten", "/mnt/daten"},
                         {"/media/usb", "/mnt/daten/pruef", "/", "/mnt/daten/pruef"},
                         {"/", "", "/", program}}) {
    r.t.setSetting("DRIVE", native(c.drive));
    r.t.setSetting("DIR", native(c.folder));
    open();
    EXPECT_EQ(str(drives()->currentText()), native(c.shownDrive)) << c.drive;
    EXPECT_EQ(chosenFolder(), native(c.shownFolder)) << c.folder;
    EXPECT_EQ(folderLabel(), native(c.shownFolder));
    EXPECT_EQ(r.t.g.strStandardDir, native(c.shownFolder));
  }
}

TEST_F(KonfigurationTest, TheFolderTreeOpensDownToTheFolder) {
  open();
  QTreeWidgetItem* root = folders()->topLevelItem(0);
  ASSERT_NE(root, nullptr);
  EXPECT_EQ(folders()->topLevelItemCount(), 1);
  EXPECT_EQ(str(root->text(0)), native("/"));
  ASSERT_EQ(root->childCount(), 2);
  EXPECT_EQ(str(root->child(0)->text(0)), "mnt");
  QTreeWidgetItem* opt = root->child(1);
  EXPECT_TRUE(opt->isExpanded());
  ASSERT_EQ(opt->childCount(), 1);
  EXPECT_EQ(folders()->currentItem(), opt->child(0));
  EXPECT_EQ(opt->child(0)->childCount(), 2) << "the folders inside the chosen one";
}

TEST_F(KonfigurationTest, ChoosingADriveAndAFolderIsSavedOnOK) {
  storeOperatorSettings();
  r.t.setSetting("DRIVE", native("/"));
  r.t.setSetting("DIR", r.t.env.programFolder);
  open();
  drives()->setCurrentIndex(1);
  EXPECT_EQ(chosenFolder(), native("/mnt/daten"));
  EXPECT_EQ(folderLabel(), native("/mnt/daten"));
  const auto found = folders()->findItems("pruef", Qt::MatchExactly | Qt::MatchRecursive);
  ASSERT_EQ(found.size(), 1);
  folders()->setCurrentItem(found.front());
  EXPECT_EQ(folderLabel(), native("/mnt/daten/pruef"));
  click("OKButton");
  EXPECT_EQ(stored("DRIVE"), native("/mnt/daten"));
  EXPECT_EQ(stored("DIR"), native("/mnt/daten/pruef"));
  EXPECT_EQ(r.t.g.strStandardDir, native("/mnt/daten/pruef"));
}

// Which calls the main window gets for which copies is held by ConfigSettingsTest.
TEST_F(KonfigurationTest, OKWritesEverySettingInOrderAndUpdatesTheMainWindow) {
  storeOperatorSettings();
  open();
  check("chk_RandomFileName")->click();
  EXPECT_TRUE(box("txt_Dateiname")->isEnabled());
  check("chk_RandomFileName")->click();
  EXPECT_FALSE(box("txt_Dateiname")->isEnabled()) << "random names disable the fixed name";
  box("txt_Dateiname")->setText("Neu.txt");
  check("chkNestIDVerwenden")->click();
  box("txtLängeAuftragsNr")->setText("11");
  box("txtDateiErweiterung")->setText("");
  click("OKButton");
  EXPECT_EQ(r.store.writes, tableOrder());
  EXPECT_EQ(main.calls, (std::vector<std::string>{"setPartCountVisible(true)", "clearNestID",
                                                  "SetToolTips", "showMainWindow"}));
  EXPECT_TRUE(dialog->closed());
  EXPECT_EQ(stored("FILE"), "Neu.txt") << "saved also while random names are on";
  EXPECT_EQ(stored("NestIDVerwenden"), "0");
  EXPECT_EQ(stored("AuftragsNrLaenge"), "11");
  EXPECT_EQ(stored("DateiErweiterung"), "");
  EXPECT_EQ(r.t.g.strNestIDVerwenden, "0");
  EXPECT_EQ(r.t.g.intAuftragsNrLaenge, 11);
  EXPECT_EQ(r.t.g.strDateiErweiterung, "");
  EXPECT_EQ(r.t.g.intNestnummerAmMerkmal, 0);
  EXPECT_EQ(r.t.g.intEinstellungenZurLaufzeitSpeichern, 0);
}

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
  EXPECT_TRUE(dialog->get()->isVisible());
  EXPECT_EQ(text("txt_NumDez"), "5");
  EXPECT_EQ(text("txtLängeArtikelNr"), "20");
  EXPECT_EQ(stored("NumDez"), "5");
  EXPECT_EQ(stored("LaengeArtikelNr"), "12");
  EXPECT_EQ(r.t.g.varLaengeArtikelNr, "12") << "the copy follows the store";
  EXPECT_EQ(main.calls, (std::vector<std::string>{"setPartCountVisible(true)", "SetToolTips"}));

  r.store.failKey.clear();
  click("OKButton");
  EXPECT_EQ(stored("LaengeArtikelNr"), "20");
  EXPECT_EQ(r.t.g.varLaengeArtikelNr, "20");
  EXPECT_TRUE(dialog->closed());
  EXPECT_EQ(r.t.prompts.shown.size(), 1U);
  EXPECT_EQ(main.calls.back(), "showMainWindow");
}

// The extension flag's copy follows its click at once; Abbrechen restores it, the close
// box leaves it. Neither stores anything.
TEST_F(KonfigurationTest, AbbrechenAndTheCloseBoxStoreNothing) {
  for (const bool cancel : {true, false}) {
    storeOperatorSettings();
    r.t.setSetting("DateiErweiterungVerwenden", "0");
    main.calls.clear();
    open();
    check("chkDateiErweiterungVerwenden")->click();
    EXPECT_TRUE(r.t.g.blnDateiErweiterungVerwenden) << "at once, before OK";
    EXPECT_TRUE(box("txtDateiErweiterung")->isEnabled());
    box("txt_Dateiname")->setText("Anders.txt");
    check("chkMessserieUmfang")->click();
    if (cancel) {
      click("CancelButton");
    } else {
      dialog->get()->close();
    }
    EXPECT_TRUE(dialog->closed());
    EXPECT_EQ(r.t.g.blnDateiErweiterungVerwenden, !cancel);
    EXPECT_TRUE(r.t.g.blnMessserieUmfang);
    EXPECT_TRUE(r.store.writes.empty());
    EXPECT_EQ(stored("FILE"), "Pruef.txt");
    EXPECT_EQ(main.calls, std::vector<std::string>{"showMainWindow"});
  }
}

}  // namespace
}  // namespace kvotlk::test
