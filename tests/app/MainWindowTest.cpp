// The main window: its controls as loaded, arrangement and keys, what it passes to the
// rules of order entry and shows of their answer, the windows it opens, and shutdown.
#include <QAction>
#include <QFontInfo>
#include <QPointer>
#include <QSignalSpy>
#include <QTest>

#include "WindowTestSupport.h"
#include "catalogs/CatalogFiles.h"
#include "common/Paths.h"

namespace kvotlk::test {
namespace {

using Names = std::vector<std::string>;

QRect placeOf(const QWidget* widget) {
  return {widget->mapTo(widget->window(), QPoint(0, 0)), widget->size()};
}

// Captions, tool tips, preset date and time, states and menus: texts/frm_Eingabe.txt. The
// catalogue messages appear over the shown window, and the load goes on after them.
TEST_F(MainWindowTest, LoadShowsTheFormAsDesigned) {
  files.addFile(joinPath(env.programFolder, "TLValues.txt"), "Artikel=alt\r\n");
  load();
  ExpectTexts(*window, "frm_Eingabe");
  EXPECT_EQ(entries("combo_Prüfer"),
            (Names{"(12)    Müller", "(1234)  Schäfer", "", "(7)     Özdemir"}));
  EXPECT_EQ(entries("Combo_Maschine"), (Names{"4711", "M7", "SG-220"}));
  for (const char* name : {"combo_Prüfer", "Combo_Maschine"}) {
    EXPECT_TRUE(QFontInfo(child<QComboBox>(name)->font()).fixedPitch()) << name;
  }
  EXPECT_FALSE(files.hasFile(joinPath(env.programFolder, "TLValues.txt"))) << "leftover removed";

  MainWindowRig bare;
  for (const Catalog catalog : {Catalog::Pruefer, Catalog::Maschine}) {
    bare.files.removeFile(toFsPath(CatalogPath(env.programFolder, catalog)));
  }
  bare.load();
  EXPECT_EQ(bare.messages(), (Names{"Katalogdatei für Prüfer fehlt. Erzeugen Sie zuerst diesen "
                                    "Katalog.",
                                    "Katalogdatei für Maschine fehlt. Erzeugen Sie zuerst diesen "
                                    "Katalog."}));
  EXPECT_EQ(bare.observed.windowVisible, (std::vector<bool>{true, true}));
  EXPECT_EQ(bare.text("txt_UhrzeitMinute"), "07");
}

// Rows of label and fields top to bottom, each left to right on one line; Frame2 below
// Frame1, the buttons right of the frames, OK above Löschen.
TEST_F(MainWindowTest, ArrangementOfFramesFieldsAndButtons) {
  setSetting("MessserieUmfang", "1");
  load();
  const std::vector<Names> rows = {
      {"lblArtikel", "txt_Artikel"},
      {"lblMaschine", "Combo_Maschine"},
      {"lblAuftrag", "txt_Auftrag"},
      {"lblStichprobenumfang", "txt_Probenumfang", "lblStueckzahl", "txtAnzahlDerTeile"},
      {"lblDatum", "txt_DatumTag", "lblPunktTag", "txt_DatumMonat", "lblPunktMonat",
       "txt_DatumJahr"},
      {"lblUhrzeit", "txt_UhrzeitStunde", "lblDoppelpunkt", "txt_UhrzeitMinute"},
      {"lblPruefer", "combo_Prüfer"},
      {"chkNest", "txt_Nestnummer", "lblNestID"}};
  int top = -1;
  for (const Names& row : rows) {
    EXPECT_GT(placeOf(child(row[1].c_str())).top(), top) << row[1];
    top = placeOf(child(row[1].c_str())).top();
    for (std::size_t i = 1; i < row.size(); ++i) {
      const QRect left = placeOf(child(row[i - 1].c_str()));
      const QRect right = placeOf(child(row[i].c_str()));
      EXPECT_LT(left.right(), right.left()) << row[i];
      EXPECT_NEAR(left.center().y(), right.center().y(), 3) << row[i];
    }
  }
  const QRect frame1 = placeOf(child("Frame1"));
  EXPECT_GE(placeOf(child("Frame2")).top(), frame1.bottom());
  EXPECT_GT(placeOf(child("cmd_OK")).left(), frame1.right());
  EXPECT_GE(placeOf(child("cmd_Loeschen")).top(), placeOf(child("cmd_OK")).bottom());
  for (const char* separator : {"lblPunktTag", "lblPunktMonat", "lblDoppelpunkt"}) {
    EXPECT_TRUE(child<QLabel>(separator)->font().bold()) << separator;
  }
}

// Tab walks the fields in their order; Enter presses the focused button, in a field it does
// nothing; after the clear the focus is back in the article field.
TEST_F(MainWindowTest, KeyboardOrderAndEnter) {
  setSetting("MessserieUmfang", "1");
  load();
  child<QCheckBox>("chkNest")->click();
  QApplication::setActiveWindow(window.get());
  ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
  edit("txt_Artikel")->setFocus();
  const Names order = {"txt_Artikel",    "txt_Auftrag",    "txt_Probenumfang",  "txt_DatumTag",
                       "txt_DatumMonat", "txt_DatumJahr",  "txt_UhrzeitStunde", "txt_UhrzeitMinute",
                       "combo_Prüfer",   "chkNest",        "txt_Nestnummer",    "cmd_OK",
                       "cmd_Loeschen",   "Combo_Maschine", "txtAnzahlDerTeile", "txt_Artikel"};
  Names visited;
  for (std::size_t i = 0; i < order.size(); ++i) {
    visited.push_back(QApplication::focusWidget()->objectName().toStdString());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
  }
  EXPECT_EQ(visited, order);

  child<QCheckBox>("chkNest")->click();
  fillValidOrder();
  edit("txtAnzahlDerTeile")->setText(QStringLiteral("250"));
  QTest::keyClick(edit("txt_Auftrag"), Qt::Key_Return);
  EXPECT_EQ(window->captureWindow(), nullptr) << "no default button";
  child("cmd_Loeschen")->setFocus();
  QTest::keyClick(child("cmd_Loeschen"), Qt::Key_Return);
  EXPECT_EQ(text("txt_Auftrag"), "");
  EXPECT_EQ(QApplication::focusWidget(), edit("txt_Artikel"));
  fillValidOrder();
  child("cmd_OK")->setFocus();
  QTest::keyClick(child("cmd_OK"), Qt::Key_Enter, Qt::KeypadModifier);
  ASSERT_NE(window->captureWindow(), nullptr) << ::testing::PrintToString(messages());
  EXPECT_TRUE(window->captureWindow()->isVisible());
}

// Clear empties article, order, nest number and sample size and both selections, the
// nest-ID lookup running once for the emptied number. The nest box switches the number and
// its ID; every edit of the number is looked up.
TEST_F(MainWindowTest, ClearButtonAndNestFields) {
  setSetting("NestIDVerwenden", "1");
  load();
  fillValidOrder();
  auto* nest = child<QCheckBox>("chkNest");
  nest->click();
  EXPECT_TRUE(edit("txt_Nestnummer")->isEnabled() && child("lblNestID")->isEnabled());
  edit("txt_Nestnummer")->setText(QStringLiteral("AB"));
  EXPECT_EQ(caption("lblNestID"), "Nest-A");
  nest->click();
  EXPECT_FALSE(edit("txt_Nestnummer")->isEnabled() || child("lblNestID")->isEnabled());
  EXPECT_EQ(caption("lblNestID"), "");
  nest->click();
  EXPECT_EQ(text("txt_Nestnummer") + caption("lblNestID"), "AB") << "no lookup until edited";
  QTest::keyClicks(edit("txt_Nestnummer"), QStringLiteral("\b\b2"));
  EXPECT_EQ(caption("lblNestID"), "Nest rechts");

  files.calls.clear();
  child<QPushButton>("cmd_Loeschen")->click();
  const OrderForm form = window->orderForm();
  EXPECT_EQ(form.txt_Artikel + form.txt_Auftrag + form.txt_Nestnummer + form.txt_Probenumfang +
                form.lblNestID,
            "");
  EXPECT_FALSE(form.combo_Pruefer || form.Combo_Maschine);
  EXPECT_EQ(files.calls.size(), 1U) << "one lookup of the emptied number";
  EXPECT_EQ(form.txt_DatumTag + form.txt_UhrzeitStunde, "0508");
  EXPECT_EQ(form.chkNest, kChecked);
  EXPECT_EQ(entries("Combo_Maschine").size(), 3U);
}

// The confirmation resets the samples, opens the capture window and hides this one, then
// reads NestnummerAmMerkmal; a raised sample size shows in the order's field; the next
// confirmation replaces the capture window. (The way there and back with the real program:
// EndToEndTest.)
TEST_F(MainWindowTest, AnOrderOpensTheCaptureWindow) {
  load();
  fillValidOrder();
  g.arrStichproben.resize(4);
  child<QPushButton>("cmd_OK")->click();
  frm_TuL* capture = window->captureWindow();
  ASSERT_NE(capture, nullptr);
  EXPECT_TRUE(capture->isVisible() && !window->isVisible());
  EXPECT_EQ(g.arrStichproben.size(), 1U);
  EXPECT_GT(store.lastRead("NestnummerAmMerkmal"), store.lastRead("IdLaenge"));
  prompts.answers = {true};
  for (int run = 0; run < 3; ++run) {
    app->run({ScriptedCommand::Dimension("101", 1.5)});
  }
  EXPECT_EQ(text("txt_Probenumfang"), "3");
  const QPointer<frm_TuL> old = capture;
  child<QPushButton>("cmd_OK")->click();
  processEvents();
  EXPECT_TRUE(old.isNull() && window->captureWindow()->isVisible());
}

TEST_F(MainWindowTest, WhatTheOtherWindowsAndTheCaptureMayChangeOrRead) {
  load();
  child<QCheckBox>("chkNest")->click();
  edit("txt_Nestnummer")->setText(QStringLiteral("2"));
  MainWindowAccess& access = *window;
  access.setPrueferList({"(5)     Neu"});
  EXPECT_EQ(entries("combo_Prüfer"), Names{"(5)     Neu"});
  EXPECT_EQ(child<QComboBox>("combo_Prüfer")->currentIndex(), -1);
  access.setMaschineList({});
  EXPECT_EQ(entries("Combo_Maschine"), Names{});
  child<QLabel>("lblNestID")->setText(QStringLiteral("Nest rechts"));
  access.clearNestID();
  EXPECT_EQ(text("txt_Nestnummer") + caption("lblNestID"), "2");
  child<QLabel>("lblNestID")->setText(QStringLiteral("Nest rechts"));
  access.clearNestEntry();
  EXPECT_EQ(text("txt_Nestnummer") + caption("lblNestID"), "");
  for (const bool visible : {true, false}) {
    access.setPartCountVisible(visible);
    EXPECT_EQ(edit("txtAnzahlDerTeile")->isVisible(), visible);
    EXPECT_EQ(child("lblStueckzahl")->isVisible(), visible);
  }
  g.intAuftragsNrLaenge = 12;
  access.SetToolTips();
  EXPECT_EQ(edit("txt_Auftrag")->toolTip(), "Ganzzahl max. 12 Zeichen eintragen");

  EXPECT_EQ(window->orderNestState(), kChecked);
  child<QCheckBox>("chkNest")->setTristate(true);
  child<QCheckBox>("chkNest")->setCheckState(Qt::PartiallyChecked);
  EXPECT_EQ(window->orderNestState(), kGrayed);
  child<QCheckBox>("chkNest")->setCheckState(Qt::Unchecked);
  EXPECT_EQ(window->orderNestState(), kUnchecked);
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
    EXPECT_EQ(opened->objectName(), QString::fromUtf8(opens));
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
