// The three catalogue editors: their captions, where new entries go, deleting, what OK
// writes and tells the main window, the close box, a failed write, and Enter.
#include <gtest/gtest.h>

#include <QFontInfo>
#include <QTest>

#include "dialogs/CatalogEditorRig.h"

namespace kvotlk::test {
namespace {

class EditorTest : public ::testing::Test, public CatalogEditorRig {
 public:
  Names messages() { return texts(std::exchange(t.prompts.shown, {})); }
};

// Captions: texts/<editor>.txt. Each editor refuses an entry by its own rule (rules.txt),
// shows the catalogue in a fixed-pitch font with a new entry on top, and on OK writes the
// list and updates the main window.
TEST_F(EditorTest, EachEditorWithItsCaptionsRuleFileAndMainWindowUpdate) {
  const std::tuple<void (CatalogEditorRig::*)(), Catalog, const char*, const char*, std::string,
                   const char*, const char*>
      cases[] = {
          {&CatalogEditorRig::openPruefer, Catalog::Pruefer, "frm_PrüferKatalog", "12345",
           "Prüfernummer darf max. 4stellig sein.", "12", "(12)    N\r\n(1)     A\r\n"},
          {&CatalogEditorRig::openMaschine, Catalog::Maschine, "frm_Maschinenkatalog", "1234567",
           "Maschinennummer darf max. 6stellig sein.", " 4711 ", "4711\r\n(1)     A\r\n"},
          {&CatalogEditorRig::openNestID, Catalog::NestID, "frm_NestIDsKatalog", "123",
           "Prüfernummer darf max. 2stellig sein.", "3", "(3)     N\r\n(1)     A\r\n"}};
  for (const auto& [open, catalog, name, refused, message, number, bytes] : cases) {
    main.calls.clear();
    addCatalogue(catalog, "(1)     A\r\n");
    (this->*open)();
    ExpectTexts(*editor->get(), name);
    EXPECT_TRUE(QFontInfo(list()->font()).fixedPitch()) << name;
    add(refused, "N");
    EXPECT_EQ(messages(), Names{message});
    add(number, "N");
    button("cmdOK")->click();
    EXPECT_EQ(t.files.content(path(catalog)), bytes);
    EXPECT_EQ(main.calls.back(), "showMainWindow");
    EXPECT_TRUE(editor->closed());
  }
  EXPECT_EQ(main.calls, (Names{"clearNestEntry", "showMainWindow"}));
  EXPECT_EQ(main.prueferList, (Names{"(12)    N", "(1)     A"}));
  EXPECT_EQ(main.maschineList, (Names{"4711", "(1)     A"}));
}

// New entries go after the selected one or on top; Enter presses the focused button and
// does nothing in a field; the fields keep their text.
TEST_F(EditorTest, NewEntriesGoOnTopOrAfterTheSelectedOneAndEnter) {
  addCatalogue(Catalog::Pruefer, "(1)     A\r\n(2)     B\r\n");
  openPruefer();
  add("12", "Name");
  list()->setCurrentRow(1);
  add("7", " Lund");
  QTest::keyClick(child(*editor->get(), "txtName"), Qt::Key_Return);
  QTest::keyClick(button("cmdNew"), Qt::Key_Return);
  EXPECT_EQ(entries(),
            (Names{"(12)    Name", "(1)     A", "(7)      Lund", "(7)      Lund", "(2)     B"}));
  QTest::keyClick(button("cmdOK"), Qt::Key_Enter, Qt::KeypadModifier);
  EXPECT_TRUE(editor->closed());
}

// The machine editor reads its length at every click ("drei" counts as 6). Deleting needs
// a selection and leaves none; the list is emptied only in the window until OK.
TEST_F(EditorTest, MachineLengthAndDeleting) {
  addCatalogue(Catalog::Maschine, "1\r\n2\r\n3\r\n");
  openMaschine();
  t.setSetting("MaschinenIdLaenge", "7");
  add("1234567");
  t.setSetting("MaschinenIdLaenge", "drei");
  add("ABCDEFG");
  EXPECT_EQ(messages(), Names{"Maschinennummer darf max. 6stellig sein."});
  button("cmdDeleteMaschine")->click();
  EXPECT_EQ(entries(), (Names{"1234567", "1", "2", "3"})) << "nothing selected";
  list()->setCurrentRow(2);
  button("cmdDeleteMaschine")->click();
  add("4");
  EXPECT_EQ(entries(), (Names{"4", "1234567", "1", "3"})) << "nothing selected after it";
  button("cmdDeleteList")->click();
  EXPECT_EQ(entries(), Names{});
  EXPECT_EQ(t.files.content(path(Catalog::Maschine)), "1\r\n2\r\n3\r\n");
  button("cmdOK")->click();
  EXPECT_EQ(t.files.content(path(Catalog::Maschine)), "");
}

// A file that cannot be written keeps the editor open with its list and the main window as
// it was; the close box leaves file and main window.
TEST_F(EditorTest, AFailedWriteAndTheCloseBoxLeaveTheMainWindow) {
  openPruefer();
  add("12", "Name");
  button("cmdOK")->click();
  EXPECT_EQ(messages(), Names{"Die Katalogdatei " + path(Catalog::Pruefer) +
                              " konnte nicht geschrieben werden.\r\nPrüfen Sie, ob der Ordner "
                              "Kataloge vorhanden ist und beschrieben werden darf. Die Liste "
                              "bleibt im Fenster erhalten."});
  EXPECT_FALSE(editor->closed());
  EXPECT_EQ(entries(), Names{"(12)    Name"});
  EXPECT_EQ(main.calls, Names{});

  addCatalogue(Catalog::NestID, "(1)     A\r\n");
  openNestID();
  button("cmdDeleteList")->click();
  editor->get()->close();
  EXPECT_TRUE(editor->closed());
  EXPECT_EQ(t.files.content(path(Catalog::NestID)), "(1)     A\r\n");
  EXPECT_EQ(main.calls, Names{"showMainWindow"});
}

}  // namespace
}  // namespace kvotlk::test
