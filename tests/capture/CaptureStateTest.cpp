// Every transition of the capture's state table, from each state it starts in.
#include <deque>
#include <functional>
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
  std::function<void(CaptureRig&)> event;
  CaptureState to;
  std::deque<bool> answers = {};
};

void LoopMode(CaptureRig& rig) { rig.t.setSetting("SCHLEIFE", "1"); }

const std::vector<Transition>& Transitions() {
  static const std::vector<Transition> transitions = {
      {"other program's run in Ready", From::Ready,
       [](CaptureRig& r) { r.app->startExecution(r.app->makePartProgram("Nabe.kvp")); },
       CaptureState::Ready},
      {"other program's command in Sampling", From::Sampling,
       [](CaptureRig& r) { r.app->executeCommand(Dim("12a", 1), r.app->makePartProgram("N.kvp")); },
       CaptureState::Sampling},
      {"run within the size from Ready", From::Ready, [](CaptureRig& r) { r.run({}); },
       CaptureState::Sampling},
      {"run beyond the size, Yes",
       From::SamplingFull,
       [](CaptureRig& r) { r.run({}); },
       CaptureState::Sampling,
       {true}},
      {"run beyond the size, No",
       From::SamplingFull,
       [](CaptureRig& r) { r.run({}); },
       CaptureState::Halted,
       {false}},
      {"run in loop mode from Ready", From::Ready,
       [](CaptureRig& r) {
         LoopMode(r);
         r.run({});
       },
       CaptureState::Ready},
      {"run in loop mode from Sampling", From::Sampling,
       [](CaptureRig& r) {
         LoopMode(r);
         r.run({});
       },
       CaptureState::Sampling},
      {"loop start in loop mode from Ready", From::Ready,
       [](CaptureRig& r) {
         LoopMode(r);
         r.execute(Txt("SchleifeAnfang"));
       },
       CaptureState::Sampling},
      {"loop start beyond the size, No",
       From::SamplingFull,
       [](CaptureRig& r) {
         LoopMode(r);
         r.execute(Txt("SchleifeAnfang"));
       },
       CaptureState::Halted,
       {false}},
      {"loop start without loop mode", From::Ready,
       [](CaptureRig& r) { r.execute(Txt("SchleifeAnfang")); }, CaptureState::Ready},
      {"ID list", From::Sampling, [](CaptureRig& r) { r.execute(Txt("ID", "1,2")); },
       CaptureState::Sampling},
      {"block starts and ends", From::Sampling,
       [](CaptureRig& r) {
         for (const int code : {1000, 1200, 1001, 1201}) {
           r.execute(Plain(code, "5"));
         }
       },
       CaptureState::Sampling},
      {"value in Ready", From::Ready, [](CaptureRig& r) { r.execute(Dim("1", 1)); },
       CaptureState::Ready},
      {"value in Sampling", From::Sampling, [](CaptureRig& r) { r.execute(Dim("1", 1)); },
       CaptureState::Sampling},
      {"failed ID check in Ready", From::Ready, [](CaptureRig& r) { r.execute(Dim("x", 1)); },
       CaptureState::Closed},
      {"failed ID check in Sampling", From::Sampling,
       [](CaptureRig& r) { r.execute(Field184("", 1)); }, CaptureState::Closed},
      {"delete the only sample", From::Sampling,
       [](CaptureRig& r) { r.engine.CmdLoeschen_Click(); }, CaptureState::Ready},
      {"delete one of two samples", From::SamplingFull,
       [](CaptureRig& r) { r.engine.CmdLoeschen_Click(); }, CaptureState::Sampling},
      {"delete while halted", From::Halted, [](CaptureRig& r) { r.engine.CmdLoeschen_Click(); },
       CaptureState::Halted},
      {"send with counts differing, Yes, in Ready",
       From::Ready,
       [](CaptureRig& r) { r.engine.CmdSendData_Click(); },
       CaptureState::Ready,
       {true}},
      {"send with counts differing, Yes, in Sampling",
       From::Sampling,
       [](CaptureRig& r) { r.engine.CmdSendData_Click(); },
       CaptureState::Sampling,
       {true}},
      {"send with counts differing, No",
       From::Sampling,
       [](CaptureRig& r) { r.engine.CmdSendData_Click(); },
       CaptureState::Closed,
       {false}},
      {"send with counts equal", From::SamplingFull,
       [](CaptureRig& r) { r.engine.CmdSendData_Click(); }, CaptureState::Closed},
      {"send while halted", From::Halted, [](CaptureRig& r) { r.engine.CmdSendData_Click(); },
       CaptureState::Closed},
      {"failed send", From::SamplingFull,
       [](CaptureRig& r) {
         r.writeSucceeds = false;
         r.engine.CmdSendData_Click();
       },
       CaptureState::Halted},
      {"close in Ready", From::Ready, [](CaptureRig& r) { r.engine.Form_Unload(); },
       CaptureState::Closed},
      {"close in Sampling", From::Sampling, [](CaptureRig& r) { r.engine.Form_Unload(); },
       CaptureState::Closed},
      {"close while halted", From::Halted, [](CaptureRig& r) { r.engine.Form_Unload(); },
       CaptureState::Closed},
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
    EXPECT_EQ(rig.view.orderWindowShown, transition.to == CaptureState::Closed ? 1 : 0);
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
