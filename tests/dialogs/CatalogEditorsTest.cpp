#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <functional>

#include "RecordingMainWindow.h"
#include "WindowTesting.h"
#include "catalogs/frm_Maschinenkatalog.h"
#include "catalogs/frm_NestIDsKatalog.h"
#include "catalogs/frm_PrueferKatalog.h"
#include "common/Paths.h"
#include "support/TestEnvironment.h"

namespace kvotlk::test {
namespace {

// One editor open on a test environment, driven through its controls.
class EditorTest : public ::testing::Test {
 public:
  TestEnvironment t;
  RecordingMainWindow main;
  std::unique_ptr<WindowUnderTest<QWidget>> editor;
  QString listName;
  QString deleteName;

  std::string path(Catalog catalog) const { return CatalogPath(t.env.programFolder, catalog); }
  void addCatalogue(Catalog catalog, std::string bytes) {
    t.files.addFile(path(catalog), std::move(bytes));
  }

  template <typename Editor>
  void open(const char* list, const char* deleteButton) {
    editor = std::make_unique<WindowUnderTest<QWidget>>(new Editor(t.env, t.g, main));
    listName = QString::fromUtf8(list);
    deleteName = QString::fromUtf8(deleteButton);
  }
  void openPruefer() { open<frm_PrueferKatalog>("lstPrüfer", "cmdDeletePrüfer"); }
  void openMaschine() { open<frm_Maschinenkatalog>("lstMaschine", "cmdDeleteMaschine"); }
  void openNestID() { open<frm_NestIDsKatalog>("lstNestID", "cmdDeletePrüfer"); }

  QListWidget* list() const { return editor->child<QListWidget>(listName); }
  QPushButton* button(const char* name) const {
    return editor->child<QPushButton>(QString::fromUtf8(name));
  }
  std::vector<std::string> entries() const {
    std::vector<std::string> shown;
    shown.reserve(static_cast<std::size_t>(list()->count()));
    for (int row = 0; row < list()->count(); ++row) {
      shown.push_back(str(list()->item(row)->text()));
    }
    return shown;
  }
  void type(const std::string& number, const std::string& name = {}) {
    editor->child<QLineEdit>("txtNummer")->setText(QString::fromStdString(number));
    if (auto* nameBox = editor->get()->findChild<QLineEdit*>("txtName")) {
      nameBox->setText(QString::fromStdString(name));
    }
  }
  void add(const std::string& number, const std::string& name = {}) {
    type(number, name);
    button("cmdNew")->click();
  }
  void select(int row) const { list()->setCurrentRow(row); }
  void deleteSelected() const { editor->child<QPushButton>(deleteName)->click(); }
  std::vector<ShownPrompt> stops(const std::vector<std::string>& texts) const {
    std::vector<ShownPrompt> expected;
    expected.reserve(texts.size());
    for (const std::string& text : texts) {
      expected.push_back({PromptKind::Stop, text});
    }
    return expected;
  }
};

TEST_F(EditorTest, EachEditorHasItsCaptionsAndControls) {
  struct Case {
    std::function<void(EditorTest&)> open;
    std::string form;
    std::string caption;
    std::string numberLabel;
    std::string nameLabel;
  };
  for (const Case& c : std::vector<Case>{
           {&EditorTest::openPruefer, "frm_PrüferKatalog", "Einrichtung für Prüferkatalog",
            "Prüfernummer (4stellig)", "Prüfername"},
           {&EditorTest::openMaschine, "frm_Maschinenkatalog", "Einrichtung für Maschinenkatalog",
            "Maschinennummer (5stellig)", ""},
           {&EditorTest::openNestID, "frm_NestIDsKatalog", "Einrichtung für Nest ID's Katalog",
            "Nestnummer (2stellig)", "Nest ID"}}) {
    c.open(*this);
    EXPECT_EQ(str(editor->get()->objectName()), c.form);
    EXPECT_EQ(str(editor->get()->windowTitle()), c.caption);
    EXPECT_TRUE(editor->get()->isWindow());
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

TEST_F(EditorTest, TheListShowsTheFileAsStoredAndIsEmptyWithoutIt) {
  addCatalogue(Catalog::Pruefer, "(12)    M\xFCller\r\n\r\n(7)     Lund\r\n");
  openPruefer();
  EXPECT_EQ(entries(), (std::vector<std::string>{"(12)    Müller", "", "(7)     Lund"}));
  openMaschine();
  EXPECT_TRUE(entries().empty());
  EXPECT_TRUE(t.prompts.shown.empty());
}

TEST_F(EditorTest, NewEntriesGoOnTopOrAfterTheSelectedOne) {
  addCatalogue(Catalog::Pruefer, "(1)     A\r\n(2)     B\r\n");
  openPruefer();
  add("12", "Name");
  EXPECT_EQ(entries(), (std::vector<std::string>{"(12)    Name", "(1)     A", "(2)     B"}));
  select(1);
  add("7", " Lund");
  add("7", " Lund");
  EXPECT_EQ(entries(), (std::vector<std::string>{"(12)    Name", "(1)     A", "(7)      Lund",
                                                 "(7)      Lund", "(2)     B"}));
  EXPECT_EQ(str(editor->child<QLineEdit>("txtNummer")->text()), "7") << "fields keep their text";
  EXPECT_EQ(str(editor->child<QLineEdit>("txtName")->text()), " Lund");
  EXPECT_TRUE(t.prompts.shown.empty());
}

TEST_F(EditorTest, InspectorInputIsRefusedWithItsMessages) {
  addCatalogue(Catalog::Pruefer, "(1)     A\r\n");
  openPruefer();
  add("", "Name");
  add("12", "   ");
  add("12345", "Name");
  add("12a", "Name");
  EXPECT_EQ(t.prompts.shown, stops({"Felder nicht ausgefüllt.", "Felder nicht ausgefüllt.",
                                    "Prüfernummer darf max. 4stellig sein.",
                                    "Prüfernummer muss eine Ganzzahl sein."}));
  EXPECT_EQ(entries(), std::vector<std::string>{"(1)     A"});
}

TEST_F(EditorTest, NestIDInputIsRefusedWithItsMessages) {
  openNestID();
  add("3", "");
  add("123", "Nest");
  add("x", "Nest");
  add("3", "Nest links");
  EXPECT_EQ(t.prompts.shown,
            stops({"Felder nicht ausgefüllt.", "Prüfernummer darf max. 2stellig sein.",
                   "Prüfernummer muss eine Ganzzahl sein."}));
  EXPECT_EQ(entries(), std::vector<std::string>{"(3)     Nest links"});
}

TEST_F(EditorTest, TheMachineLengthIsReadAtEachClick) {
  openMaschine();
  add("  ");
  add("1234567");
  t.setSetting("MaschinenIdLaenge", "7");
  add("1234567");
  t.setSetting("MaschinenIdLaenge", "drei");
  add("ABCDEFG");
  add("ABCDEF");
  EXPECT_EQ(t.prompts.shown,
            stops({"Felder nicht ausgefüllt.", "Maschinennummer darf max. 6stellig sein.",
                   "Maschinennummer darf max. 6stellig sein."}));
  EXPECT_EQ(entries(), (std::vector<std::string>{"ABCDEF", "1234567"}));
}

TEST_F(EditorTest, DeletingRemovesTheSelectedEntryOnly) {
  addCatalogue(Catalog::Maschine, "1\r\n2\r\n3\r\n");
  openMaschine();
  deleteSelected();
  EXPECT_EQ(entries(), (std::vector<std::string>{"1", "2", "3"})) << "nothing selected";
  select(1);
  deleteSelected();
  EXPECT_EQ(entries(), (std::vector<std::string>{"1", "3"}));
  EXPECT_TRUE(list()->selectedItems().isEmpty());
  add("4");
  EXPECT_EQ(entries(), (std::vector<std::string>{"4", "1", "3"}));
  EXPECT_TRUE(t.prompts.shown.empty());
}

TEST_F(EditorTest, EmptyingTheListAndOKWritesAnEmptyCatalogue) {
  addCatalogue(Catalog::Pruefer, "(1)     A\r\n");
  openPruefer();
  button("cmdDeleteList")->click();
  EXPECT_TRUE(entries().empty());
  EXPECT_EQ(t.files.content(path(Catalog::Pruefer)), "(1)     A\r\n") << "file changed on OK";
  button("cmdOK")->click();
  EXPECT_TRUE(t.files.hasFile(path(Catalog::Pruefer)));
  EXPECT_EQ(t.files.content(path(Catalog::Pruefer)), "");
  EXPECT_EQ(main.calls, (std::vector<std::string>{"setPrueferList", "showMainWindow"}));
  EXPECT_TRUE(main.prueferList.empty());
  EXPECT_TRUE(editor->closed());
}

TEST_F(EditorTest, OKRewritesEachCatalogueAndUpdatesTheMainWindow) {
  struct Case {
    std::function<void(EditorTest&)> open;
    Catalog catalog;
    std::string number;
    std::string name;
    std::string bytes;
    std::string update;
  };
  for (const Case& c :
       std::vector<Case>{{&EditorTest::openPruefer, Catalog::Pruefer, "12", "Müller",
                          "(12)    M\xFCller\r\n(1)     A\r\n", "setPrueferList"},
                         {&EditorTest::openMaschine, Catalog::Maschine, " 4711 ", "",
                          "4711\r\n(1)     A\r\n", "setMaschineList"},
                         {&EditorTest::openNestID, Catalog::NestID, "3", "Nest links",
                          "(3)     Nest links\r\n(1)     A\r\n", "clearNestEntry"}}) {
    main.calls.clear();
    addCatalogue(c.catalog, "(1)     A\r\n");
    c.open(*this);
    add(c.number, c.name);
    button("cmdOK")->click();
    EXPECT_EQ(t.files.content(path(c.catalog)), c.bytes);
    EXPECT_EQ(main.calls, (std::vector<std::string>{c.update, "showMainWindow"}));
    EXPECT_TRUE(editor->closed());
  }
  EXPECT_EQ(main.prueferList, (std::vector<std::string>{"(12)    Müller", "(1)     A"}));
  EXPECT_EQ(main.maschineList, (std::vector<std::string>{"4711", "(1)     A"}));
}

TEST_F(EditorTest, TheCloseBoxLeavesFileAndMainWindowUnchanged) {
  addCatalogue(Catalog::NestID, "(1)     A\r\n");
  openNestID();
  add("2", "B");
  button("cmdDeleteList")->click();
  editor->get()->close();
  EXPECT_TRUE(editor->closed());
  EXPECT_EQ(t.files.content(path(Catalog::NestID)), "(1)     A\r\n");
  EXPECT_EQ(main.calls, std::vector<std::string>{"showMainWindow"});
}

TEST_F(EditorTest, ACatalogueThatCannotBeWrittenKeepsTheEditorOpen) {
  openPruefer();
  add("12", "Name");
  button("cmdOK")->click();
  const std::string message = "Die Katalogdatei " + path(Catalog::Pruefer) +
                              " konnte nicht geschrieben werden.\r\nPrüfen Sie, ob der Ordner "
                              "Kataloge vorhanden ist und beschrieben werden darf. Die Liste "
                              "bleibt im Fenster erhalten.";
  EXPECT_EQ(t.prompts.shown, stops({message}));
  EXPECT_FALSE(editor->closed());
  EXPECT_TRUE(editor->get()->isVisible());
  EXPECT_EQ(entries(), std::vector<std::string>{"(12)    Name"});
  EXPECT_TRUE(main.calls.empty()) << "the main window's list is not emptied";

  t.files.addFolder(joinPath(t.env.programFolder, "Kataloge"));
  t.files.failWhen = [](const FsCall& call) { return call.op == FsOp::Close; };
  button("cmdOK")->click();
  EXPECT_EQ(t.prompts.shown, stops({message, message}));
  EXPECT_TRUE(main.calls.empty());

  t.files.clearFaults();
  t.files.failWhen = nullptr;
  button("cmdOK")->click();
  EXPECT_EQ(t.files.content(path(Catalog::Pruefer)), "(12)    Name\r\n");
  EXPECT_EQ(main.calls, (std::vector<std::string>{"setPrueferList", "showMainWindow"}));
  EXPECT_TRUE(editor->closed());
}

}  // namespace
}  // namespace kvotlk::test
