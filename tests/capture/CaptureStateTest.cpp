// Every transition of the capture's state table, from each state it starts in.
#include <deque>
#include <vector>

#include "CaptureTestSupport.h"

namespace kvotlk::test {
namespace {

enum class From { Ready, Sampling, SamplingFull, Halted };

// Sample size 2. Sampling: one run captured; SamplingFull: two runs; Halted: two runs and
// a third refused at the increase question.
void Reach(CaptureRig& rig, From from) {
  rig.t.g.intStichprobenumfang = 2;
  rig.load();
  const int runs = from == From::Ready ? 0 : from == From::Sampling ? 1 : 2;
  for (int i = 0; i < runs; ++i) {
    rig.run({Dim("1", i)});
  }
  if (from == From::Halted) {
    rig.t.prompts.answers = {false};
    rig.run({Dim("1", 9)});
    rig.t.prompts.shown.clear();
  }
}

struct Transition {
  const char* name;
  From from;
  void (*event)(CaptureRig&);
  CaptureState to;
  std::deque<bool> answers = {};
  int writes = 0;
};

// The events of the table.
void OtherRun(CaptureRig& r) { r.app->startExecution(r.app->makePartProgram("Nabe.kvp")); }
void OtherBadId(CaptureRig& r) {
  r.app->executeCommand(Dim("12a", 1), r.app->makePartProgram("N.kvp"));
}
void RunStart(CaptureRig& r) { r.run({}); }
void LoopRunStart(CaptureRig& r) {
  r.t.setSetting("SCHLEIFE", "1");
  r.run({});
}
void LoopStart(CaptureRig& r) {
  r.t.setSetting("SCHLEIFE", "1");
  r.execute(Txt("SchleifeAnfang"));
}
void PlainLoopStart(CaptureRig& r) { r.execute(Txt("SchleifeAnfang")); }
void IdList(CaptureRig& r) { r.execute(Txt("ID", "1,2")); }
void Blocks(CaptureRig& r) {
  for (const int code : {1000, 1200, 1001, 1201}) {
    r.execute(Plain(code, "5"));
  }
}
void Value(CaptureRig& r) { r.execute(Dim("1", 1)); }
void BadId(CaptureRig& r) { r.execute(Dim("x", 1)); }
void Empty184Id(CaptureRig& r) { r.execute(Field184("", 1)); }
void Delete(CaptureRig& r) { r.engine.CmdLoeschen_Click(); }
void Send(CaptureRig& r) { r.engine.CmdSendData_Click(); }
void FailedSend(CaptureRig& r) {
  r.writeSucceeds = false;
  r.engine.CmdSendData_Click();
}

using State = CaptureState;

const std::vector<Transition>& Transitions() {
  static const std::vector<Transition> transitions = {
      {"other program's run in Ready", From::Ready, OtherRun, State::Ready},
      {"other program's command in Sampling", From::Sampling, OtherBadId, State::Sampling},
      {"run within the size from Ready", From::Ready, RunStart, State::Sampling},
      {"run beyond the size, Yes", From::SamplingFull, RunStart, State::Sampling, {true}},
      {"run beyond the size, No", From::SamplingFull, RunStart, State::Halted, {false}},
      {"run in loop mode from Ready", From::Ready, LoopRunStart, State::Ready},
      {"run in loop mode from Sampling", From::Sampling, LoopRunStart, State::Sampling},
      {"loop start in loop mode from Ready", From::Ready, LoopStart, State::Sampling},
      {"loop start beyond the size, No", From::SamplingFull, LoopStart, State::Halted, {false}},
      {"loop start without loop mode", From::Ready, PlainLoopStart, State::Ready},
      {"ID list", From::Sampling, IdList, State::Sampling},
      {"block starts and ends", From::Sampling, Blocks, State::Sampling},
      {"value in Ready", From::Ready, Value, State::Ready},
      {"value in Sampling", From::Sampling, Value, State::Sampling},
      {"failed ID check in Ready", From::Ready, BadId, State::Closed},
      {"failed ID check in Sampling", From::Sampling, Empty184Id, State::Closed},
      {"delete the only sample", From::Sampling, Delete, State::Ready},
      {"delete one of two samples", From::SamplingFull, Delete, State::Sampling},
      {"delete while halted", From::Halted, Delete, State::Halted},
      {"send, counts differ, Yes, in Ready", From::Ready, Send, State::Ready, {true}},
      {"send, counts differ, Yes, in Sampling", From::Sampling, Send, State::Sampling, {true}},
      {"send, counts differ, No", From::Sampling, Send, State::Closed, {false}, 1},
      {"send with counts equal", From::SamplingFull, Send, State::Closed, {}, 1},
      {"send while halted", From::Halted, Send, State::Closed, {}, 1},
      {"failed send", From::SamplingFull, FailedSend, State::Halted, {}, 1},
  };
  return transitions;
}

TEST(CaptureStateTable, EveryTransition) {
  for (const Transition& transition : Transitions()) {
    SCOPED_TRACE(transition.name);
    CaptureRig rig;
    Reach(rig, transition.from);
    rig.t.prompts.answers = transition.answers;

    transition.event(rig);

    EXPECT_EQ(rig.engine.state(), transition.to);
    EXPECT_TRUE(rig.t.prompts.answers.empty()) << "a scripted answer was not asked for";
    const bool subscribed = rig.app->eventSource->sink != nullptr;
    EXPECT_EQ(subscribed,
              transition.to == CaptureState::Ready || transition.to == CaptureState::Sampling);
    EXPECT_EQ(rig.writeCalls, transition.writes);
    const int closed = transition.to == CaptureState::Closed ? 1 : 0;
    EXPECT_EQ(rig.view.orderWindowShown, closed);
    EXPECT_EQ(rig.view.windowClosed, closed) << "the engine closes the window it ended";

    // The operator closes the window: the order window shows once, whoever closed it.
    rig.engine.Form_Unload();
    EXPECT_EQ(rig.engine.state(), CaptureState::Closed);
    EXPECT_EQ(rig.app->eventSource->sink, nullptr);
    EXPECT_EQ(rig.view.orderWindowShown, 1);
    EXPECT_EQ(rig.view.windowClosed, closed);
  }
}

TEST(CaptureStateTable, ClosedBeforeLoad) {
  CaptureRig rig;
  EXPECT_EQ(rig.engine.state(), CaptureState::Closed);
  rig.run({Dim("1", 1)});
  EXPECT_EQ(rig.samples(), "{}");
}

}  // namespace
}  // namespace kvotlk::test
