// The main window at work: order confirmation up to the capture window and back, the
// clear button, the nest fields, the updates the other windows make, and shutdown.
#include <QAction>
#include <QPointer>
#include <QSignalSpy>
#include <QTest>
#include <algorithm>

#include "WindowTestSupport.h"
#include "capture/CaptureEngine.h"
#include "common/Paths.h"

namespace kvotlk::test {
namespace {

using Cmd = ScriptedCommand;

std::vector<Cmd> TwoValues(double a, double b) {
  return {Cmd::Dimension("101", a), Cmd::Dimension("102", b)};
}

TEST_F(MainWindowTest, FullOrderFromConfirmationToSendAndBack) {
  load();
  fillValidOrder();
  g.arrStichproben.resize(4);

  child<QPushButton>("cmd_OK")->click();

  EXPECT_TRUE(prompts.shown.empty()) << messages().front();
  frm_TuL* capture = window->captureWindow();
  ASSERT_NE(capture, nullptr);
  EXPECT_TRUE(capture->isVisible());
  EXPECT_FALSE(window->isVisible());
  EXPECT_EQ(app->eventSource->sink, &capture->engine()) << "subscribed at load";
  EXPECT_EQ(g.arrStichproben.size(), 1U) << "samples reset";
  EXPECT_EQ(files.content(joinPath(env.programFolder, "TLValues.txt")).substr(0, 15),
            "Artikel=A-100\r\n");
  // NestnummerAmMerkmal is read after the capture window's load (which reads IdLaenge).
  EXPECT_GT(store.lastRead("NestnummerAmMerkmal"), store.lastRead("IdLaenge"));

  // A third sample raises the sample size in the order window's field.
  prompts.answers = {true};
  app->run(TwoValues(1.5, 2.25));
  app->run(TwoValues(1.75, 2.5));
  app->run(TwoValues(1.25, 2.75));
  EXPECT_EQ(capture->findChild<QLabel*>("lblCurrentProbe")->text(), "3");
  EXPECT_EQ(text("txt_Probenumfang"), "3");
  capture->findChild<QPushButton*>("CmdSendData")->click();

  EXPECT_EQ(prompts.shown.size(), 1U) << "the increase question only";
  EXPECT_FALSE(capture->isVisible());
  EXPECT_TRUE(window->isVisible());
  EXPECT_EQ(app->eventSource->sink, nullptr);
  const std::string result = files.content(joinPath(env.programFolder, "Solvik.txt"));
  EXPECT_EQ(result.substr(0, 16), "BEGINN_MESSUNG\r\n");
  EXPECT_NE(result.find("1,750"), std::string::npos) << result;
  EXPECT_EQ(text("txt_Artikel"), "A-100") << "entries kept for the next order";
  EXPECT_EQ(list("combo_Prüfer")->currentIndex(), 0);

  // The next confirmation opens a fresh capture window; the old one goes.
  const QPointer<frm_TuL> old = capture;
  child<QPushButton>("cmd_OK")->click();
  processEvents();
  EXPECT_TRUE(old.isNull());
  ASSERT_NE(window->captureWindow(), nullptr);
  EXPECT_TRUE(window->captureWindow()->isVisible());
  EXPECT_EQ(window->captureWindow()->findChild<QLabel*>("lblCurrentProbe")->text(), "0");
}

TEST_F(MainWindowTest, FailedConfirmationShowsItsMessageAndChangesNothing) {
  load();
  fillValidOrder();
  kalvero.app = nullptr;
  kalvero.windowExists = false;
  const OrderForm before = window->orderForm();

  child<QPushButton>("cmd_OK")->click();

  EXPECT_EQ(prompts.shown,
            (std::vector<ShownPrompt>{{PromptKind::Stop, "Kalvero muss zuerst gestartet sein."}}));
  EXPECT_EQ(window->captureWindow(), nullptr);
  EXPECT_TRUE(window->isVisible());
  EXPECT_EQ(window->orderForm(), before);
  EXPECT_FALSE(files.hasFile(joinPath(env.programFolder, "TLValues.txt")));
}

TEST_F(MainWindowTest, ClearButtonEmptiesEntriesAndSelectionsOnly) {
  setSetting("NestIDVerwenden", "1");
  setSetting("MessserieUmfang", "1");
  load();
  fillValidOrder();
  edit("txtAnzahlDerTeile")->setText(QStringLiteral("250"));
  child<QCheckBox>("chkNest")->click();
  edit("txt_Nestnummer")->setText(QStringLiteral("2"));
  ASSERT_EQ(label("lblNestID")->text(), "Nest rechts");
  const auto nestReads = [this] {
    return std::count_if(files.calls.begin(), files.calls.end(), [](const FsCall& call) {
      return call.op == FsOp::ReadFile && call.path.find("NestID.dat") != std::string::npos;
    });
  };
  const auto readsBefore = nestReads();

  child<QPushButton>("cmd_Loeschen")->click();

  for (const char* name : {"txt_Artikel", "txt_Auftrag", "txt_Nestnummer", "txt_Probenumfang"}) {
    EXPECT_EQ(text(name), "") << name;
  }
  EXPECT_EQ(list("combo_Prüfer")->currentIndex(), -1);
  EXPECT_EQ(list("Combo_Maschine")->currentIndex(), -1);
  EXPECT_EQ(label("lblNestID")->text(), "");
  EXPECT_EQ(nestReads() - readsBefore, 1) << "the emptied nest number is looked up once";
  EXPECT_EQ(text("txtAnzahlDerTeile"), "250");
  EXPECT_EQ(text("txt_DatumTag"), "05");
  EXPECT_TRUE(child<QCheckBox>("chkNest")->isChecked());
  EXPECT_EQ(list("combo_Prüfer")->count(), 4) << "the lists keep their entries";
}

TEST_F(MainWindowTest, NestCheckBoxSwitchesTheFieldsAndKeepsTheNumber) {
  setSetting("NestIDVerwenden", "1");
  load();
  auto* box = child<QCheckBox>("chkNest");
  box->click();
  EXPECT_TRUE(edit("txt_Nestnummer")->isEnabled());
  EXPECT_TRUE(label("lblNestID")->isEnabled());
  edit("txt_Nestnummer")->setText(QStringLiteral("AB"));
  EXPECT_EQ(label("lblNestID")->text(), "Nest-A") << "looked up on every edit";

  box->click();
  EXPECT_FALSE(edit("txt_Nestnummer")->isEnabled());
  EXPECT_FALSE(label("lblNestID")->isEnabled());
  EXPECT_EQ(label("lblNestID")->text(), "");
  box->click();
  EXPECT_EQ(text("txt_Nestnummer"), "AB");
  EXPECT_EQ(label("lblNestID")->text(), "") << "no lookup until the number is edited";
  QTest::keyClick(edit("txt_Nestnummer"), Qt::Key_Backspace);
  EXPECT_EQ(label("lblNestID")->text(), "");
  edit("txt_Nestnummer")->setText(QStringLiteral("1"));
  EXPECT_EQ(label("lblNestID")->text(), "Nest links");
}

TEST_F(MainWindowTest, WhatTheOtherWindowsMayChange) {
  setSetting("NestIDVerwenden", "1");
  load();
  fillValidOrder();
  child<QCheckBox>("chkNest")->click();
  edit("txt_Nestnummer")->setText(QStringLiteral("2"));
  MainWindowAccess& access = *window;

  access.setPrueferList({"(5)     Neu", "(6)     Neuer"});
  EXPECT_EQ(entries("combo_Prüfer"), (std::vector<std::string>{"(5)     Neu", "(6)     Neuer"}));
  EXPECT_EQ(list("combo_Prüfer")->currentIndex(), -1);
  access.setMaschineList({});
  EXPECT_EQ(list("Combo_Maschine")->count(), 0);

  access.clearNestID();
  EXPECT_EQ(label("lblNestID")->text(), "");
  EXPECT_EQ(text("txt_Nestnummer"), "2");
  edit("txt_Nestnummer")->setText(QStringLiteral("1"));
  access.clearNestEntry();
  EXPECT_EQ(text("txt_Nestnummer"), "");
  EXPECT_EQ(label("lblNestID")->text(), "");

  access.setPartCountVisible(true);
  EXPECT_TRUE(edit("txtAnzahlDerTeile")->isVisible());
  EXPECT_TRUE(label("lblStueckzahl")->isVisible());
  access.setPartCountVisible(false);
  EXPECT_FALSE(edit("txtAnzahlDerTeile")->isVisible());

  g.intAuftragsNrLaenge = 12;
  access.SetToolTips();
  EXPECT_EQ(edit("txt_Auftrag")->toolTip(), "Ganzzahl max. 12 Zeichen eintragen");

  window->hide();
  access.showMainWindow();
  EXPECT_TRUE(window->isVisible());
  EXPECT_EQ(text("txt_Artikel"), "A-100") << "entries kept";
}

TEST_F(MainWindowTest, MenusOpenTheirWindowNonModalAndHideTheMainWindow) {
  const std::pair<const char*, const char*> commands[] = {{"menuSetup", "frm_Konfiguration"},
                                                          {"menuMaschine", "frm_Maschinenkatalog"},
                                                          {"menuPrüfer", "frm_PrüferKatalog"},
                                                          {"NestIDsKatalog", "frm_NestIDsKatalog"},
                                                          {"menuInfo", "frm_About"}};
  load();
  fillValidOrder();
  const OrderForm entries = window->orderForm();
  for (const auto& [command, windowName] : commands) {
    SCOPED_TRACE(command);
    window->findChild<QAction*>(QString::fromUtf8(command))->trigger();
    const QPointer<QWidget> opened = window->secondaryWindow();
    ASSERT_FALSE(opened.isNull());
    EXPECT_EQ(opened->objectName(), QString::fromUtf8(windowName));
    EXPECT_TRUE(opened->isVisible());
    EXPECT_TRUE(opened->isWindow());
    EXPECT_EQ(opened->windowModality(), Qt::NonModal);
    EXPECT_FALSE(window->isVisible());

    opened->close();
    processEvents();
    EXPECT_TRUE(window->isVisible());
    EXPECT_TRUE(opened.isNull()) << "deleted on close";
    EXPECT_EQ(window->orderForm(), entries) << "entries kept";
  }
  EXPECT_TRUE(prompts.shown.empty());

  // Shutdown deletes an open window without its own close handling.
  window->findChild<QAction*>("menuSetup")->trigger();
  const QPointer<QWidget> dialog = window->secondaryWindow();
  window->close();
  EXPECT_TRUE(dialog.isNull());
  EXPECT_FALSE(window->isVisible()) << "the dialog did not show the main window";
}

TEST_F(MainWindowTest, NestStateForTheCapture) {
  load();
  auto* box = child<QCheckBox>("chkNest");
  EXPECT_EQ(window->orderNestState(), kUnchecked);
  box->setCheckState(Qt::Checked);
  EXPECT_EQ(window->orderNestState(), kChecked);
  box->setTristate(true);
  box->setCheckState(Qt::PartiallyChecked);
  EXPECT_EQ(window->orderNestState(), kGrayed);
}

TEST_F(MainWindowTest, ShutdownRemovesTheHandoffFileAndEndsAnOpenCaptureWithoutItsClose) {
  load();
  fillValidOrder();
  child<QPushButton>("cmd_OK")->click();
  ASSERT_NE(window->captureWindow(), nullptr);
  const std::string handoff = joinPath(env.programFolder, "TLValues.txt");
  ASSERT_TRUE(files.hasFile(handoff));
  QSignalSpy ended(window.get(), &frm_Eingabe::unloaded);

  window->findChild<QAction*>("menuBeenden")->trigger();

  EXPECT_FALSE(window->isVisible()) << "the capture did not show the main window";
  EXPECT_EQ(window->captureWindow(), nullptr);
  EXPECT_FALSE(files.hasFile(handoff));
  EXPECT_EQ(g.KvoApp, nullptr);
  window->close();
  EXPECT_EQ(ended.count(), 1) << "once";
}

}  // namespace
}  // namespace kvotlk::test
