// The capture window frm_TuL: its controls and geometry, the grid while scripted runs
// arrive, its buttons and keys, its closing, and a question asked inside a capture event.
#include <gtest/gtest.h>

#include <QApplication>
#include <QFontInfo>
#include <QLabel>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <QTimer>

#include "app/QtPrompts.h"
#include "app/WindowTexts.h"
#include "capture/CaptureEngine.h"
#include "capture/frm_TuL.h"
#include "support/TestEnvironment.h"

namespace kvotlk::test {
namespace {

using Cmd = ScriptedCommand;
using Rows = std::vector<std::string>;

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

  void open(Environment& env) {
    window = std::make_unique<frm_TuL>(env, t.g, order);
    window->Form_Load();
    window->show();
  }
  void open() { open(t.env); }
  template <typename Widget = QWidget>
  Widget* child(const char* name) const {
    auto* found = window->findChild<Widget*>(QString::fromUtf8(name));
    EXPECT_NE(found, nullptr) << name;
    return found;
  }
  QString caption(const char* name) const { return child<QLabel>(name)->text(); }
  // The grid as rows of "ID|Messwert", the header row first.
  Rows grid() const {
    Rows rows;
    for (int row = 0; row < window->gridRowCount(); ++row) {
      rows.push_back((window->gridText(row, 0) + "|" + window->gridText(row, 1)).toStdString());
    }
    return rows;
  }
  QRect twips(int left, int top, int width, int height) const {
    const auto x = [this](int n) { return TwipsToPixels(n, window->logicalDpiX()); };
    const auto y = [this](int n) { return TwipsToPixels(n, window->logicalDpiY()); };
    return {x(left), y(top), x(width), y(height)};
  }

  TestEnvironment t;
  std::shared_ptr<FakeKvoApplication> app;
  RecordingOrderWindow order;
  std::unique_ptr<frm_TuL> window;
};

TEST(TwipsToPixels, ConvertsAtTheLogicalResolution) {
  for (const auto& [twips, dpi, pixels] :
       {std::tuple{8565, 96.0, 571}, {8565, 120.0, 714}, {7, 96.0, 0}, {8, 96.0, 1}}) {
    EXPECT_EQ(TwipsToPixels(twips, dpi), pixels) << twips << " at " << dpi;
  }
}

// Captions: texts/frm_TuL.txt; the geometry in twips, the font, the keyboard order.
TEST_F(CaptureWindowTest, LoadBuildsTheWindowAsDesigned) {
  open();
  ExpectTexts(*window, "frm_TuL");
  EXPECT_EQ(window->size(), twips(0, 0, 8565, 5115).size());
  EXPECT_DOUBLE_EQ(window->font().pointSizeF(), 8.25);
  const QString family = QFontInfo(child("CmdSendData")->font()).family();
  EXPECT_TRUE(family == "Arial" || family == "Liberation Sans") << family.toStdString();
  const std::tuple<const char*, QRect, const char*> places[] = {
      {"Frame1", twips(60, 60, 5895, 4995), "frm_TuL"},
      {"Label2", twips(120, 360, 795, 255), "Frame1"},
      {"lblCurrentProbe", twips(120, 600, 795, 315), "Frame1"},
      {"Label4", twips(120, 960, 795, 255), "Frame1"},
      {"lblNumProbes", twips(120, 1200, 795, 315), "Frame1"},
      {"FlexGridDaten", twips(1080, 360, 4695, 4515), "Frame1"},
      {"CmdSendData", twips(6060, 120, 2415, 375), "frm_TuL"},
      {"CmdLoeschen", twips(6060, 540, 2415, 375), "frm_TuL"}};
  for (const auto& [name, place, parent] : places) {
    EXPECT_EQ(child(name)->geometry(), place) << name;
    EXPECT_EQ(child(name)->parentWidget()->objectName(), parent) << name;
  }
  for (const char* bordered : {"lblCurrentProbe", "lblNumProbes"}) {
    EXPECT_NE(child<QLabel>(bordered)->frameShape(), QFrame::NoFrame) << bordered;
  }
  Rows tabOrder;
  for (QWidget* widget = child("CmdSendData"); tabOrder.size() < 3;
       widget = widget->nextInFocusChain()) {
    if ((widget->focusPolicy() & Qt::TabFocus) != 0) {
      tabOrder.push_back(widget->objectName().toStdString());
    }
  }
  EXPECT_EQ(tabOrder, (Rows{"CmdSendData", "CmdLoeschen", "FlexGridDaten"}));
  EXPECT_EQ(grid(), (Rows{"ID|Messwert", "|"}));
  EXPECT_EQ(app->eventSource->sink, &window->engine());
}

// The ID column takes what IdLaenge characters and a nest suffix need from the value
// column, so no ID is cut short ("…").
TEST_F(CaptureWindowTest, IdsOfIdLaengeCharactersAndANestSuffixAreShownWhole) {
  t.g.intNestnummerAmMerkmal = 1;
  t.g.strNestnummer = "12";
  for (const auto& [idLength, nest, id, shown] : {std::tuple{"6", kUnchecked, "123456", "123456"},
                                                  {"7", kUnchecked, "1234567", "1234567"},
                                                  {"7", kChecked, "123456", "12345612"},
                                                  {"10", kChecked, "123456789", "12345678912"}}) {
    t.setSetting("IdLaenge", idLength);
    order.chkNest = nest;
    open();
    app->run({Cmd::Dimension(id, 1.5)});
    EXPECT_EQ(window->gridText(1, 0), shown);
    auto* table = child<QTableWidget>("FlexGridDaten");
    const QAbstractItemView& view = *table;
    EXPECT_GE(table->columnWidth(0), view.sizeHintForColumn(0)) << idLength;
    EXPECT_EQ(table->columnWidth(0) + table->columnWidth(1), twips(0, 0, 3800, 0).width());
    EXPECT_GE(table->columnWidth(1), view.sizeHintForColumn(1));
  }
  t.setSetting("IdLaenge", "1");
  open();
  EXPECT_EQ(child<QTableWidget>("FlexGridDaten")->columnWidth(0), twips(0, 0, 600, 0).width());
}

// The grid and the sample number follow the runs; Enter presses a button only while it has
// the focus, so from the grid it sends nothing.
TEST_F(CaptureWindowTest, GridAndButtonsFollowTheCaptureAndEnter) {
  open();
  app->run({Cmd::Dimension("101", 12.0034), Cmd::Dimension("102", -0.5)});
  EXPECT_EQ(grid(), (Rows{"ID|Messwert", "101|12,0034", "102|-0,5000"}));
  EXPECT_EQ(child<QTableWidget>("FlexGridDaten")->item(1, 1)->textAlignment(), Qt::AlignCenter);
  app->run({Cmd::Dimension("101", 12.5)});
  EXPECT_EQ(grid(), (Rows{"ID|Messwert", "101|12,5000"}));
  EXPECT_EQ(caption("lblCurrentProbe"), "2");
  QTest::keyClick(child("FlexGridDaten"), Qt::Key_Return);
  QTest::keyClick(child("CmdLoeschen"), Qt::Key_Return);
  EXPECT_EQ(grid(), (Rows{"ID|Messwert", "|"}));
  EXPECT_EQ(caption("lblCurrentProbe"), "1");
  EXPECT_EQ(t.prompts.shown.size(), 0U);
  EXPECT_EQ(window->focusWidget(), child("CmdSendData")) << "the focus when the window opened";
  QTest::keyClick(child("CmdSendData"), Qt::Key_Return);
  EXPECT_EQ(t.prompts.shown.size(), 1U) << "the send asks: one sample of two";
  EXPECT_FALSE(window->isVisible()) << "No: sent";
}

// An ID message closes the window from inside the event; the order window comes back, and
// the window stays for its owner to delete. (The close box: EndToEndTest.)
TEST_F(CaptureWindowTest, AnIdMessageClosesTheWindowInsideTheEvent) {
  open();
  app->run({Cmd::Dimension("12a", 1.0)});
  EXPECT_EQ(t.prompts.shown.size(), 1U);
  EXPECT_FALSE(window->isVisible());
  EXPECT_EQ(order.shown, 1);
  const QPointer<frm_TuL> kept = window.get();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_FALSE(kept.isNull());
}

// A real modal question inside an event handler that runs from the event loop while
// another program is in front: the question belongs to the capture window (that it stays on
// top: QtPromptsTest); Enter answers "Ja", the handler goes on and the sample size is
// raised in both windows. The nest state comes from the order window.
TEST_F(CaptureWindowTest, TheQuestionOfARunBelongsToTheCaptureWindow) {
  QtPrompts boxes;
  Environment env{t.settings, t.files,   t.clock,   t.random,
                  boxes,      t.numbers, t.kalvero, t.env.programFolder};
  order.chkNest = kChecked;
  t.g.strNestnummer = "3";
  t.g.intNestnummerAmMerkmal = 1;
  open(env);
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
  EXPECT_EQ(t.g.intStichprobenumfang, 3);
  EXPECT_EQ(order.txt_Probenumfang, "3");
  EXPECT_EQ(caption("lblCurrentProbe") + "/" + caption("lblNumProbes"), "3/3");
  EXPECT_EQ(grid(), (Rows{"ID|Messwert", "1013|7,5000"}));
}

}  // namespace
}  // namespace kvotlk::test
