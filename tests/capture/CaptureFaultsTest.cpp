// The faults the capture mends: each one provoked, and what the operator keeps.
#include <string>
#include <vector>

#include "CaptureTestSupport.h"
#include "CaptureTexts.h"

namespace kvotlk::test {
namespace {

using CaptureFaults = CaptureFixture;

TEST_F(CaptureFaults, DeleteWithoutAStartedSampleDoesNothing) {
  load();
  execute(Dim("1", 1));  // before the first run: element 0

  engine.CmdLoeschen_Click();

  EXPECT_EQ(t.g.intAnzStichproben, 0);
  EXPECT_EQ(samples(), "{1=1}");
  EXPECT_EQ(t.g.intAnzMerkmale, 1);
  EXPECT_TRUE(view.repainted.empty());
  EXPECT_EQ(view.grid[1][0], "1");
  EXPECT_EQ(engine.state(), CaptureState::Ready);
}

TEST_F(CaptureFaults, DeletingAPartlyMeasuredSampleKeepsTheFullCount) {
  load();
  run({Dim("1", 1.1), Dim("2", 1.2), Dim("3", 1.3)});
  run({Dim("1", 2.1), Dim("2", 2.2), Dim("3", 2.3)});
  run({Dim("1", 3.1)});  // broken off

  engine.CmdLoeschen_Click();

  EXPECT_EQ(t.g.intAnzMerkmale, 3);
  t.prompts.answers = {false};
  engine.CmdSendData_Click();
  EXPECT_EQ(writtenSamples, "{} {1=1.1 2=1.2 3=1.3} {1=2.1 2=2.2 3=2.3}");
}

TEST_F(CaptureFaults, DeleteCountsTheCharacteristicsOfTheNewLastSample) {
  load();
  run({Dim("1", 1.1)});
  run({Dim("1", 2.1), Dim("2", 2.2)});
  engine.CmdLoeschen_Click();
  EXPECT_EQ(t.g.intAnzMerkmale, 1);
  engine.CmdLoeschen_Click();
  EXPECT_EQ(t.g.intAnzMerkmale, 0);
}

TEST_F(CaptureFaults, TheNestNumberIsAppendedOncePerValue) {
  view.chkNest = kChecked;
  t.g.intNestnummerAmMerkmal = 1;
  t.g.strNestnummer = "3";
  load();

  run({Dim("10", 1), Dim("", 2), Dim("", 3)});

  EXPECT_EQ(samples(), "{} {103=1 103=2 103=3}");
  EXPECT_EQ(t.g.strMerkmalID, "10");
  EXPECT_EQ(view.grid[3][0], "103");
  EXPECT_TRUE(t.prompts.shown.empty());
}

TEST_F(CaptureFaults, APositionBeyondTheIdListCapturesNothing) {
  load();
  std::vector<ScriptedCommand> commands = {Txt("ID", "101"), Plain(1000, "50")};
  for (int i = 1; i <= 40; ++i) {
    commands.push_back(Dim("", i));
  }

  run(commands);

  EXPECT_EQ(samples(), "{} {101=1}");
  EXPECT_EQ(t.g.intPosInBlockA, 40);
}

TEST_F(CaptureFaults, TheSampleCounterStopsAt32767) {
  for (const char* schleife : {"0", "1"}) {
    SCOPED_TRACE(schleife);
    CaptureRig rig;
    rig.t.setSetting("SCHLEIFE", schleife);
    rig.load();
    rig.run({Txt("SchleifeAnfang"), Dim("1", 1)});
    rig.t.g.intAnzStichproben = 32767;
    rig.t.g.intStichprobenumfang = 32767;
    rig.t.g.arrStichproben.resize(32768);
    rig.t.g.arrStichproben[32767] = rig.t.g.arrStichproben[1];

    rig.run({Txt("SchleifeAnfang"), Dim("2", 2)});

    EXPECT_EQ(rig.messages(), (std::vector<std::string>{kTooManySamples}));
    EXPECT_EQ(rig.t.g.intAnzStichproben, 32767);
    EXPECT_EQ(rig.t.g.intStichprobenumfang, 32767);
    EXPECT_EQ(rig.t.g.arrStichproben.size(), 32768U);
    EXPECT_EQ(rig.t.g.arrStichproben[32767].strMerkmal.back(), "1");
    EXPECT_EQ(rig.engine.state(), CaptureState::Halted);
  }
}

TEST_F(CaptureFaults, TheCharacteristicCounterStopsAt32767) {
  load();
  run({Dim("1", 1)});
  t.g.intAnzMerkmale = 32767;
  t.g.arrStichproben[1].strMerkmal.resize(32768, "1");
  t.g.arrStichproben[1].dblMesswert.resize(32768, 1.0);

  execute(Dim("2", 2));
  execute(Field184("3", 3));

  EXPECT_EQ(messages(), (std::vector<std::string>{kTooManyValues}));
  EXPECT_EQ(t.g.intAnzMerkmale, 32767);
  EXPECT_EQ(t.g.arrStichproben[1].strMerkmal.size(), 32768U);
  EXPECT_EQ(t.g.arrStichproben[1].dblMesswert.back(), 1.0);
  EXPECT_EQ(engine.state(), CaptureState::Halted);

  t.prompts.answers = {false};
  engine.CmdSendData_Click();
  EXPECT_EQ(writeCalls, 1);
}

TEST_F(CaptureFaults, BlockPositionsStopAt32767) {
  load();
  run({Txt("ID", "1"), Plain(1000, "50")});
  t.g.intPosInBlockA = 32767;
  execute(Dim("", 1));
  EXPECT_EQ(t.g.intPosInBlockA, 32767);
  EXPECT_TRUE(t.prompts.shown.empty());
}

// A run that calls every automation operation the capture uses, in this order.
std::vector<ScriptedCommand> EveryOperationRun() {
  return {Txt("Hinweis"), Txt("ID", "5,6"), Plain(1200, "8"), Dim("", 3, 1209, 3.5),
          Plain(1201),    Dim("9", 4),      Field184("10", 5)};
}

TEST_F(CaptureFaults, AFailedCallHaltsWithOneMessageAndKeepsTheValues) {
  const char* operations[] = {"PartProgName", "HasTextCmd",    "TextCmdOf",     "TextCmdName",
                              "TextCmdText",  "CmdTypeCode",   "IntFieldValue", "CmdIdText",
                              "HasDimension", "DimensionOf",   "DimSecondary",  "DimIdText",
                              "DimMeasured",  "RealFieldValue"};
  for (const char* operation : operations) {
    SCOPED_TRACE(operation);
    CaptureRig rig;
    rig.load();
    rig.run({Dim("1", 1.5), Dim("2", 2.5)});
    rig.app->life->goAwayAt(operation);

    rig.run(EveryOperationRun());

    EXPECT_EQ(rig.messages(), (std::vector<std::string>{kLostLink}));
    EXPECT_EQ(rig.engine.state(), CaptureState::Halted);
    const Stichprobe& first = rig.t.g.arrStichproben.at(1);
    EXPECT_EQ(first.strMerkmal, (std::vector<std::string>{"", "1", "2"}));
    EXPECT_EQ(first.dblMesswert, (std::vector<double>{0.0, 1.5, 2.5}));
    // No ID was stored without its value.
    const Stichprobe& last = rig.t.g.arrStichproben.back();
    EXPECT_EQ(last.strMerkmal.size(), last.dblMesswert.size());
    EXPECT_EQ(last.strMerkmal.size(), static_cast<std::size_t>(rig.t.g.intAnzMerkmale) + 1);

    rig.t.prompts.answers = {false};
    rig.engine.CmdSendData_Click();
    EXPECT_EQ(rig.writeCalls, 1);
  }
}

TEST_F(CaptureFaults, GoingAwayMidRunKeepsWhatCameBefore) {
  load();
  app->life->goAwayAfter(30);

  run({Dim("1", 1), Dim("2", 2), Dim("3", 3), Dim("4", 4), Dim("5", 5)});

  EXPECT_EQ(messages(), (std::vector<std::string>{kLostLink}));
  EXPECT_EQ(samples(), "{} {1=1 2=2 3=3}");
  EXPECT_EQ(engine.state(), CaptureState::Halted);
}

TEST_F(CaptureFaults, ALoopRunStartAnsweredNoKeepsTheSampleCount) {
  t.setSetting("SCHLEIFE", "1");
  t.g.intStichprobenumfang = -2;
  t.prompts.answers = {true, true, false};
  load();

  run({Txt("SchleifeAnfang"), Dim("1", 1)});
  run({});

  EXPECT_EQ(t.prompts.shown.size(), 3U);
  EXPECT_EQ(t.g.intAnzStichproben, 1);
  EXPECT_EQ(samples(), "{} {1=1}");
  EXPECT_EQ(engine.state(), CaptureState::Halted);
}

TEST_F(CaptureFaults, AStartOfNoSampleAnsweredNoNeverGoesBelowZero) {
  t.setSetting("SCHLEIFE", "1");
  t.g.intStichprobenumfang = -1;
  load();

  run({});

  EXPECT_EQ(t.g.intAnzStichproben, 0);
  EXPECT_EQ(t.g.arrStichproben.size(), 1U);
  EXPECT_EQ(engine.state(), CaptureState::Halted);
}

}  // namespace
}  // namespace kvotlk::test
