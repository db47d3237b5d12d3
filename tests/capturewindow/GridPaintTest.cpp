// The capture window's grid paints in frames: a burst of values costs a few paints, not one
// per value, and the grid is laid out and painted with the last of them once its frame ends.
#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QScrollBar>
#include <QTableWidget>
#include <QTest>

#include "app/WindowTestSupport.h"
#include "capture/CaptureEngine.h"
#include "capture/FrameGrid.h"
#include "capture/frm_TuL.h"

namespace kvotlk::test {
namespace {

class PaintCounter final : public QObject {
 public:
  explicit PaintCounter(QWidget& widget) { widget.installEventFilter(this); }
  int paints = 0;

 protected:
  bool eventFilter(QObject* /*watched*/, QEvent* event) override {
    paints += event->type() == QEvent::Paint ? 1 : 0;
    return false;
  }
};

class GridPaintTest : public ::testing::Test, public TestEnvironment {
 protected:
  GridPaintTest() {
    app = startKalvero();
    readyForCapture(app);
    engine.Form_Load(*window);
    window->showWindow();
  }

  std::shared_ptr<FakeKvoApplication> app;
  TestCaptureOrder order;
  CaptureEngine engine{env, g, order};
  std::unique_ptr<frm_TuL> window = std::make_unique<frm_TuL>(engine);
};

// 1,000 values in one burst, each handed over as the link hands over an event: from the
// event loop, which runs whatever is due (Qt's delayed layout, posted paint requests, the
// end of a frame) before the next one. The burst's own length decides how many frames it
// spans, so a slow machine gets no more than one paint per frame either.
TEST_F(GridPaintTest, ABurstOfValuesIsPaintedOncePerFrame) {
  ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
  QTest::qWait(2 * kGridFrameMs);
  auto& grid = *child<QTableWidget>(*window, "FlexGridDaten");
  PaintCounter counter(*grid.viewport());
  QElapsedTimer burst;
  burst.start();
  app->startExecution();
  for (int i = 1; i <= 1000; ++i) {
    QCoreApplication::processEvents();
    app->executeCommand(CommandRecord::Dimension(std::to_string(i), i));
  }
  EXPECT_EQ(window->gridText(1000, 0), "1000");
  const qint64 frames = burst.elapsed() / kGridFrameMs;
  EXPECT_LE(counter.paints, frames + 1);
  // A burst longer than two frames is not kept off the screen until it ends.
  EXPECT_GE(counter.paints, frames > 1 ? 1 : 0);
  const int duringBurst = counter.paints;
  ASSERT_TRUE(QTest::qWaitFor([&] { return counter.paints > duringBurst; }, 5000));
  EXPECT_GT(grid.verticalScrollBar()->maximum(), 900);

  // Deleted with a frame running: the frame ends with it.
  app->executeCommand(CommandRecord::Dimension("1001", 1));
  window.reset();
  QTest::qWait(2 * kGridFrameMs);
}

}  // namespace
}  // namespace kvotlk::test
