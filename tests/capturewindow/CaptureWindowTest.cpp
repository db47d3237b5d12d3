// The capture window frm_TuL: its controls and geometry, the grid while scripted runs
// arrive, its buttons and keys, its closing, and a question asked inside a capture event.
#include <gtest/gtest.h>

#include <QFontInfo>
#include <QLabel>
#include <QMessageBox>
#include <QTableWidget>
#include <QTest>
#include <QTimer>

#include "app/QtPrompts.h"
#include "app/WindowTestSupport.h"
#include "capture/CaptureEngine.h"
#include "capture/frm_TuL.h"

namespace kvotlk::test {
namespace {

using Cmd = ScriptedCommand;

// Keeps what the capture does to the order window.
class RecordingOrderWindow final : public CaptureOrderWindow {
 public:
  void showOrderWindow() override { ++shown; }
  void setOrderProbenumfang(const std::string& text) override { txt_Probenumfang = text; }
  int orderNestState() override { return chkNest; }
  OrderForm orderForm() override { return {}; }

  int shown = 0;
  std::string txt_Probenumfang;
  int chkNest = kUnchecked;
};

class CaptureWindowTest : public ::testing::Test, public TestEnvironment {
 protected:
  CaptureWindowTest() {
    app = kalvero.start();
    app->openPartProgram("Welle.kvp");
    g.KvoApp = app;
    g.strMessprogrammName = "Welle";
    g.intStichprobenumfang = 2;
  }
  ~CaptureWindowTest() override {
    window.reset();
    processEvents();
  }
  void open(Environment& with) {
    window = std::make_unique<frm_TuL>(with, g, order);
    window->Form_Load();
    window->show();
  }
  QString caption(const char* name) const { return child<QLabel>(*window, name)->text(); }
  QTableWidget* table() const { return child<QTableWidget>(*window, "FlexGridDaten"); }
  // The grid as "ID|Messwert" rows, the header row first.
  Names grid() const {
    Names rows;
    for (int row = 0; row < window->gridRowCount(); ++row) {
      rows.push_back(str(window->gridText(row, 0) + "|" + window->gridText(row, 1)));
    }
    return rows;
  }
  int twips(int n) const { return TwipsToPixels(n, window->logicalDpiX()); }

  std::shared_ptr<FakeKvoApplication> app;
  RecordingOrderWindow order;
  std::unique_ptr<frm_TuL> window;
};

// Captions, keyboard order and places: texts/frm_TuL.txt, the twips of the design in
// pixels at the logical resolution, rounded; controls in Frame1 placed relative to it.
TEST_F(CaptureWindowTest, LoadBuildsTheWindowAsDesigned) {
  EXPECT_EQ(TwipsToPixels(8565, 96.0), 571);
  EXPECT_EQ(TwipsToPixels(8565, 120.0), 714);
  open(env);
  ExpectTexts(*window, "frm_TuL", true);
  EXPECT_DOUBLE_EQ(window->font().pointSizeF(), 8.25);
  const QString family = QFontInfo(window->font()).family();
  EXPECT_TRUE(family == "Arial" || family == "Liberation Sans") << str(family);
  EXPECT_NE(child<QLabel>(*window, "lblNumProbes")->frameShape(), QFrame::NoFrame);
  EXPECT_EQ(grid(), (Names{"ID|Messwert", "|"}));
}

// The ID column takes what IdLaenge characters and a nest suffix need from the value
// column, so no ID is cut short ("…").
TEST_F(CaptureWindowTest, IdsOfIdLaengeCharactersAndANestSuffixAreShownWhole) {
  g.intNestnummerAmMerkmal = 1;
  g.strNestnummer = "12";
  for (const auto& [idLength, nest, id] : {std::tuple{"6", kUnchecked, "123456"},
                                           {"7", kUnchecked, "1234567"},
                                           {"7", kChecked, "123456"},
                                           {"10", kChecked, "123456789"}}) {
    setSetting("IdLaenge", idLength);
    order.chkNest = nest;
    open(env);
    app->run({Cmd::Dimension(id, 1.5)});
    EXPECT_EQ(window->gridText(1, 0), QString(id) + (nest == kChecked ? "12" : ""));
    const QAbstractItemView& view = *table();
    EXPECT_GE(table()->columnWidth(0), view.sizeHintForColumn(0)) << idLength;
    EXPECT_GE(table()->columnWidth(1), view.sizeHintForColumn(1));
    EXPECT_EQ(table()->columnWidth(0) + table()->columnWidth(1), twips(3800));
  }
  setSetting("IdLaenge", "1");
  open(env);
  EXPECT_EQ(table()->columnWidth(0), twips(600));
}

// The grid and the sample number follow the runs; Enter presses a button only while it has
// the focus, so from the grid it sends nothing.
TEST_F(CaptureWindowTest, GridAndButtonsFollowTheCaptureAndEnter) {
  open(env);
  EXPECT_EQ(app->eventSource->sink, &window->engine());
  app->run({Cmd::Dimension("101", 12.0034), Cmd::Dimension("102", -0.5)});
  EXPECT_EQ(grid(), (Names{"ID|Messwert", "101|12,0034", "102|-0,5000"}));
  EXPECT_EQ(table()->item(1, 1)->textAlignment(), Qt::AlignCenter);
  app->run({Cmd::Dimension("101", 12.5)});
  EXPECT_EQ(caption("lblCurrentProbe"), "2");
  QTest::keyClick(table(), Qt::Key_Return);
  QTest::keyClick(child(*window, "CmdLoeschen"), Qt::Key_Return);
  EXPECT_EQ(grid(), (Names{"ID|Messwert", "|"}));
  EXPECT_EQ(caption("lblCurrentProbe"), "1");
  EXPECT_EQ(prompts.shown.size(), 0U);
  EXPECT_EQ(window->focusWidget(), child(*window, "CmdSendData")) << "the focus on opening";
  QTest::keyClick(child(*window, "CmdSendData"), Qt::Key_Return);
  EXPECT_EQ(prompts.shown.size(), 1U) << "the send asks: one sample of two";
  EXPECT_FALSE(window->isVisible()) << "No: sent";
}

// An ID message closes the window from inside the event; the order window comes back, and
// the window stays for its owner to delete. (The close box: EndToEndTest.)
TEST_F(CaptureWindowTest, AnIdMessageClosesTheWindowInsideTheEvent) {
  open(env);
  app->run({Cmd::Dimension("12a", 1.0)});
  EXPECT_EQ(prompts.shown.size(), 1U);
  EXPECT_FALSE(window->isVisible());
  EXPECT_EQ(order.shown, 1);
  const QPointer<frm_TuL> kept = window.get();
  processEvents();
  EXPECT_FALSE(kept.isNull());
}

// A real modal question inside an event handler that runs from the event loop while
// another program is in front: the question belongs to the capture window; Enter answers
// "Ja", the handler goes on and the sample size is raised in both windows. The nest state
// comes from the order window.
TEST_F(CaptureWindowTest, TheQuestionOfARunBelongsToTheCaptureWindow) {
  QtPrompts boxes;
  Environment withBoxes{settings, files, clock, random, boxes, numbers, kalvero, env.programFolder};
  order.chkNest = kChecked;
  g.strNestnummer = "3";
  g.intNestnummerAmMerkmal = 1;
  open(withBoxes);
  app->run({Cmd::Dimension("101", 1)});
  app->run({Cmd::Dimension("101", 1)});
  QApplication::setActiveWindow(nullptr);
  QPointer<QWidget> owner;
  bool runFinished = false;
  QTimer::singleShot(0, [&] {
    QTimer::singleShot(0, [&] {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      ASSERT_NE(box, nullptr);
      owner = box->parentWidget();
      QTest::keyClick(box, Qt::Key_Return);
    });
    app->run({Cmd::Dimension("101", 7.5)});
    runFinished = true;
  });
  ASSERT_TRUE(QTest::qWaitFor([&] { return runFinished; }, 5000));
  EXPECT_EQ(owner, window.get());
  EXPECT_EQ(g.intStichprobenumfang, 3);
  EXPECT_EQ(order.txt_Probenumfang, "3");
  EXPECT_EQ(caption("lblCurrentProbe") + "/" + caption("lblNumProbes"), "3/3");
  EXPECT_EQ(grid(), (Names{"ID|Messwert", "1013|7,5000"}));
}

}  // namespace
}  // namespace kvotlk::test
