// The fake CMM software that tests, benchmarks and tools rely on: the engine tests would
// pass without noticing if it dropped the events they expect the engine to ignore.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "capture/FakeKalvero.h"

namespace kvotlk::test {
namespace {

// Writes down the events it receives.
class EventLog final : public KvoEventSink {
 public:
  void OnStartExecution(const std::shared_ptr<KvoPartProgram>& PartProg) override {
    lines.push_back("start " + PartProg->PartProgName().value_or("?"));
  }
  void OnObjectExecuted(const std::shared_ptr<KvoPartProgram>& /*PartProg*/,
                        const std::shared_ptr<KvoCommand>& Cmmd) override {
    lines.push_back("command " + std::to_string(Cmmd->CmdTypeCode().value_or(-1)));
    if (disconnectAfter > 0 && --disconnectAfter == 0) {
      source->disconnect();
    }
  }

  std::vector<std::string> lines;
  int disconnectAfter = 0;
  std::shared_ptr<KvoEventSource> source;
};

TEST(FakeKalvero, EventsReachOnlyAConnectedSinkOfALivingSoftware) {
  FakeKvoApplication app;
  app.openPartProgram("Welle.kvp");
  EventLog log;
  app.run({ScriptedCommand::Plain(1)});
  log.source = app.EventSource().value();
  ASSERT_TRUE(log.source->connect(log));
  app.run({ScriptedCommand::Plain(1), ScriptedCommand::Plain(2)});
  app.startExecution(app.makePartProgram("Nabe.kvp"));
  log.disconnectAfter = 1;
  app.run({ScriptedCommand::Plain(3), ScriptedCommand::Plain(4)});
  ASSERT_TRUE(log.source->connect(log));
  app.goAway();
  app.run({ScriptedCommand::Plain(5)});

  EXPECT_EQ(log.lines,
            (std::vector<std::string>{"start Welle.kvp", "command 1", "command 2", "start Nabe.kvp",
                                      "start Welle.kvp", "command 3"}));
  EXPECT_FALSE(log.source->connect(log));
  EXPECT_FALSE(app.EventSource().has_value());
}

}  // namespace
}  // namespace kvotlk::test
