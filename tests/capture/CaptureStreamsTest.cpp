// Scripted event streams through the capture engine: what each stream leaves in the
// samples, the counters, the messages and the capture state.
#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "CaptureTestSupport.h"
#include "CaptureTexts.h"

namespace kvotlk::test {
namespace {

// A run start (no command) or an executed command of the program "Welle.kvp".
using Event = std::optional<ScriptedCommand>;

Event Run() { return std::nullopt; }
Event Do(ScriptedCommand command) { return command; }
Event Loop() { return Do(Txt("SchleifeAnfang")); }

ShownPrompt Asked(bool answer) { return {PromptKind::Question, kIncreaseQuestion, answer}; }
ShownPrompt Stop(const char* text) { return {PromptKind::Stop, text}; }

ScriptedCommand TextWithDimension(std::string name, std::string id, double value) {
  ScriptedCommand scripted = Dim(std::move(id), value);
  scripted.textCmd = ScriptedTextCmd{std::move(name), {}};
  return scripted;
}

ScriptedCommand Dim184(std::string dimId, double measured, std::string cmdId, double field662,
                       std::int32_t field165 = 0) {
  ScriptedCommand scripted = Dim(std::move(dimId), measured, 184);
  scripted.CmdIdText = std::move(cmdId);
  scripted.field662 = field662;
  scripted.field165 = field165;
  return scripted;
}

struct Expected {
  const char* samples;
  std::int16_t k;
  std::int16_t m;
};

struct Setup {
  std::deque<bool> answers = {};
  std::int16_t N = 3;
  const char* schleife = "0";
  int chkNest = kUnchecked;
  std::int16_t nestnummerAmMerkmal = 0;
  const char* idLaenge = "6";
};

struct StreamCase {
  const char* name;
  std::vector<Event> events;
  Expected expect;
  std::vector<ShownPrompt> prompts = {};
  CaptureState state = CaptureState::Sampling;
  Setup setup = {};
};

const std::vector<StreamCase>& Cases() {
  static const std::vector<StreamCase> cases = {
      {.name = "values before the first sample start go to element 0",
       .events = {Do(Dim("10", 1.5)), Run(), Do(Dim("11", 2))},
       .expect = {"{10=1.5} {11=2}", 1, 1}},
      {.name = "N = 2 without loop mode, third run answered No",
       .events = {Run(), Do(Dim("1", 1)), Run(), Do(Dim("1", 2)), Run(), Do(Dim("1", 3))},
       .expect = {"{} {1=1} {1=2}", 2, 1},
       .prompts = {Asked(false)},
       .state = CaptureState::Halted,
       .setup = {.answers = {false}, .N = 2}},
      {.name = "N = 2 in loop mode, third loop answered Yes",
       .events = {Run(), Loop(), Do(Dim("1", 1)), Loop(), Do(Dim("1", 2)), Loop(), Do(Dim("1", 3))},
       .expect = {"{} {1=1} {1=2} {1=3}", 3, 1},
       .prompts = {Asked(true)},
       .setup = {.answers = {true}, .N = 2, .schleife = "1"}},
      {.name = "a loop-mode run start answered No keeps the sample count",
       .events = {Run(), Loop(), Do(Dim("1", 1)), Run()},
       .expect = {"{} {1=1}", 1, 1},
       .prompts = {Asked(true), Asked(true), Asked(false)},
       .state = CaptureState::Halted,
       .setup = {.answers = {true, true, false}, .N = -2, .schleife = "1"}},
      {.name = "a start of no sample answered No never goes below zero",
       .events = {Run()},
       .expect = {"{}", 0, 0},
       .prompts = {Asked(false)},
       .state = CaptureState::Halted,
       .setup = {.N = -1, .schleife = "1"}},
      {.name = "in loop mode a run start refills the current sample from entry 1",
       .events = {Run(), Loop(), Do(Dim("1", 1)), Do(Dim("2", 2)), Run(), Do(Dim("3", 3))},
       .expect = {"{} {3=3}", 1, 1},
       .setup = {.schleife = "1"}},
      {.name = "a text command of another name is an ordinary command",
       .events = {Run(), Loop(), Do(Dim("1", 1)), Do(TextWithDimension("schleifeanfang", "2", 2))},
       .expect = {"{} {1=1 2=2}", 1, 2},
       .setup = {.schleife = "1"}},
      {.name = "ID list 101,102,,104 inside a block A",
       .events = {Run(), Do(Txt("ID", "101,102,,104")), Do(Plain(1000, "50")), Do(Dim("", 1)),
                  Do(Dim("", 2)), Do(Dim("", 3)), Do(Dim("", 4)), Do(Plain(1001))},
       .expect = {"{} {101=1 102=2 104=4}", 1, 3}},
      {.name = "ID list 7, has one entry",
       .events = {Run(), Do(Txt("ID", "7,")), Do(Plain(1200, "50")), Do(Dim("", 1)),
                  Do(Dim("", 2))},
       .expect = {"{} {7=1}", 1, 1}},
      {.name = "outside a block the ID list gives entry 1",
       .events = {Run(), Do(Txt("ID", "71,72")), Do(Dim("", 1)), Do(Dim("9", 2))},
       .expect = {"{} {71=1 71=2}", 1, 2}},
      {.name = "a second block start keeps the block's position",
       .events = {Run(), Do(Txt("ID", "81,82,83")), Do(Plain(1000, "50")), Do(Dim("", 1)),
                  Do(Plain(1000, "51")), Do(Dim("", 2))},
       .expect = {"{} {81=1 83=2}", 1, 2}},
      {.name = "block IDs without a list",
       .events = {Run(), Do(Plain(1000, "55")), Do(Dim("", 1)), Do(Dim("", 2)), Do(Plain(1001)),
                  Do(Plain(1200, "66")), Do(Dim("", 3)), Do(Plain(1201))},
       .expect = {"{} {55=1 55=2 66=3}", 1, 3}},
      {.name = "an empty ID after a block end captures nothing",
       .events = {Run(), Do(Plain(1000, "55")), Do(Dim("", 1)), Do(Plain(1001)), Do(Dim("", 2))},
       .expect = {"{} {55=1}", 1, 1}},
      {.name = "an empty ID outside blocks takes the previous characteristic's",
       .events = {Run(), Do(Dim("10", 1)), Do(Dim("", 2))},
       .expect = {"{} {10=1 10=2}", 1, 2}},
      {.name = "field 165 of 2 or 4 at a block start suppresses the block",
       .events = {Run(), Do(Plain(1000, "55", 2)), Do(Dim("", 1)), Do(Dim("56", 2)),
                  Do(Plain(1001)), Do(Plain(1200, "66", 4)), Do(Dim("", 3)), Do(Plain(1201)),
                  Do(Dim("57", 4))},
       .expect = {"{} {57=4}", 1, 1}},
      {.name = "type 1209 in a block B takes the secondary value",
       .events = {Run(), Do(Plain(1200, "66")), Do(Dim("", 1, 1209, 9)), Do(Plain(1201)),
                  Do(Dim("70", 1, 1209, 9))},
       .expect = {"{} {66=9 70=1}", 1, 2}},
      {.name = "type 1299 is never a dimension",
       .events = {Run(), Do(Dim("10", 1, 1299))},
       .expect = {"{} {}", 1, 0}},
      {.name = "a block end with a dimension is captured after closing",
       .events = {Run(), Do(Txt("ID", "41,42")), Do(Plain(1000, "55")), Do(Dim("9", 1, 1001))},
       .expect = {"{} {9=1}", 1, 1}},
      {.name = "type 184 takes field 662; a dimension of type 184 is captured twice",
       .events = {Run(), Do(Field184("20", 2)), Do(Dim184("21", 1.5, "22", 7))},
       .expect = {"{} {20=2 21=1.5 22=7}", 1, 3}},
      {.name = "type 184 with field 165 of 2 or 4 is not captured",
       .events = {Run(), Do(Field184("20", 2, 2)), Do(Dim184("21", 1.5, "22", 7, 4))},
       .expect = {"{} {}", 1, 0}},
      {.name = "type 184 with an ID list takes entry 1",
       .events = {Run(), Do(Txt("ID", "31,32")), Do(Field184("20", 2))},
       .expect = {"{} {31=2}", 1, 1}},
      {.name = "ID 12a closes the capture",
       .events = {Run(), Do(Dim("12a", 1)), Do(Dim("13", 2))},
       .expect = {"{} {}", 1, 0},
       .prompts = {Stop(kWholeNumber12a)},
       .state = CaptureState::Closed},
      {.name = "an ID with a line break around its digits closes the capture",
       .events = {Run(), Do(Dim("\n101", 1)), Do(Dim("13", 2))},
       .expect = {"{} {}", 1, 0},
       .prompts = {Stop("Merkamls ID \n101 entspricht nicht dem Typ Long (Ganzzahl).\r\n"
                        "Korrigieren Sie zuerst das Messprogramm.")},
       .state = CaptureState::Closed},
      {.name = "a type-184 ID with a carriage return closes the capture",
       .events = {Run(), Do(Field184("10\r", 2))},
       .expect = {"{} {}", 1, 0},
       .prompts = {Stop("Merkamls ID 10\r entspricht nicht dem Typ Long (Ganzzahl).\r\n"
                        "Korrigieren Sie zuerst das Messprogramm.")},
       .state = CaptureState::Closed},
      {.name = "type 184 with an empty ID and no list",
       .events = {Run(), Do(Field184("", 2)), Do(Dim("13", 2))},
       .expect = {"{} {}", 1, 0},
       .prompts = {Stop(kWholeNumberEmpty)},
       .state = CaptureState::Closed},
      {.name = "IdLaenge 7 without nest: 1234567 passes, 12345678 is too long",
       .events = {Run(), Do(Dim("1234567", 1)), Do(Dim("12345678", 2))},
       .expect = {"{} {1234567=1}", 1, 1},
       .prompts = {Stop(kLength12345678)},
       .state = CaptureState::Closed,
       .setup = {.idLaenge = "7"}},
      {.name = "IdLaenge 6 with nest: 12345 gets the nest number, 123456 is too long",
       .events = {Run(), Do(Dim("12345", 1)), Do(Dim("123456", 2))},
       .expect = {"{} {123453=1}", 1, 1},
       .prompts = {Stop(kNestLength123456)},
       .state = CaptureState::Closed,
       .setup = {.chkNest = kChecked, .nestnummerAmMerkmal = 1}},
      {.name = "nest ticked without NestnummerAmMerkmal keeps the ID",
       .events = {Run(), Do(Dim("12345", 1))},
       .expect = {"{} {12345=1}", 1, 1},
       .setup = {.chkNest = kChecked}},
      {.name = "a greyed nest box checks no length",
       .events = {Run(), Do(Dim("12345678", 1))},
       .expect = {"{} {12345678=1}", 1, 1},
       .setup = {.chkNest = kGrayed, .nestnummerAmMerkmal = 1}},
      {.name = "a kept ID gets the nest number once per value",
       .events = {Run(), Do(Plain(1000, "55")), Do(Dim("", 1)), Do(Plain(1001)), Do(Dim("10", 2)),
                  Do(Dim("", 3))},
       .expect = {"{} {553=1 103=2 103=3}", 1, 3},
       .setup = {.chkNest = kChecked, .nestnummerAmMerkmal = 1}},
  };
  return cases;
}

void Play(CaptureRig& rig, const std::vector<Event>& events) {
  for (const Event& event : events) {
    if (event) {
      rig.execute(*event);
    } else {
      rig.app->startExecution();
    }
  }
}

TEST(CaptureStreams, LeaveTheSamplesTheRulesGive) {
  for (const StreamCase& c : Cases()) {
    SCOPED_TRACE(c.name);
    CaptureRig rig;
    rig.t.setSetting("SCHLEIFE", c.setup.schleife);
    rig.t.setSetting("IdLaenge", c.setup.idLaenge);
    rig.t.g.intStichprobenumfang = c.setup.N;
    rig.t.g.strNestnummer = "3";
    rig.t.g.intNestnummerAmMerkmal = c.setup.nestnummerAmMerkmal;
    rig.view.chkNest = c.setup.chkNest;
    rig.t.prompts.answers = c.setup.answers;
    rig.load();

    Play(rig, c.events);

    EXPECT_EQ(rig.samples(), c.expect.samples);
    EXPECT_EQ(rig.t.g.intAnzStichproben, c.expect.k);
    EXPECT_EQ(rig.t.g.intAnzMerkmale, c.expect.m);
    EXPECT_EQ(rig.t.prompts.shown, c.prompts);
    EXPECT_EQ(rig.engine.state(), c.state);
    EXPECT_EQ(rig.view.cellsOutsideGrid, 0);
  }
}

TEST(CaptureStreams, OnlyALoopStartRepaintsTheSampleNumberAtOnce) {
  CaptureRig rig;
  rig.t.setSetting("SCHLEIFE", "1");
  rig.load();

  rig.run({Txt("SchleifeAnfang"), Dim("1", 1), Txt("SchleifeAnfang")});
  rig.t.setSetting("SCHLEIFE", "0");
  rig.run({});

  EXPECT_EQ(rig.view.repainted, (std::vector<std::string>{"1", "2"}));
  EXPECT_EQ(rig.view.lblCurrentProbe, "3");
}

TEST(CaptureStreams, LoopModeOnlyWhenTheSettingIsOne) {
  for (const char* schleife : {"0", "2", "ja", ""}) {
    SCOPED_TRACE(schleife);
    CaptureRig rig;
    rig.t.setSetting("SCHLEIFE", schleife);
    rig.load();
    rig.run({Dim("1", 1), Txt("SchleifeAnfang"), Dim("2", 2)});
    EXPECT_EQ(rig.samples(), "{} {1=1 2=2}");
  }
}

TEST(CaptureStreams, GridShowsTheCurrentSampleInTheOperatorsNumbers) {
  CaptureRig rig;
  rig.load();

  rig.run({Dim("10", 1234.5), Field184("11", 2)});
  using Row = std::array<std::string, 2>;
  EXPECT_EQ(rig.view.grid,
            (std::vector<Row>{{"ID", "Messwert"}, {"10", "1234,5000"}, {"11", "2,00000"}}));

  rig.run({Dim("10", -0.123456789)});
  EXPECT_EQ(rig.view.grid, (std::vector<Row>{{"ID", "Messwert"}, {"10", "-0,1235"}}));
  EXPECT_EQ(rig.t.g.arrStichproben[2].dblMesswert[1], -0.123456789);
  EXPECT_EQ(rig.t.g.dblAktWert, -0.123456789);
}

}  // namespace
}  // namespace kvotlk::test
