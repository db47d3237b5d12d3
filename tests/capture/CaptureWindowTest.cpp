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

class CaptureWindow : public CaptureFixture {
 protected:
  // Two full samples of three characteristics and, when wanted, a third begun.
  void captureTwoSamples(bool beginThird = false) {
    load();
    run({Dim("1", 1.1), Dim("2", 1.2), Dim("3", 1.3)});
    run({Dim("1", 2.1), Dim("2", 2.2), Dim("3", 2.3)});
    if (beginThird) {
      run({Dim("1", 3.1)});
    }
  }
};

TEST_F(CaptureWindow, LoadSubscribesAndShowsAnEmptyCapture) {
  t.g.intAnzStichproben = 5;
  t.g.arrIdListe = SplitIdList("1,2");
  t.g.intAnzMerkmale = 4;
  t.g.strMerkmalID = "77";

  load();

  EXPECT_EQ(app->eventSource->sink, &engine);
  EXPECT_EQ(engine.state(), CaptureState::Ready);
  EXPECT_EQ(view.prepareGridCalls, 1);
  EXPECT_EQ(view.grid, (std::vector<Row>{{"ID", "Messwert"}, {"", ""}}));
  EXPECT_EQ(view.lblNumProbes, "3");
  EXPECT_EQ(view.lblCurrentProbe, "0");
  EXPECT_EQ(t.g.intAnzStichproben, 0);
  EXPECT_FALSE(HasIdEntries(t.g.arrIdListe));
  // Kept until the first sample start, as the rules say.
  EXPECT_EQ(t.g.intAnzMerkmale, 4);
  EXPECT_EQ(t.g.strMerkmalID, "77");
  EXPECT_TRUE(t.prompts.shown.empty());
}

TEST_F(CaptureWindow, LoadReadsIdLaenge) {
  const std::pair<const char*, std::int16_t> cases[] = {
      {nullptr, 6}, {"8", 8}, {"12", 12}, {"abc", 6}, {"", 6}};
  for (const auto& [stored, expected] : cases) {
    SCOPED_TRACE(stored ? stored : "missing");
    CaptureRig rig;
    if (stored != nullptr) {
      rig.t.setSetting("IdLaenge", stored);
    }
    rig.load();
    EXPECT_EQ(rig.engine.intIdLaenge(), expected);
  }
}

TEST_F(CaptureWindow, LoadWithoutSubscriptionSaysSoAndStaysOpen) {
  app->goAway();
  load();
  EXPECT_EQ(messages(), (std::vector<std::string>{kNoSubscription}));
  EXPECT_EQ(engine.state(), CaptureState::Halted);
  EXPECT_EQ(view.lblCurrentProbe, "0");

  engine.Form_Unload();
  EXPECT_EQ(engine.state(), CaptureState::Closed);
  EXPECT_EQ(view.orderWindowShown, 1);
}

TEST_F(CaptureWindow, RefusedSubscriptionIsReportedOnce) {
  app->eventSource->refuseConnect = true;
  load();
  EXPECT_EQ(messages(), (std::vector<std::string>{kNoSubscription}));
  EXPECT_EQ(engine.state(), CaptureState::Halted);
  EXPECT_EQ(app->eventSource->sink, nullptr);
}

TEST_F(CaptureWindow, DeleteDropsTheLastSample) {
  captureTwoSamples();

  engine.CmdLoeschen_Click();

  EXPECT_EQ(t.g.intAnzStichproben, 1);
  EXPECT_EQ(view.repainted, (std::vector<std::string>{"1"}));
  EXPECT_EQ(view.grid, (std::vector<Row>{{"ID", "Messwert"}, {"", ""}}));
  EXPECT_EQ(samples(), "{} {1=1.1 2=1.2 3=1.3}");
  EXPECT_EQ(t.g.intAnzMerkmale, 3);
  EXPECT_EQ(engine.state(), CaptureState::Sampling);
  EXPECT_TRUE(t.prompts.shown.empty());
}

TEST_F(CaptureWindow, DeleteTwiceDropsTwoSamples) {
  captureTwoSamples();

  engine.CmdLoeschen_Click();
  engine.CmdLoeschen_Click();

  EXPECT_EQ(t.g.intAnzStichproben, 0);
  EXPECT_EQ(view.repainted, (std::vector<std::string>{"1", "0"}));
  EXPECT_EQ(samples(), "{}");
  EXPECT_EQ(t.g.intAnzMerkmale, 0);
  EXPECT_EQ(engine.state(), CaptureState::Ready);
}

TEST_F(CaptureWindow, TheNextRunTakesTheFreedNumber) {
  captureTwoSamples();
  engine.CmdLoeschen_Click();

  run({Dim("1", 9.1), Dim("2", 9.2), Dim("3", 9.3)});

  EXPECT_EQ(t.g.intAnzStichproben, 2);
  EXPECT_EQ(samples(), "{} {1=1.1 2=1.2 3=1.3} {1=9.1 2=9.2 3=9.3}");
}

TEST_F(CaptureWindow, SendWithTheFullSampleCountAsksNothing) {
  load();
  run({Dim("1", 1)});
  run({Dim("1", 2)});
  run({Dim("1", 3)});

  engine.CmdSendData_Click();

  EXPECT_TRUE(t.prompts.shown.empty());
  EXPECT_EQ(writeCalls, 1);
  EXPECT_EQ(writtenSamples, "{} {1=1} {1=2} {1=3}");
  EXPECT_EQ(engine.state(), CaptureState::Closed);
  EXPECT_EQ(view.orderWindowShown, 1);
  EXPECT_EQ(view.windowClosed, 1);
  EXPECT_EQ(app->eventSource->sink, nullptr);
}

TEST_F(CaptureWindow, SendQuestionYesKeepsCapturing) {
  load();
  run({Dim("1", 1)});
  run({Dim("1", 2)});
  t.prompts.answers = {true};

  engine.CmdSendData_Click();

  EXPECT_EQ(t.prompts.shown,
            (std::vector<ShownPrompt>{{PromptKind::Question, kSendQuestion, true}}));
  EXPECT_EQ(writeCalls, 0);
  EXPECT_EQ(engine.state(), CaptureState::Sampling);

  run({Dim("1", 3)});
  EXPECT_EQ(t.g.intAnzStichproben, 3);
  engine.CmdSendData_Click();
  EXPECT_EQ(t.prompts.shown.size(), 1U);
  EXPECT_EQ(writtenSamples, "{} {1=1} {1=2} {1=3}");
  EXPECT_EQ(engine.state(), CaptureState::Closed);
}

TEST_F(CaptureWindow, SendQuestionNoSendsWhatThereIs) {
  load();
  run({Dim("1", 1)});
  run({Dim("1", 2)});
  t.prompts.answers = {false};

  engine.CmdSendData_Click();

  EXPECT_EQ(t.prompts.shown,
            (std::vector<ShownPrompt>{{PromptKind::Question, kSendQuestion, false}}));
  EXPECT_EQ(writeCalls, 1);
  EXPECT_EQ(writtenSamples, "{} {1=1} {1=2}");
  EXPECT_EQ(engine.state(), CaptureState::Closed);
}

TEST_F(CaptureWindow, AFailedSendCanBeRepeated) {
  load();
  run({Dim("1", 1)});
  run({Dim("1", 2)});
  run({Dim("1", 3)});
  writeSucceeds = false;

  engine.CmdSendData_Click();

  EXPECT_EQ(engine.state(), CaptureState::Halted);
  EXPECT_EQ(view.orderWindowShown, 0);
  EXPECT_EQ(view.windowClosed, 0);
  run({Dim("1", 4)});
  EXPECT_EQ(samples(), "{} {1=1} {1=2} {1=3}");

  writeSucceeds = true;
  engine.CmdSendData_Click();
  EXPECT_EQ(writeCalls, 2);
  EXPECT_EQ(writtenSamples, "{} {1=1} {1=2} {1=3}");
  EXPECT_EQ(engine.state(), CaptureState::Closed);
}

TEST_F(CaptureWindow, ClosingWritesNothingAndShowsTheOrderWindow) {
  load();
  run({Dim("1", 1)});

  engine.Form_Unload();

  EXPECT_EQ(writeCalls, 0);
  EXPECT_EQ(view.orderWindowShown, 1);
  EXPECT_EQ(view.windowClosed, 0);
  EXPECT_EQ(engine.state(), CaptureState::Closed);
  EXPECT_EQ(app->eventSource->sink, nullptr);
  EXPECT_EQ(samples(), "{} {1=1}");

  run({Dim("1", 2)});
  EXPECT_EQ(samples(), "{} {1=1}");
}

TEST_F(CaptureWindow, AnIdMessageClosesTheWindowOnce) {
  load();
  run({Dim("1", 1), Dim("12a", 2)});

  EXPECT_EQ(view.orderWindowShown, 1);
  EXPECT_EQ(view.windowClosed, 1);
  EXPECT_EQ(app->eventSource->sink, nullptr);

  // The window's close handler runs after the engine closed it.
  engine.Form_Unload();
  EXPECT_EQ(view.orderWindowShown, 1);
  EXPECT_EQ(samples(), "{} {1=1}");
}

TEST_F(CaptureWindow, AnEmptyCaptureAfterAnEarlierOrderSendsTheHeadOnly) {
  load();
  run({Dim("1", 1), Dim("2", 2)});
  engine.Form_Unload();
  ResetSamples(t.g);  // the next order's confirmation
  load();
  t.prompts.answers = {false};

  engine.CmdSendData_Click();

  EXPECT_EQ(writeCalls, 1);
  EXPECT_EQ(t.g.intAnzMerkmale, 0);
  EXPECT_EQ(CaptureDataProblem(t.g), std::nullopt);
  EXPECT_EQ(engine.state(), CaptureState::Closed);
}

TEST_F(CaptureWindow, ButtonsOfAClosedWindowDoNothing) {
  load();
  run({Dim("1", 1)});
  engine.Form_Unload();

  engine.CmdLoeschen_Click();
  engine.CmdSendData_Click();

  EXPECT_EQ(t.g.intAnzStichproben, 1);
  EXPECT_EQ(writeCalls, 0);
  EXPECT_TRUE(t.prompts.shown.empty());
}

TEST(CaptureEngineLife, DestroyingTheEngineEndsTheSubscription) {
  test::TestEnvironment t;
  const auto app = t.kalvero.start();
  app->openPartProgram("Welle.kvp");
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
