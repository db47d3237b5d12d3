#include <gtest/gtest.h>

#include <QLabel>
#include <functional>

#include "dialogs/CatalogEditorRig.h"

namespace kvotlk::test {
namespace {

using Names = std::vector<std::string>;

class EditorTest : public ::testing::Test, public CatalogEditorRig {
 public:
  static std::vector<ShownPrompt> stop(const std::string& text) {
    return {{PromptKind::Stop, text}};
  }
};

TEST_F(EditorTest, EachEditorHasItsCaptionsAndControls) {
  struct Case {
    std::function<void(EditorTest&)> open;
    std::string caption;
    std::string numberLabel;
    std::string nameLabel;
  };
  for (const Case& c :
       std::vector<Case>{{&EditorTest::openPruefer, "Einrichtung für Prüferkatalog",
                          "Prüfernummer (4stellig)", "Prüfername"},
                         {&EditorTest::openMaschine, "Einrichtung für Maschinenkatalog",
                          "Maschinennummer (5stellig)", ""},
                         {&EditorTest::openNestID, "Einrichtung für Nest ID's Katalog",
                          "Nestnummer (2stellig)", "Nest ID"}}) {
    c.open(*this);
    EXPECT_EQ(str(editor->get()->windowTitle()), c.caption);
    EXPECT_EQ(str(editor->child<QLabel>("Label1")->text()), c.numberLabel);
    auto* nameLabel = editor->get()->findChild<QLabel*>("Label2");
    EXPECT_EQ(nameLabel != nullptr ? str(nameLabel->text()) : std::string(), c.nameLabel);
    EXPECT_EQ(editor->get()->findChild<QLineEdit*>("txtName") != nullptr, !c.nameLabel.empty());
    EXPECT_EQ(str(button("cmdNew")->text()), "&Neuer Eintrag");
    EXPECT_EQ(str(editor->child<QPushButton>(deleteName)->text()), "&Eintrag löschen");
    EXPECT_EQ(str(button("cmdDeleteList")->text()), "&Liste löschen");
    EXPECT_EQ(str(button("cmdOK")->text()), "OK");
    EXPECT_EQ(str(list()->font().family()), "Courier New");
    EXPECT_TRUE(list()->font().fixedPitch());
  }
  EXPECT_TRUE(main.calls.empty());
}

// Catalogues shown as stored are held by BadInputWindows in tests/reliability.
TEST_F(EditorTest, NewEntriesGoOnTopOrAfterTheSelectedOne) {
  addCatalogue(Catalog::Pruefer, "(1)     A\r\n(2)     B\r\n");
  openPruefer();
  add("12", "Name");
  EXPECT_EQ(entries(), (Names{"(12)    Name", "(1)     A", "(2)     B"}));
  list()->setCurrentRow(1);
  add("7", " Lund");
  add("7", " Lund");
  EXPECT_EQ(entries(),
            (Names{"(12)    Name", "(1)     A", "(7)      Lund", "(7)      Lund", "(2)     B"}));
  EXPECT_EQ(str(editor->child<QLineEdit>("txtNummer")->text()), "7") << "fields keep their text";
  EXPECT_EQ(str(editor->child<QLineEdit>("txtName")->text()), " Lund");
  EXPECT_TRUE(t.prompts.shown.empty());
}

TEST_F(EditorTest, TheMachineLengthIsReadAtEachClick) {
  openMaschine();
  EXPECT_TRUE(entries().empty()) << "no catalogue yet";
  t.setSetting("MaschinenIdLaenge", "7");
  add("1234567");
  t.setSetting("MaschinenIdLaenge", "drei");
  add("ABCDEFG");
  add("ABCDEF");
  EXPECT_EQ(t.prompts.shown, stop("Maschinennummer darf max. 6stellig sein."));
  EXPECT_EQ(entries(), (Names{"ABCDEF", "1234567"}));
}

TEST_F(EditorTest, DeletingTheSelectedEntryOrTheListAndOKWritesWhatIsLeft) {
  addCatalogue(Catalog::Maschine, "1\r\n2\r\n3\r\n");
  openMaschine();
  button("cmdDeleteMaschine")->click();
  EXPECT_EQ(entries(), (Names{"1", "2", "3"})) << "nothing selected";
  list()->setCurrentRow(1);
  button("cmdDeleteMaschine")->click();
  EXPECT_EQ(entries(), (Names{"1", "3"}));
  EXPECT_TRUE(list()->selectedItems().isEmpty());
  add("4");
  EXPECT_EQ(entries(), (Names{"4", "1", "3"}));
  button("cmdDeleteList")->click();
  EXPECT_TRUE(entries().empty());
  EXPECT_EQ(t.files.content(path(Catalog::Maschine)), "1\r\n2\r\n3\r\n") << "changed before OK";
  button("cmdOK")->click();
  EXPECT_TRUE(t.files.hasFile(path(Catalog::Maschine)));
  EXPECT_EQ(t.files.content(path(Catalog::Maschine)), "");
  EXPECT_EQ(main.calls, (Names{"setMaschineList", "showMainWindow"}));
  EXPECT_TRUE(main.maschineList.empty());
  EXPECT_TRUE(editor->closed());
  EXPECT_TRUE(t.prompts.shown.empty());
}

// Each editor refuses an entry by its own rule (the rules and their messages are held by
// CatalogEntriesTest), then OK writes the list and updates the main window.
TEST_F(EditorTest, EachEditorChecksByItsRuleAndOKUpdatesTheMainWindow) {
  struct Case {
    std::function<void(EditorTest&)> open;
    Catalog catalog;
    std::string refused;
    std::string message;
    std::string number;
    std::string name;
    std::string bytes;
    std::string update;
  };
  for (const Case& c :
       std::vector<Case>{{&EditorTest::openPruefer, Catalog::Pruefer, "12345",
                          "Prüfernummer darf max. 4stellig sein.", "12", "Müller",
                          "(12)    M\xFCller\r\n(1)     A\r\n", "setPrueferList"},
                         {&EditorTest::openMaschine, Catalog::Maschine, "1234567",
                          "Maschinennummer darf max. 6stellig sein.", " 4711 ", "",
                          "4711\r\n(1)     A\r\n", "setMaschineList"},
                         {&EditorTest::openNestID, Catalog::NestID, "123",
                          "Prüfernummer darf max. 2stellig sein.", "3", "Nest links",
                          "(3)     Nest links\r\n(1)     A\r\n", "clearNestEntry"}}) {
    main.calls.clear();
    t.prompts.shown.clear();
    addCatalogue(c.catalog, "(1)     A\r\n");
    c.open(*this);
    add(c.refused, "Name");
    EXPECT_EQ(t.prompts.shown, stop(c.message));
    add(c.number, c.name);
    button("cmdOK")->click();
    EXPECT_EQ(t.files.content(path(c.catalog)), c.bytes);
    EXPECT_EQ(main.calls, (Names{c.update, "showMainWindow"}));
    EXPECT_TRUE(editor->closed());
  }
  EXPECT_EQ(main.prueferList, (Names{"(12)    Müller", "(1)     A"}));
  EXPECT_EQ(main.maschineList, (Names{"4711", "(1)     A"}));
}

TEST_F(EditorTest, TheCloseBoxLeavesFileAndMainWindowUnchanged) {
  addCatalogue(Catalog::NestID, "(1)     A\r\n");
  openNestID();
  add("2", "B");
  button("cmdDeleteList")->click();
  editor->get()->close();
  EXPECT_TRUE(editor->closed());
  EXPECT_EQ(t.files.content(path(Catalog::NestID)), "(1)     A\r\n");
  EXPECT_EQ(main.calls, Names{"showMainWindow"});
}

TEST_F(EditorTest, ACatalogueThatCannotBeWrittenKeepsTheEditorOpen) {
  openPruefer();
  add("12", "Name");
  button("cmdOK")->click();
  const std::string message = "Die Katalogdatei " + path(Catalog::Pruefer) +
                              " konnte nicht geschrieben werden.\r\nPrüfen Sie, ob der Ordner "
                              "Kataloge vorhanden ist und beschrieben werden darf. Die Liste "
                              "bleibt im Fenster erhalten.";
  EXPECT_EQ(t.prompts.shown, stop(message));
  EXPECT_FALSE(editor->closed());
  EXPECT_TRUE(editor->get()->isVisible());
  EXPECT_EQ(entries(), Names{"(12)    Name"});
  EXPECT_TRUE(main.calls.empty()) << "the main window's list is not emptied";

  // Every failing call of the save is made by CatalogueFaults in tests/reliability.
  t.files.addFolder(joinPath(t.env.programFolder, "Kataloge"));
  button("cmdOK")->click();
  EXPECT_EQ(t.files.content(path(Catalog::Pruefer)), "(12)    Name\r\n");
  EXPECT_EQ(main.calls, (Names{"setPrueferList", "showMainWindow"}));
  EXPECT_TRUE(editor->closed());
}

}  // namespace
}  // namespace kvotlk::test
