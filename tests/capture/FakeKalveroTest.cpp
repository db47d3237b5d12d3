// The fake CMM software that tests, benchmarks and tools rely on.
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

TEST(FakeKalvero, CommandsAnswerTheirScript) {
  FakeKvoApplication app;
  ScriptedCommand scripted = ScriptedCommand::Dimension("12", 1.5, 1209, 2.5);
  scripted.CmdIdText = "7";
  scripted.field165 = 4;
  scripted.field662 = 9.5;
  const auto command = app.makeCommand(scripted);

  EXPECT_EQ(command->CmdTypeCode(), 1209);
  EXPECT_EQ(command->CmdIdText(), "7");
  EXPECT_EQ(command->HasDimension(), true);
  EXPECT_EQ(command->HasTextCmd(), false);
  EXPECT_EQ(command->TextCmdOf().value(), nullptr);
  const auto dimension = command->DimensionOf().value();
  ASSERT_NE(dimension, nullptr);
  EXPECT_EQ(dimension->DimIdText(), "12");
  EXPECT_EQ(dimension->DimMeasured(), 1.5);
  EXPECT_EQ(dimension->DimSecondary(), 2.5);
  EXPECT_EQ(command->IntFieldValue(165, 1), 4);
  EXPECT_EQ(command->IntFieldValue(165, 2), 0);
  EXPECT_EQ(command->RealFieldValue(662, 1), 9.5);
  EXPECT_EQ(command->RealFieldValue(661, 1), 0.0);
  EXPECT_EQ(app.life->count("IntFieldValue"), 2);
  EXPECT_EQ(app.life->totalCalls(), 13);

  command->dimension->measured = 3.0;
  EXPECT_EQ(dimension->DimMeasured(), 3.0);
}

TEST(FakeKalvero, GoesAwayAtTheNthCallOfAnOperation) {
  FakeKvoApplication app;
  const auto command = app.makeCommand(ScriptedCommand::Plain(5));
  app.life->goAwayAt("CmdIdText", 2);

  EXPECT_TRUE(command->CmdIdText().has_value());
  EXPECT_TRUE(command->CmdTypeCode().has_value());
  EXPECT_FALSE(command->CmdIdText().has_value());
  EXPECT_FALSE(command->CmdTypeCode().has_value());
  EXPECT_FALSE(app.AppVersionText().has_value());
}

TEST(FakeKalvero, GoesAwayAfterSoManyCalls) {
  FakeKvoApplication app;
  app.life->goAwayAfter(2);
  EXPECT_TRUE(app.AppVersionText().has_value());
  EXPECT_TRUE(app.AppVersionText().has_value());
  EXPECT_FALSE(app.AppVersionText().has_value());
  EXPECT_EQ(app.life->count("AppVersionText"), 3);
}

TEST(FakeKalvero, RunsReachOnlyAConnectedSink) {
  FakeKvoApplication app;
  app.openPartProgram("Welle.kvp");
  EventLog log;
  app.run({ScriptedCommand::Plain(1)});
  EXPECT_TRUE(log.lines.empty());

  const auto source = app.EventSource().value();
  ASSERT_TRUE(source->connect(log));
  app.run({ScriptedCommand::Plain(1), ScriptedCommand::Plain(2)});
  app.startExecution(app.makePartProgram("Nabe.kvp"));
  source->disconnect();
  app.run({ScriptedCommand::Plain(3)});

  EXPECT_EQ(log.lines, (std::vector<std::string>{"start Welle.kvp", "command 1", "command 2",
                                                 "start Nabe.kvp"}));
  EXPECT_EQ(app.deliveredEvents, 4);
}

TEST(FakeKalvero, ASinkThatDisconnectsMidRunGetsNoMore) {
  FakeKvoApplication app;
  app.openPartProgram("Welle.kvp");
  EventLog log;
  log.source = app.EventSource().value();
  ASSERT_TRUE(log.source->connect(log));
  log.disconnectAfter = 1;

  app.run({ScriptedCommand::Plain(1), ScriptedCommand::Plain(2)});

  EXPECT_EQ(log.lines, (std::vector<std::string>{"start Welle.kvp", "command 1"}));
}

TEST(FakeKalvero, AGoneSoftwareFiresNothingAndRefusesSubscriptions) {
  FakeKvoApplication app;
  app.openPartProgram("Welle.kvp");
  EventLog log;
  const auto source = app.EventSource().value();
  ASSERT_TRUE(source->connect(log));
  app.goAway();

  app.run({ScriptedCommand::Plain(1)});

  EXPECT_TRUE(log.lines.empty());
  EXPECT_FALSE(source->connect(log));
  EXPECT_FALSE(app.EventSource().has_value());
}

}  // namespace
}  // namespace kvotlk::test
