// The faults the capture mends: each one provoked, and what the operator keeps.
#include <string>
#include <vector>

#include "CaptureTestSupport.h"
#include "CaptureTexts.h"

namespace kvotlk::test {
namespace {

using CaptureFaults = CaptureFixture;

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

}  // namespace
}  // namespace kvotlk::test
