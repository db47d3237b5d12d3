// The capture window frm_TuL: its controls and geometry, the grid while scripted runs
// arrive, its buttons, its closing, and a modal question inside a capture event.
#include <gtest/gtest.h>
#include <QApplication>
#include <QFontInfo>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <QTimer>

#include "app/QtPrompts.h"
#include "capture/CaptureEngine.h"
#include "capture/frm_TuL.h"
#include "support/TestEnvironment.h"

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

class CaptureWindowTest : public ::testing::Test {
 protected:
  CaptureWindowTest() {
    app = t.kalvero.start();
    app->openPartProgram("Welle.kvp");
    t.g.KvoApp = app;
    t.g.strMessprogrammName = "Welle";
    t.g.intStichprobenumfang = 2;
  }
  ~CaptureWindowTest() override {
    window.reset();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  }

  frm_TuL& open() {
    window = std::make_unique<frm_TuL>(t.env, t.g, order);
    window->Form_Load();
    window->show();
    return *window;
  }
  template <typename Widget>
  Widget* child(const char* name) const {
    auto* found = window->findChild<Widget*>(QString::fromUtf8(name));
    EXPECT_NE(found, nullptr) << name;
    return found;
  }
  QString caption(const char* name) const { return child<QLabel>(name)->text(); }
  void click(const char* name) const { child<QPushButton>(name)->click(); }
  // The grid as rows of "ID|Messwert", the header row first.
  std::vector<std::string> grid() const {
    std::vector<std::string> rows;
    rows.reserve(static_cast<std::size_t>(window->gridRowCount()));
    for (int row = 0; row < window->gridRowCount(); ++row) {
      rows.push_back((window->gridText(row, 0) + "|" + window->gridText(row, 1)).toStdString());
    }
    return rows;
  }
  int px(int twips, bool vertical = false) const {
    return TwipsToPixels(twips, vertical ? window->logicalDpiY() : window->logicalDpiX());
  }
  QRect twips(int left, int top, int width, int height) const {
    return {px(left), px(top, true), px(width), px(height, true)};
  }

  TestEnvironment t;
  std::shared_ptr<FakeKvoApplication> app;
  RecordingOrderWindow order;
  std::unique_ptr<frm_TuL> window;
};

TEST(TwipsToPixels, ConvertsAtTheLogicalResolution) {
  struct Case {
    int twips;
    double dpi;
    int pixels;
  };
  const Case cases[] = {{1440, 96, 96}, {15, 96, 1}, {8565, 96, 571}, {8565, 120, 714},
                        {0, 96, 0},     {7, 96, 0},  {8, 96, 1}};
  for (const Case& c : cases) {
    EXPECT_EQ(TwipsToPixels(c.twips, c.dpi), c.pixels) << c.twips << " at " << c.dpi;
  }
}

TEST_F(CaptureWindowTest, LoadBuildsTheWindowAsDesignedWithAnEmptyGrid) {
  open();
  EXPECT_EQ(window->objectName(), "frm_TuL");
  EXPECT_EQ(window->windowTitle(), "Konverter Tessmer & Lund");
  EXPECT_EQ(window->size(), QSize(px(8565), px(5115, true)));
  EXPECT_EQ(child<QGroupBox>("Frame1")->title(), "Messdaten");
  EXPECT_EQ(caption("Label2"), "Stichprobe");
  EXPECT_EQ(caption("Label4"), "von");
  EXPECT_EQ(child<QPushButton>("CmdSendData")->text(), "Daten übertragen");
  EXPECT_EQ(child<QPushButton>("CmdLoeschen")->text(), "Letzte Stichprobe löschen");
  EXPECT_DOUBLE_EQ(window->font().pointSizeF(), 8.25);
  const QString family = QFontInfo(child<QPushButton>("CmdSendData")->font()).family();
  EXPECT_TRUE(family == "Arial" || family == "Liberation Sans") << family.toStdString();

  const std::pair<const char*, QRect> places[] = {{"Frame1", twips(60, 60, 5895, 4995)},
                                                  {"Label2", twips(120, 360, 795, 255)},
                                                  {"lblCurrentProbe", twips(120, 600, 795, 315)},
                                                  {"Label4", twips(120, 960, 795, 255)},
                                                  {"lblNumProbes", twips(120, 1200, 795, 315)},
                                                  {"FlexGridDaten", twips(1080, 360, 4695, 4515)},
                                                  {"CmdSendData", twips(6060, 120, 2415, 375)},
                                                  {"CmdLoeschen", twips(6060, 540, 2415, 375)}};
  for (const auto& [name, place] : places) {
    EXPECT_EQ(child<QWidget>(name)->geometry(), place) << name;
  }
  for (const char* inFrame :
       {"Label2", "lblCurrentProbe", "Label4", "lblNumProbes", "FlexGridDaten"}) {
    EXPECT_EQ(child<QWidget>(inFrame)->parentWidget()->objectName(), "Frame1") << inFrame;
  }
  for (const char* bordered : {"lblCurrentProbe", "lblNumProbes"}) {
    EXPECT_NE(child<QLabel>(bordered)->frameShape(), QFrame::NoFrame) << bordered;
  }
  std::vector<std::string> tabOrder;
  for (auto* widget = child<QWidget>("CmdSendData"); tabOrder.size() < 3;
       widget = widget->nextInFocusChain()) {
    if ((widget->focusPolicy() & Qt::TabFocus) != 0) {
      tabOrder.push_back(widget->objectName().toStdString());
    }
  }
  EXPECT_EQ(tabOrder, (std::vector<std::string>{"CmdSendData", "CmdLoeschen", "FlexGridDaten"}));

  EXPECT_EQ(grid(), (std::vector<std::string>{"ID|Messwert", "|"}));
  EXPECT_EQ(caption("lblCurrentProbe"), "0");
  EXPECT_EQ(caption("lblNumProbes"), "2");
  auto* table = child<QTableWidget>("FlexGridDaten");
  EXPECT_EQ(table->columnWidth(0), px(600));
  EXPECT_EQ(table->columnWidth(1), px(3200));
  EXPECT_TRUE(table->horizontalHeader()->isVisible()) << "the fixed header row";
  EXPECT_EQ(table->horizontalHeaderItem(0)->textAlignment(), Qt::AlignCenter);
  EXPECT_EQ(table->editTriggers(), QAbstractItemView::NoEditTriggers);
  EXPECT_EQ(app->eventSource->sink, &window->engine());
}

TEST_F(CaptureWindowTest, GridLabelsAndDeleteButtonFollowTheCapture) {
  open();
  app->run({Cmd::Dimension("101", 12.0034), Cmd::Dimension("102", -0.5)});
  EXPECT_EQ(caption("lblCurrentProbe"), "1");
  EXPECT_EQ(grid(), (std::vector<std::string>{"ID|Messwert", "101|12,0034", "102|-0,5000"}));
  const auto* item = child<QTableWidget>("FlexGridDaten")->item(1, 0);
  ASSERT_NE(item, nullptr);
  EXPECT_EQ(item->textAlignment(), Qt::AlignCenter);
  app->run({Cmd::Dimension("101", 12.5)});
  EXPECT_EQ(grid(), (std::vector<std::string>{"ID|Messwert", "101|12,5000"}));

  click("CmdLoeschen");
  EXPECT_EQ(grid(), (std::vector<std::string>{"ID|Messwert", "|"}));
  EXPECT_EQ(caption("lblCurrentProbe"), "1");
  EXPECT_TRUE(window->isVisible());
}

TEST_F(CaptureWindowTest, CloseBoxShowsTheOrderWindowAndWritesNothing) {
  open();
  app->run({Cmd::Dimension("101", 1.25)});
  window->close();
  EXPECT_EQ(order.shown, 1);
  EXPECT_EQ(app->eventSource->sink, nullptr);
  EXPECT_EQ(t.files.filesIn(t.env.programFolder), std::vector<std::string>{});
}

TEST_F(CaptureWindowTest, AnIdMessageClosesTheWindowInsideTheEvent) {
  open();
  app->run({Cmd::Dimension("12a", 1.0)});
  ASSERT_EQ(t.prompts.shown.size(), 1U);
  EXPECT_FALSE(window->isVisible());
  EXPECT_EQ(order.shown, 1);
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  const QPointer<frm_TuL> kept = window.get();
  EXPECT_FALSE(kept.isNull()) << "its owner deletes it";
}

TEST_F(CaptureWindowTest, TheNestStateComesFromTheOrderWindow) {
  order.chkNest = kChecked;
  t.g.strNestnummer = "3";
  t.g.intNestnummerAmMerkmal = 1;
  open();
  app->run({Cmd::Dimension("101", 1)});
  EXPECT_EQ(grid(), (std::vector<std::string>{"ID|Messwert", "1013|1,0000"}));
}

// A real modal question inside an event handler that runs from the event loop: a timer
// answers it with Enter ("Ja"), the handler goes on and the sample size is raised in both
// windows.
TEST_F(CaptureWindowTest, ModalQuestionInsideACaptureEvent) {
  QtPrompts boxes;
  Environment env{t.settings, t.files,   t.clock,   t.random,
                  boxes,      t.numbers, t.kalvero, t.env.programFolder};
  window = std::make_unique<frm_TuL>(env, t.g, order);
  window->Form_Load();
  window->show();
  app->run({Cmd::Dimension("101", 1)});
  app->run({Cmd::Dimension("101", 1)});

  bool runFinished = false;
  QTimer::singleShot(0, [&] {
    QTimer::singleShot(0, [&] {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      if (box != nullptr) {
        QTest::keyClick(box, Qt::Key_Return);
      }
    });
    app->run({Cmd::Dimension("101", 7.5)});
    runFinished = true;
  });
  ASSERT_TRUE(QTest::qWaitFor([&] { return runFinished; }, 5000));

  EXPECT_EQ(t.g.intStichprobenumfang, 3);
  EXPECT_EQ(order.txt_Probenumfang, "3");
  EXPECT_EQ(caption("lblNumProbes"), "3");
  EXPECT_EQ(caption("lblCurrentProbe"), "3");
  EXPECT_EQ(grid(), (std::vector<std::string>{"ID|Messwert", "101|7,5000"}));
}

}  // namespace
}  // namespace kvotlk::test
