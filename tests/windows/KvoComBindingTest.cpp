#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "FakeKalveroServer.h"
#include "capture/modKVOFunctions.h"
#include "platform/windows/KvoComConnector.h"
#include "support/TestEnvironment.h"

namespace kvotlk::test {
namespace {

const std::string kProgramName = "Welle_\xC3\x98 20.PRG";

class KvoComBindingTest : public ::testing::Test {
 protected:
  // Attaches and subscribes a recording sink.
  std::shared_ptr<KvoEventSource> subscribe(FakeKalveroServer& server) {
    app = connector->GetRunningApplication();
    EXPECT_NE(app, nullptr);
    auto source = app->EventSource();
    EXPECT_TRUE(source.has_value() && *source != nullptr);
    EXPECT_TRUE((*source)->connect(sink));
    EXPECT_EQ(server.events->advises, 1);
    return *source;
  }
  void fireCommand(FakeKalveroServer& server) {
    server.events->fire(kFakeOnObjectExecuted, {server.partProgram.get(), server.command.get()});
  }

  ComThread com;
  std::unique_ptr<KvoConnector> connector = windows::makeComConnector();
  std::shared_ptr<KvoApplication> app;
  RecordingSink sink;
};

// Only a running software is attached: its window, its ProgID and its running object.
TEST_F(KvoComBindingTest, AttachesOnlyToTheRunningSoftware) {
  EXPECT_FALSE(connector->MainWindowExists());
  EXPECT_EQ(connector->GetRunningApplication(), nullptr);
  {
    FakeKalveroServer notRunning({.window = true, .running = false});
    EXPECT_TRUE(connector->MainWindowExists());
    EXPECT_EQ(connector->GetRunningApplication(), nullptr);
  }
  FakeKalveroServer server;
  FakeKalveroServer::unregisterProgId();
  EXPECT_EQ(connector->GetRunningApplication(), nullptr);
  FakeKalveroServer::registerProgId();
  EXPECT_TRUE(connector->MainWindowExists());
  app = connector->GetRunningApplication();
  ASSERT_NE(app, nullptr);
  EXPECT_EQ(app->AppVersionText(),
            "Kalvero 3.7 \xE2\x80\x93 Pr\xC3\xBC"
            "fraum");
}

TEST_F(KvoComBindingTest, EveryOperationOfTheTable) {
  FakeKalveroServer server;
  const auto source = subscribe(server);
  const auto current = app->CurrentPartProg();
  ASSERT_TRUE(current.has_value() && *current != nullptr);
  EXPECT_EQ((*current)->PartProgName(), kProgramName);

  fireCommand(server);
  ASSERT_NE(sink.lastCommand, nullptr);
  KvoCommand& command = *sink.lastCommand;
  EXPECT_EQ(command.CmdTypeCode(), 1209);
  EXPECT_EQ(command.CmdIdText(), "4711");
  EXPECT_EQ(command.HasDimension(), true);
  EXPECT_EQ(command.HasTextCmd(), false);
  EXPECT_EQ(server.life->lastFlags, DISPATCH_METHOD | DISPATCH_PROPERTYGET);
  EXPECT_EQ(command.IntFieldValue(165, 1), 3);
  EXPECT_EQ(server.life->lastArguments, (std::vector<std::int32_t>{165, 1}));
  EXPECT_EQ(command.RealFieldValue(662, 1), -0.125);
  EXPECT_EQ(server.life->lastArguments, (std::vector<std::int32_t>{662, 1}));

  const auto dimension = command.DimensionOf();
  ASSERT_TRUE(dimension.has_value() && *dimension != nullptr);
  EXPECT_EQ((*dimension)->DimIdText(), "101");
  EXPECT_EQ((*dimension)->DimMeasured(), 1234.5);
  EXPECT_EQ((*dimension)->DimSecondary(), 0.25);

  const auto text = command.TextCmdOf();
  ASSERT_TRUE(text.has_value() && *text != nullptr);
  EXPECT_EQ((*text)->TextCmdName(), "ID");
  EXPECT_EQ((*text)->TextCmdText(), "101,102,,104");
}

// VT_EMPTY, VT_NULL and a null object all mean "none".
TEST_F(KvoComBindingTest, EmptyObjectResultsAreNone) {
  FakeKalveroServer server;
  const auto source = subscribe(server);
  fireCommand(server);
  ASSERT_NE(sink.lastCommand, nullptr);
  const VARTYPE nothing[] = {VT_EMPTY, VT_NULL, VT_DISPATCH};
  for (const VARTYPE type : nothing) {
    SCOPED_TRACE(type);
    server.command->set(8, emptyValue(type));
    server.command->set(57, emptyValue(type));
    server.application->set(2, emptyValue(type));
    EXPECT_EQ(sink.lastCommand->DimensionOf(), std::shared_ptr<KvoDimensionObject>());
    EXPECT_EQ(sink.lastCommand->TextCmdOf(), std::shared_ptr<KvoTextCommand>());
    EXPECT_EQ(app->CurrentPartProg(), std::shared_ptr<KvoPartProgram>());
  }
}

struct EventCase {
  bool classInfo;
  bool byReference;
};

class KvoComEventsTest : public KvoComBindingTest,
                         public ::testing::WithParamInterface<EventCase> {};

// The event interface is found from the class information or, without it, from the
// first connection point; the event ids come from its type information by name.
TEST_P(KvoComEventsTest, BothEventsReachTheSink) {
  FakeKalveroServer server;
  server.events->offerClassInfo = GetParam().classInfo;
  const auto source = subscribe(server);
  const bool byRef = GetParam().byReference;
  server.events->fire(kFakeOnStartExecution, {server.partProgram.get()}, byRef);
  server.events->fire(kFakeOnOtherEvent, {server.partProgram.get()}, byRef);
  server.events->fire(kFakeOnObjectExecuted, {server.partProgram.get(), server.command.get()},
                      byRef);
  EXPECT_EQ(sink.seen, (std::vector<Recorded>{{"OnStartExecution", kProgramName, std::nullopt},
                                              {"OnObjectExecuted", kProgramName, "4711"}}));
}

INSTANTIATE_TEST_SUITE_P(Sources, KvoComEventsTest,
                         ::testing::Values(EventCase{true, false}, EventCase{false, false},
                                           EventCase{true, true}));

TEST_F(KvoComBindingTest, EventWithoutItsObjectsIsDropped) {
  FakeKalveroServer server;
  const auto source = subscribe(server);
  server.events->fire(kFakeOnStartExecution, {nullptr});
  server.events->fire(kFakeOnObjectExecuted, {server.partProgram.get(), nullptr});
  EXPECT_TRUE(sink.seen.empty());
}

// One subscription per source: unsubscribing once stops the events, connecting again
// ends the old subscription first.
TEST_F(KvoComBindingTest, UnsubscribingStopsEventsAndConnectingAgainKeepsOne) {
  FakeKalveroServer server;
  const auto source = subscribe(server);
  source->disconnect();
  source->disconnect();
  EXPECT_EQ(server.events->unadvises, 1);
  EXPECT_EQ(server.events->sinkCount(), 0U);
  fireCommand(server);
  EXPECT_TRUE(sink.seen.empty());

  ASSERT_TRUE(source->connect(sink));
  ASSERT_TRUE(source->connect(sink));
  EXPECT_EQ(server.events->sinkCount(), 1U);
  fireCommand(server);
  EXPECT_EQ(sink.seen.size(), 1U);
}

// Unsubscribing or dropping the source inside an event ends the subscription once.
TEST_F(KvoComBindingTest, HandlerMayUnsubscribeOrDropTheSourceInsideAnEvent) {
  for (const bool drop : {false, true}) {
    SCOPED_TRACE(drop ? "drop" : "unsubscribe");
    FakeKalveroServer server;
    sink.seen.clear();
    auto source = subscribe(server);
    sink.afterEvent = [&source, drop] { drop ? source.reset() : source->disconnect(); };
    fireCommand(server);
    fireCommand(server);
    EXPECT_EQ(sink.seen.size(), 1U);
    EXPECT_EQ(server.events->unadvises, 1);
    EXPECT_EQ(server.events->sinkCount(), 0U);
    sink.afterEvent = [] {};
  }
}

// The software calls its sinks from a list taken before the call; a sink unsubscribed by
// an earlier handler of the same event passes nothing on.
TEST_F(KvoComBindingTest, EventInFlightAfterUnsubscribingIsNotDelivered) {
  FakeKalveroServer server;
  const auto first = subscribe(server);
  RecordingSink other;
  const auto second = *app->EventSource();
  ASSERT_TRUE(second->connect(other));
  sink.afterEvent = [&] { second->disconnect(); };
  fireCommand(server);
  EXPECT_EQ(sink.seen.size(), 1U);
  EXPECT_TRUE(other.seen.empty());
}

// Every reference the binding took is given back exactly once.
TEST_F(KvoComBindingTest, ReferencesAreBalanced) {
  FakeKalveroServer server;
  const std::vector<ULONG> before = server.references();
  {
    const auto source = subscribe(server);
    fireCommand(server);
    const auto dimension = sink.lastCommand->DimensionOf();
    const auto text = sink.lastCommand->TextCmdOf();
    const auto current = app->CurrentPartProg();
    EXPECT_NE(server.references(), before);
    sink.lastCommand.reset();
    app.reset();
  }
  EXPECT_EQ(server.references(), before);
}

// The software ends mid-run: every call answers "gone" without calling it again, core
// drops the application, and a new start of the software is attached. Which results
// mean "gone" is GoneResults.OnlyAnEndedServerCounts.
TEST_F(KvoComBindingTest, SoftwareGoneAndStartedAgain) {
  TestEnvironment t;
  Environment env{t.settings, t.files,   t.clock,    t.random,
                  t.prompts,  t.numbers, *connector, t.env.programFolder};
  auto first = std::make_unique<FakeKalveroServer>();
  const auto source = subscribe(*first);
  fireCommand(*first);
  ASSERT_TRUE(ConnectToKvo(env, t.g));

  first->goAway(RPC_E_SERVER_DIED);
  EXPECT_EQ(sink.lastCommand->CmdTypeCode(), std::nullopt);
  const int callsWhenGone = first->life->calls;
  EXPECT_EQ(sink.lastCommand->DimensionOf(), std::nullopt);
  EXPECT_EQ(sink.lastCommand->RealFieldValue(662, 1), std::nullopt);
  EXPECT_EQ(app->AppVersionText(), std::nullopt);
  EXPECT_EQ(app->CurrentPartProg(), std::nullopt);
  EXPECT_EQ(first->life->calls, callsWhenGone);
  source->disconnect();
  EXPECT_FALSE(source->connect(sink));
  EXPECT_FALSE(ConnectToKvo(env, t.g));
  EXPECT_EQ(t.g.KvoApp, nullptr);

  FakeKalveroServer second;
  second.application->set(31, textValue(L"Kalvero 3.8"));
  ASSERT_TRUE(ConnectToKvo(env, t.g));
  EXPECT_EQ(t.g.KvoApp->AppVersionText(), "Kalvero 3.8");
}

// A call the software refuses fails alone; the next one is sent again.
TEST_F(KvoComBindingTest, OtherFailuresDoNotMarkTheSoftwareGone) {
  FakeKalveroServer server;
  app = connector->GetRunningApplication();
  server.life->failure = DISP_E_EXCEPTION;
  EXPECT_EQ(app->AppVersionText(), std::nullopt);
  server.life->failure = S_OK;
  EXPECT_TRUE(app->AppVersionText().has_value());
}

}  // namespace
}  // namespace kvotlk::test
