// The capture window frm_TuL: its font and column widths, and who owns a question asked
// inside a capture event (its texts and places, the grid, its buttons and keys, an ID
// message, the raised sample size: tests/cases/fenster/erfassung-*).
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

using Cmd = CommandRecord;

class CaptureWindowTest : public ::testing::Test, public TestEnvironment {
 protected:
  CaptureWindowTest() {
    app = startKalvero();
    readyForCapture(app);
  }
  ~CaptureWindowTest() override {
    window.reset();
    engine.reset();
    processEvents();
  }
  void open(Environment& with) {
    window.reset();
    engine = std::make_unique<CaptureEngine>(with, g, order);
    window = std::make_unique<frm_TuL>(*engine);
    engine->Form_Load(*window);
    window->showWindow();
  }
  QTableWidget* table() const { return child<QTableWidget>(*window, "FlexGridDaten"); }
  int twips(int n) const { return TwipsToPixels(n, window->logicalDpiX()); }

  std::shared_ptr<FakeKvoApplication> app;
  TestCaptureOrder order;
  std::unique_ptr<CaptureEngine> engine;
  std::unique_ptr<frm_TuL> window;
};

// The twips of the design in pixels at the logical resolution, rounded.
TEST_F(CaptureWindowTest, LoadBuildsTheWindowAsDesigned) {
  EXPECT_EQ(TwipsToPixels(8565, 96.0), 571);
  EXPECT_EQ(TwipsToPixels(8565, 120.0), 714);
  open(env);
  EXPECT_DOUBLE_EQ(window->font().pointSizeF(), 8.25);
  const QString family = QFontInfo(window->font()).family();
  EXPECT_TRUE(family == "Arial" || family == "Liberation Sans") << str(family);
  EXPECT_NE(child<QLabel>(*window, "lblNumProbes")->frameShape(), QFrame::NoFrame);
  EXPECT_EQ(window->gridText(0, 0) + "|" + window->gridText(0, 1), "ID|Messwert");
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

// A real modal question inside an event handler that runs from the event loop while
// another program is in front: the question belongs to the capture window.
TEST_F(CaptureWindowTest, TheQuestionOfARunBelongsToTheCaptureWindow) {
  QtPrompts boxes;
  Environment withBoxes{settings, files, clock, random, boxes, numbers, kalvero, env.programFolder};
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
}

}  // namespace
}  // namespace kvotlk::test
