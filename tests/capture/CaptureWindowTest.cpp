// The capture window's logic: load step, "Letzte Stichprobe löschen", "Daten übertragen"
// and closing.
#include "CaptureTestSupport.h"
#include "CaptureTexts.h"
#include "capture/IdList.h"
#include "entry/OrderConfirmation.h"
#include "output/ResultFileText.h"

namespace kvotlk::test {
namespace {

using Row = std::array<std::string, 2>;
using CaptureWindow = CaptureFixture;

TEST_F(CaptureWindow, LoadSubscribesAndShowsAnEmptyCapture) {
  t.g.intAnzStichproben = 5;
  t.g.arrIdListe = SplitIdList("1,2");
  t.g.intAnzMerkmale = 4;
  t.g.strMerkmalID = "77";

  load();

  EXPECT_EQ(app->eventSource->sink, &engine);
  EXPECT_EQ(engine.state(), CaptureState::Ready);
  EXPECT_EQ(view.grid, (std::vector<Row>{{"ID", "Messwert"}, {"", ""}}));
  EXPECT_EQ(std::tie(view.lblNumProbes, view.lblCurrentProbe), std::tie("3", "0"));
  EXPECT_EQ(t.g.intAnzStichproben, 0);
  EXPECT_FALSE(HasIdEntries(t.g.arrIdListe));
  // Kept until the first sample start.
  EXPECT_EQ(t.g.intAnzMerkmale, 4);
  EXPECT_EQ(t.g.strMerkmalID, "77");
  EXPECT_TRUE(t.prompts.shown.empty());
}

TEST(CaptureWindowLoad, WithoutSubscriptionSaysSoOnceAndStaysOpenHalted) {
  for (const bool gone : {true, false}) {
    SCOPED_TRACE(gone ? "software gone" : "connection refused");
    CaptureRig rig;
    if (gone) {
      rig.app->goAway();
    } else {
      rig.app->eventSource->refuseConnect = true;
    }
    rig.load();
    EXPECT_EQ(rig.messages(), (std::vector<std::string>{kNoSubscription}));
    EXPECT_EQ(rig.engine.state(), CaptureState::Halted);
    EXPECT_EQ(rig.view.lblCurrentProbe, "0");
  }
}

// The count of characteristics follows the sample that is last after a deletion, also
// when the deleted one was broken off; with no sample started nothing is deleted.
TEST_F(CaptureWindow, DeleteDropsTheLastSampleAndCountsTheNewLast) {
  load();
  execute(Dim("0", 0.5));  // before the first run: element 0
  engine.CmdLoeschen_Click();
  EXPECT_EQ(samples(), "{0=0.5}");
  EXPECT_TRUE(view.repainted.empty());
  EXPECT_EQ(view.grid[1][0], "0");

  run({Dim("1", 1.1)});
  run({Dim("1", 2.1), Dim("2", 2.2), Dim("3", 2.3)});
  run({Dim("1", 3.1)});  // broken off

  engine.CmdLoeschen_Click();
  EXPECT_EQ(t.g.intAnzStichproben, 2);
  EXPECT_EQ(t.g.intAnzMerkmale, 3);
  EXPECT_EQ(view.grid, (std::vector<Row>{{"ID", "Messwert"}, {"", ""}}));
  EXPECT_EQ(engine.state(), CaptureState::Sampling);
  engine.CmdLoeschen_Click();
  EXPECT_EQ(t.g.intAnzMerkmale, 1);
  run({Dim("1", 9.1)});
  EXPECT_EQ(samples(), "{0=0.5} {1=1.1} {1=9.1}") << "the next run takes the freed number";
  engine.CmdLoeschen_Click();
  engine.CmdLoeschen_Click();

  EXPECT_EQ(view.repainted, (std::vector<std::string>{"2", "1", "1", "0"}));
  EXPECT_EQ(samples(), "{0=0.5}");
  EXPECT_EQ(t.g.intAnzMerkmale, 0);
  EXPECT_EQ(engine.state(), CaptureState::Ready);
  EXPECT_TRUE(t.prompts.shown.empty());
}

TEST_F(CaptureWindow, SendAsksWhileTheCountDiffersAndAFailedSendCanBeRepeated) {
  load();
  run({Dim("1", 1)});
  run({Dim("1", 2)});
  t.prompts.answers = {true};
  engine.CmdSendData_Click();
  EXPECT_EQ(t.prompts.shown,
            (std::vector<ShownPrompt>{{PromptKind::Question, kSendQuestion, true}}));
  EXPECT_EQ(writeCalls, 0);

  run({Dim("1", 3)});
  writeSucceeds = false;
  engine.CmdSendData_Click();
  EXPECT_EQ(t.prompts.shown.size(), 1U) << "the full count asks nothing";
  EXPECT_EQ(engine.state(), CaptureState::Halted);
  run({Dim("1", 4)});

  writeSucceeds = true;
  engine.CmdSendData_Click();
  EXPECT_EQ(writeCalls, 2);
  EXPECT_EQ(writtenSamples, "{} {1=1} {1=2} {1=3}");
  EXPECT_EQ(engine.state(), CaptureState::Closed);
  EXPECT_EQ(view.windowClosed, 1);

  // The buttons of a closed window do nothing.
  engine.CmdLoeschen_Click();
  engine.CmdSendData_Click();
  EXPECT_EQ(t.g.intAnzStichproben, 3);
  EXPECT_EQ(writeCalls, 2);
}

// The sample reset of the next order clears the characteristic count too, so an empty
// capture after an earlier one is not refused as values without a sample.
TEST_F(CaptureWindow, AnEmptyCaptureAfterAnEarlierOrderSendsTheHeadOnly) {
  load();
  run({Dim("1", 1), Dim("2", 2)});
  engine.Form_Unload();
  ResetSamples(t.g);
  load();
  t.prompts.answers = {false};

  engine.CmdSendData_Click();

  EXPECT_EQ(writeCalls, 1);
  EXPECT_EQ(CaptureDataProblem(t.g), std::nullopt);
  EXPECT_EQ(engine.state(), CaptureState::Closed);
}

TEST(CaptureEngineLife, DestroyingTheEngineEndsTheSubscription) {
  TestEnvironment t;
  const auto app = t.kalvero.start();
  t.g.KvoApp = app;
  NullCaptureView view;
  {
    CaptureEngine engine(t.env, t.g, view, [] { return true; });
    engine.Form_Load();
    EXPECT_EQ(app->eventSource->sink, &engine);
  }
  EXPECT_EQ(app->eventSource->sink, nullptr);
}

}  // namespace
}  // namespace kvotlk::test
