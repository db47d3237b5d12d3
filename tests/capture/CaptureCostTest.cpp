// What an event costs in automation calls, each of which crosses into the CMM software's
// process while it waits.
#include <map>
#include <string>
#include <vector>

#include "CaptureTestSupport.h"

namespace kvotlk::test {
namespace {

using Calls = std::map<std::string, int, std::less<>>;

// The calls one event made, by operation.
Calls CallsOf(CaptureRig& rig, const ScriptedCommand& command) {
  const auto made = rig.app->makeCommand(command);
  const Calls before = rig.app->life->calls;
  rig.app->executeCommand(made);
  Calls during;
  for (const auto& [operation, count] : rig.app->life->calls) {
    const auto old = before.find(operation);
    const int added = count - (old == before.end() ? 0 : old->second);
    if (added > 0) {
      during[operation] = added;
    }
  }
  return during;
}

TEST(CaptureCost, ARunStartCostsOneCallAPlainDimensionEight) {
  CaptureRig rig;
  rig.load();
  const int before = rig.app->life->totalCalls();
  rig.run({});
  EXPECT_EQ(rig.app->life->totalCalls() - before, 1);

  EXPECT_EQ(CallsOf(rig, Dim("10", 1)), (Calls{{"PartProgName", 1},
                                               {"HasTextCmd", 1},
                                               {"CmdTypeCode", 1},
                                               {"HasDimension", 1},
                                               {"DimensionOf", 1},
                                               {"IntFieldValue", 1},
                                               {"DimIdText", 1},
                                               {"DimMeasured", 1}}));
  EXPECT_EQ(rig.samples(), "{} {10=1}");
}

TEST(CaptureCost, EveryPropertyAtMostOncePerEvent) {
  ScriptedCommand dim184 = Dim("21", 1.5, 184);
  dim184.CmdIdText = "22";
  dim184.field662 = 7;
  const std::vector<std::pair<const char*, std::vector<ScriptedCommand>>> scripts = {
      {"outside blocks", {Dim("10", 1), Field184("11", 2), dim184, Plain(5), Txt("x")}},
      {"block A with a list",
       {Txt("ID", "1,2,3"), Plain(1000, "50"), Dim("", 1), dim184, Plain(1001, "", 0)}},
      {"block B", {Plain(1200, "60"), Dim("", 1, 1209, 2), dim184, Plain(1201)}},
      {"loop", {Txt("SchleifeAnfang"), Dim("10", 1)}},
  };
  for (const auto& [name, commands] : scripts) {
    SCOPED_TRACE(name);
    CaptureRig rig;
    rig.t.setSetting("SCHLEIFE", "1");
    rig.load();
    rig.run({});
    for (const ScriptedCommand& command : commands) {
      for (const auto& [operation, count] : CallsOf(rig, command)) {
        EXPECT_EQ(count, 1) << operation;
      }
    }
    EXPECT_TRUE(rig.t.prompts.shown.empty());
  }
}

}  // namespace
}  // namespace kvotlk::test
