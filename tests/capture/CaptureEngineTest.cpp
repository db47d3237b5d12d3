// The capture engine where a case file cannot look: the window's repaints and closing,
// the subscription of a destroyed engine, IDs with a line break, and the program name.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "capture/CaptureEngine.h"
#include "capture/CaptureOrder.h"
#include "capture/CaptureView.h"
#include "fake-kalvero/FakeKalvero.h"
#include "kalvero/modKVOFunctions.h"
#include "support/TestEnvironment.h"

namespace kvotlk::test {
namespace {

class RecordingView final : public CaptureView {
 public:
  void prepareGrid() override {}
  void setGridRowCount(int /*rows*/) override {}
  void setGridCell(int /*row*/, int /*column*/, const std::string& /*text*/) override {}
  void setCurrentProbe(const std::string& caption, bool repaintNow) override {
    if (repaintNow) {
      repainted.push_back(caption);
    }
  }
  void setNumProbes(const std::string& /*caption*/) override {}
  void showWindow() override {}
  void closeWindow() override { ++closed; }

  std::vector<std::string> repainted;
  int closed = 0;
};

struct Capture {
  Capture() {
    app = t.startKalvero();
    ConnectToKvo(t.env, t.g);
    GetOpenPartProg(t.g);
    t.g.intStichprobenumfang = 9;
  }

  TestEnvironment t;
  std::shared_ptr<FakeKvoApplication> app;
  RecordingView view;
  NullCaptureOrder order;
};

// A loop start repaints the sample number at once (the run goes on without a message
// loop); a run start and a deletion leave it to the window; the close box, once the
// samples may be dropped, closes nothing itself.
TEST(CaptureEngine, RepaintsAtALoopStartAndLeavesTheClosedWindowAlone) {
  Capture c;
  c.t.setSetting("SCHLEIFE", "1");
  CaptureEngine engine(c.t.env, c.t.g, c.order);
  engine.Form_Load(c.view);
  c.app->run({CommandRecord::Text("SchleifeAnfang"), CommandRecord::Text("SchleifeAnfang")});
  c.t.setSetting("SCHLEIFE", "0");
  c.app->run(std::vector<CommandRecord>{});
  EXPECT_EQ(c.view.repainted, (std::vector<std::string>{"1", "2"}));

  c.t.prompts.answers = {true};
  EXPECT_TRUE(engine.Form_Unload());
  EXPECT_EQ(c.view.closed, 0);
  EXPECT_EQ(c.app->eventSource->sink, nullptr);
}

// Events that arrive while the subscription is being made are a run like any other.
TEST(CaptureEngine, ARunFiredWhileSubscribingIsCaptured) {
  Capture c;
  c.app->eventSource->whileConnecting = [&c] { c.app->run({CommandRecord::Dimension("10", 1.5)}); };
  CaptureEngine engine(c.t.env, c.t.g, c.order);
  engine.Form_Load(c.view);
  EXPECT_EQ(c.t.g.intAnzStichproben, 1);
  ASSERT_EQ(c.t.g.arrStichproben.size(), 2U);
  EXPECT_EQ(c.t.g.arrStichproben[1].dblMesswert.at(1), 1.5);
}

TEST(CaptureEngine, DestroyingTheEngineEndsTheSubscription) {
  Capture c;
  {
    CaptureEngine engine(c.t.env, c.t.g, c.order);
    engine.Form_Load(c.view);
    EXPECT_EQ(c.app->eventSource->sink, &engine);
  }
  EXPECT_EQ(c.app->eventSource->sink, nullptr);
}

// A line break would split the "MERKMAL=" line of the result file; a measuring-program
// file cannot hold one inside a value. The refused ID's value is not stored either.
TEST(CaptureEngine, AnIdWithALineBreakIsNoWholeNumber) {
  CommandRecord type184 = CommandRecord::Plain(184, "10\r");
  type184.field662 = 2.0;
  for (const CommandRecord& command : {CommandRecord::Dimension("\n101", 1.0), type184}) {
    Capture c;
    CaptureEngine engine(c.t.env, c.t.g, c.order);
    engine.Form_Load(c.view);
    c.app->run({command});
    const std::string id = command.dimension ? "\n101" : "10\r";
    ASSERT_EQ(c.t.prompts.shown.size(), 1U);
    EXPECT_EQ(c.t.prompts.shown[0].text, "Merkamls ID " + id +
                                             " entspricht nicht dem Typ Long (Ganzzahl).\r\n"
                                             "Korrigieren Sie zuerst das Messprogramm.");
    EXPECT_EQ(engine.state(), CaptureState::Closed);
    EXPECT_EQ(c.t.g.intAnzMerkmale, 0);
  }
}

TEST(PartProgBaseName, DropsTheExtension) {
  EXPECT_EQ(PartProgBaseName("Gehäuse Ø12.kvp"), "Gehäuse Ø12");
  EXPECT_EQ(PartProgBaseName("A.kvp"), "A");
  EXPECT_EQ(PartProgBaseName(".kvp"), "");
}

}  // namespace
}  // namespace kvotlk::test
