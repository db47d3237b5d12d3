// The main window: its controls as loaded, arrangement and keys, what it passes to the
// rules of order entry and shows of their answer, the windows it opens, and shutdown.
#include <QAction>
#include <QCheckBox>
#include <QFontInfo>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

#include "WindowTestSupport.h"
#include "catalogs/CatalogFiles.h"
#include "common/Paths.h"

namespace kvotlk::test {
namespace {

class MainWindowTest : public ::testing::Test, public MainWindowRig {
 protected:
  // Text of a field and caption of the nest ID, as the operator reads them.
  std::string shown(const char* field) const {
    return str(edit(field)->text() + QLatin1Char('|') + child<QLabel>("lblNestID")->text());
  }
  void press(const char* name, Qt::Key key = Qt::Key_Return) const {
    child(name)->setFocus();
    QTest::keyClick(child(name), key, key == Qt::Key_Enter ? Qt::KeypadModifier : Qt::NoModifier);
  }
};

// Captions, tool tips, keyboard order, preset date and time, states and menus:
// texts/frm_Eingabe*.txt, the second with the part count and the tool tips of other
// settings. The catalogue messages appear over the shown window, and the load goes on.
TEST_F(MainWindowTest, LoadShowsTheFormAsDesigned) {
  files.addFile(joinPath(env.programFolder, "TLValues.txt"), "Artikel=alt\r\n");
  ExpectTexts(load(), "frm_Eingabe");
  EXPECT_FALSE(files.hasFile(joinPath(env.programFolder, "TLValues.txt"))) << "leftover removed";
  for (const char* name : {"combo_Prüfer", "Combo_Maschine"}) {
    EXPECT_TRUE(QFontInfo(child<QComboBox>(name)->font()).fixedPitch()) << name;
  }
  MainWindowRig other;
  for (const auto& [key, value] : {std::pair{"MessserieUmfang", "1"},
                                   {"AuftragsNrGanzzahl", "0"},
                                   {"AuftragsNrLaenge", "12"},
                                   {"LaengeArtikelNr", " 9"},
                                   {"NestIDVerwenden", "1"}}) {
    other.setSetting(key, value);
  }
  for (const Catalog catalog : {Catalog::Pruefer, Catalog::Maschine}) {
    other.files.removeFile(toFsPath(CatalogPath(env.programFolder, catalog)));
  }
  ExpectTexts(other.load(), "frm_Eingabe_Einstellungen");
  EXPECT_EQ(other.messages(),
            (Names{"Katalogdatei für Prüfer fehlt. Erzeugen Sie zuerst diesen Katalog.",
                   "Katalogdatei für Maschine fehlt. Erzeugen Sie zuerst diesen Katalog."}));
  EXPECT_EQ(other.observed.windowVisible, (std::vector<bool>{true, true}));
}

// Enter presses the focused button, in a field it does nothing; after the clear the focus
// is back in the article field.
TEST_F(MainWindowTest, Enter) {
  load();
  QApplication::setActiveWindow(window.get());
  ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
  fillValidOrder();
  press("txt_Auftrag");
  EXPECT_EQ(window->captureWindow(), nullptr) << "no default button";
  press("cmd_Loeschen");
  EXPECT_EQ(shown("txt_Auftrag"), "|");
  EXPECT_EQ(QApplication::focusWidget(), edit("txt_Artikel"));
  fillValidOrder();
  press("cmd_OK", Qt::Key_Enter);
  EXPECT_NE(window->captureWindow(), nullptr) << ::testing::PrintToString(messages());
}

// The nest box switches the number and its ID; every edit of the number is looked up.
// Clear empties article, order, nest number, sample size and both selections, the lookup
// running once for the emptied number.
TEST_F(MainWindowTest, ClearButtonAndNestFields) {
  setSetting("NestIDVerwenden", "1");
  load();
  fillValidOrder();
  auto* nest = child<QCheckBox>("chkNest");
  nest->click();
  EXPECT_TRUE(edit("txt_Nestnummer")->isEnabled() && child("lblNestID")->isEnabled());
  edit("txt_Nestnummer")->setText(QStringLiteral("AB"));
  EXPECT_EQ(shown("txt_Nestnummer"), "AB|Nest-A");
  nest->click();
  EXPECT_FALSE(edit("txt_Nestnummer")->isEnabled() || child("lblNestID")->isEnabled());
  EXPECT_EQ(shown("txt_Nestnummer"), "AB|");
  nest->click();
  EXPECT_EQ(shown("txt_Nestnummer"), "AB|") << "no lookup until edited";
  QTest::keyClicks(edit("txt_Nestnummer"), QStringLiteral("\b\b2"));
  EXPECT_EQ(shown("txt_Nestnummer"), "2|Nest rechts");

  files.calls.clear();
  child<QPushButton>("cmd_Loeschen")->click();
  const OrderForm form = window->orderForm();
  EXPECT_EQ(form.txt_Artikel + form.txt_Auftrag + form.txt_Nestnummer + form.txt_Probenumfang +
                form.lblNestID + (form.combo_Pruefer ? "P" : "") + (form.Combo_Maschine ? "M" : ""),
            "");
  EXPECT_EQ(files.calls.size(), 1U) << "one lookup of the emptied number";
  EXPECT_EQ(form.txt_DatumTag + form.txt_UhrzeitStunde, "0508");
  EXPECT_EQ(form.chkNest, kChecked);
}

// The confirmation resets the samples, opens the capture window and hides this one, then
// reads NestnummerAmMerkmal; a raised sample size shows in the order's field; the next
// confirmation replaces the capture window.
TEST_F(MainWindowTest, AnOrderOpensTheCaptureWindow) {
  setSetting("NestnummerAmMerkmal", "1");
  load();
  fillValidOrder();
  g.arrStichproben.resize(4);
  child<QPushButton>("cmd_OK")->click();
  const QPointer<frm_TuL> capture = window->captureWindow();
  ASSERT_FALSE(capture.isNull());
  EXPECT_TRUE(capture->isVisible() && !window->isVisible());
  EXPECT_EQ(g.arrStichproben.size(), 1U);
  EXPECT_EQ(g.intNestnummerAmMerkmal, 1);
  prompts.answers = {true};
  for (int run = 0; run < 3; ++run) {
    app->run({ScriptedCommand::Dimension("101", 1.5)});
  }
  EXPECT_EQ(shown("txt_Probenumfang"), "3|");
  child<QPushButton>("cmd_OK")->click();
  processEvents();
  EXPECT_TRUE(capture.isNull() && window->captureWindow()->isVisible());
}

// What the dialogs and the capture may change or read.
TEST_F(MainWindowTest, WhatTheOtherWindowsAndTheCaptureMayChangeOrRead) {
  load();
  child<QCheckBox>("chkNest")->click();
  edit("txt_Nestnummer")->setText(QStringLiteral("2"));
  EXPECT_EQ(window->orderNestState(), kChecked);
  MainWindowAccess& access = *window;
  access.setPrueferList({"(5)     Neu"});
  EXPECT_EQ(entries("combo_Prüfer"), Names{"(5)     Neu"});
  EXPECT_EQ(child<QComboBox>("combo_Prüfer")->currentIndex(), -1);
  access.setMaschineList({});
  EXPECT_EQ(entries("Combo_Maschine"), Names{});
  access.clearNestID();
  EXPECT_EQ(shown("txt_Nestnummer"), "2|");
  child<QLabel>("lblNestID")->setText(QStringLiteral("Nest rechts"));
  access.clearNestEntry();
  EXPECT_EQ(shown("txt_Nestnummer"), "|");
  for (const bool visible : {true, false}) {
    access.setPartCountVisible(visible);
    EXPECT_EQ(edit("txtAnzahlDerTeile")->isVisible() && child("lblStueckzahl")->isVisible(),
              visible);
  }
  g.intAuftragsNrLaenge = 12;
  access.SetToolTips();
  EXPECT_EQ(edit("txt_Auftrag")->toolTip(), "Ganzzahl max. 12 Zeichen eintragen");
}

// Each menu command opens its window non-modal and hides this one, which that window shows
// again when it closes. Shutdown deletes open windows without their own close (which would
// show the main window) and ends the program once.
TEST_F(MainWindowTest, MenusAndShutdown) {
  load();
  fillValidOrder();
  const OrderForm entries = window->orderForm();
  for (const auto& [command, opens] : {std::pair{"menuSetup", "frm_Konfiguration"},
                                       {"menuMaschine", "frm_Maschinenkatalog"},
                                       {"menuPrüfer", "frm_PrüferKatalog"},
                                       {"NestIDsKatalog", "frm_NestIDsKatalog"},
                                       {"menuInfo", "frm_About"}}) {
    child<QAction>(command)->trigger();
    const QPointer<QWidget> opened = window->secondaryWindow();
    ASSERT_FALSE(opened.isNull()) << command;
    EXPECT_EQ(str(opened->objectName()), opens);
    EXPECT_TRUE(opened->isVisible() && opened->isWindow() && !window->isVisible()) << command;
    EXPECT_EQ(opened->windowModality(), Qt::NonModal);
    opened->close();
    processEvents();
    EXPECT_TRUE(window->isVisible() && opened.isNull()) << command;
    EXPECT_EQ(window->orderForm(), entries) << command;
  }
  child<QAction>("menuSetup")->trigger();
  const QPointer<QWidget> dialog = window->secondaryWindow();
  QSignalSpy ended(window.get(), &frm_Eingabe::unloaded);
  child<QAction>("menuBeenden")->trigger();
  EXPECT_TRUE(dialog.isNull() && !window->isVisible());
  EXPECT_EQ(g.KvoApp, nullptr);
  window->close();
  EXPECT_EQ(ended.count(), 1);
}

}  // namespace
}  // namespace kvotlk::test
