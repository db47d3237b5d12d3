#include <gtest/gtest.h>

#include <thread>

#include "FakeKalveroServer.h"
#include "common/SingleInstance.h"
#include "entry/OrderConfirmation.h"
#include "entry/OrderFixture.h"
#include "platform/windows/KalveroProcess.h"
#include "platform/windows/KvoComConnector.h"

// The COM binding against the fake CMM software in the test process, where every call and
// reference can be watched. Marshalled calls and events, and the end of a software in a
// process of its own, are the end-to-end test's (endtoend/FakeKalveroPlayer.cpp).

namespace kvotlk::test {
namespace {

using Offer = FakeKalveroServer::Offer;

class KvoComBindingTest : public ::testing::Test {
 protected:
  // Attaches and subscribes a recording sink.
  std::shared_ptr<KvoEventSource> subscribe() {
    app = connector->GetRunningApplication();
    EXPECT_NE(app, nullptr);
    auto source = app->EventSource().value_or(nullptr);
    EXPECT_TRUE(source != nullptr && source->connect(sink));
    return source;
  }
  void fireCommand(FakeKalveroServer& server) {
    server.events->fire(kFakeOnObjectExecuted, {server.partProgram.get(), server.command.get()});
  }

  ComThread com;
  std::unique_ptr<KvoConnector> connector = windows::makeComConnector();
  std::shared_ptr<KvoApplication> app;
  RecordingSink sink;
};

// Only a running software with its window and ProgID is attached, through the running
// object table or, where it registers none, through its class factory; without the
// window nothing is created.
TEST_F(KvoComBindingTest, AttachesThroughTheRunningObjectOrTheClassFactory) {
  for (const Offer offer : {Offer::Nothing, Offer::ClassFactory}) {
    FakeKalveroServer windowOnly({.window = offer == Offer::Nothing, .offer = offer});
    EXPECT_EQ(connector->GetRunningApplication(), nullptr) << static_cast<int>(offer);
  }
  for (const Offer offer : {Offer::RunningObject, Offer::ClassFactory}) {
    FakeKalveroServer server({.offer = offer});
    RegDeleteTreeW(HKEY_CLASSES_ROOT, L"KVOAUT.Application");
    EXPECT_EQ(connector->GetRunningApplication(), nullptr);
    FakeKalveroServer::registerProgId();
    app = connector->GetRunningApplication();
    ASSERT_NE(app, nullptr);
    EXPECT_EQ(app->AppVersionText(), "Kalvero 3.7 – Prüfraum");
  }
}

// Every operation by its dispatch id, with its arguments; an object result that holds no
// object is "none"; every reference taken is given back once.
TEST_F(KvoComBindingTest, EveryOperationOfTheTable) {
  FakeKalveroServer server;
  const std::vector<ULONG> before = server.references();
  {
    const auto source = subscribe();
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
    const auto dimension = command.DimensionOf().value_or(nullptr);
    ASSERT_NE(dimension, nullptr);
    EXPECT_EQ(dimension->DimIdText(), "101");
    EXPECT_EQ(dimension->DimMeasured(), 1234.5);
    EXPECT_EQ(dimension->DimSecondary(), 0.25);
    const auto text = command.TextCmdOf().value_or(nullptr);
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(text->TextCmdName(), "ID");
    EXPECT_EQ(text->TextCmdText(), "101,102,,104");
    EXPECT_EQ(app->CurrentPartProg().value_or(nullptr)->PartProgName(), "Welle_Ø 20.PRG");
    server.command->set(8, emptyValue(VT_NULL));
    EXPECT_EQ(command.DimensionOf(), std::shared_ptr<KvoDimensionObject>());
    server.command->set(8, objectValue(server.dimension.get()));
    sink.lastCommand.reset();
    app.reset();
  }
  EXPECT_EQ(server.references(), before);
}

// The event interface is the default source of the class or, without class information,
// the first connection point whose interface has both events (a foreign point comes
// first), described in the object's own type library or else in the registered one. The
// ids come from the type information by name; an event without its objects is dropped.
class KvoComEventsTest : public KvoComBindingTest,
                         public ::testing::WithParamInterface<std::pair<bool, bool>> {};

TEST_P(KvoComEventsTest, BothEventsReachTheSink) {
  const auto [classInfo, typeInfo] = GetParam();
  FakeKalveroServer server({.registerTypes = !typeInfo});
  server.events->offerClassInfo = classInfo;
  server.events->pointIids.insert(server.events->pointIids.begin(), IID_IPropertyNotifySink);
  if (!typeInfo) {
    server.events->setTypeInfo(nullptr);
  }
  const auto source = subscribe();
  server.events->fire(kFakeOnStartExecution, {server.partProgram.get()});
  server.events->fire(kFakeOnOtherEvent, {server.partProgram.get()});
  server.events->fire(kFakeOnStartExecution, {nullptr});
  server.events->fire(kFakeOnObjectExecuted, {server.partProgram.get(), nullptr});
  fireCommand(server);
  EXPECT_EQ(sink.seen,
            (std::vector<std::string>{"Start Welle_Ø 20.PRG", "Executed Welle_Ø 20.PRG 4711"}));
}

INSTANTIATE_TEST_SUITE_P(ClassAndTypeInformation, KvoComEventsTest,
                         ::testing::Values(std::pair{true, true}, std::pair{false, true},
                                           std::pair{false, false}));

// One subscription per source: unsubscribing once stops the events, connecting again
// ends the old subscription first. A handler may end subscriptions and drop its source
// inside an event; a sink unsubscribed by an earlier handler of the same event passes
// nothing on.
TEST_F(KvoComBindingTest, SubscriptionsEndOnceEvenInsideAnEvent) {
  FakeKalveroServer server;
  auto source = subscribe();
  source->disconnect();
  source->disconnect();
  EXPECT_EQ(server.events->unadvises, 1);
  fireCommand(server);
  EXPECT_TRUE(sink.seen.empty());

  ASSERT_TRUE(source->connect(sink) && source->connect(sink));
  RecordingSink other;
  auto second = app->EventSource().value_or(nullptr);
  ASSERT_TRUE(second->connect(other));
  sink.afterEvent = [&] {
    second->disconnect();
    source.reset();
  };
  fireCommand(server);
  fireCommand(server);
  EXPECT_EQ(sink.seen.size(), 1U);
  EXPECT_TRUE(other.seen.empty());
  EXPECT_EQ(server.events->unadvises, 4);
  EXPECT_EQ(server.events->sinkCount(), 0U);
}

// When the software ends mid-run every call answers "gone" without calling it again (the
// subscription is neither ended nor made anew), and a new start is a fresh attach.
TEST_F(KvoComBindingTest, SoftwareGoneAndStartedAgain) {
  FakeKalveroServer first;
  const auto source = subscribe();
  fireCommand(first);

  first.goAway(CO_E_SERVER_STOPPING);
  EXPECT_EQ(sink.lastCommand->CmdTypeCode(), std::nullopt);
  const int callsWhenGone = first.life->calls;
  EXPECT_EQ(app->CurrentPartProg(), std::nullopt);
  EXPECT_EQ(first.life->calls, callsWhenGone);
  source->disconnect();
  EXPECT_FALSE(source->connect(sink));
  EXPECT_EQ(first.events->unadvises, 0);

  FakeKalveroServer second;
  second.application->set(31, textValue("Kalvero 3.8"));
  app = connector->GetRunningApplication();
  ASSERT_NE(app, nullptr);
  EXPECT_EQ(app->AppVersionText(), "Kalvero 3.8");
}

// Events would reach the windows on other threads: the order confirmation on a
// multithreaded apartment refuses the link with its own message, software running or not.
TEST(KvoComApartment, MultithreadedApartmentIsRefusedWithItsOwnMessage) {
  std::thread([] {
    ASSERT_EQ(CoInitializeEx(nullptr, COINIT_MULTITHREADED), S_OK);
    {
      FakeKalveroServer server;
      OrderFixture f;
      const auto connector = windows::makeComConnector();
      Environment env{f.settings, f.files,   f.clock,    f.random,
                      f.prompts,  f.numbers, *connector, f.env.programFolder};
      EXPECT_EQ(ConfirmOrder(env, f.g, f.form),
                (OrderFailure{"Die Verbindung zu Kalvero ist nicht möglich: COM läuft im "
                              "Konverter als Multithread-Apartment. Bitte den Support "
                              "verständigen.",
                              MessageKind::Stop}));
    }
    CoUninitialize();
  }).join();
}

// Converter and CMM software with different rights cannot see each other's objects: the
// converter says which one runs as administrator instead of asking COM, which could start a
// hidden second copy. Equal rights, or rights that cannot be told, attach as before.
TEST(KalveroProcess, DifferentRightsAreToldAndNothingIsAskedFor) {
  EXPECT_TRUE(windows::ProcessIsElevated(GetCurrentProcessId()).has_value());
  EXPECT_EQ(windows::ElevationProblem(true, true), std::nullopt);
  EXPECT_EQ(windows::ElevationProblem(std::nullopt, true), std::nullopt);
  EXPECT_EQ(windows::ElevationProblem(false, true),
            "Kalvero läuft als Administrator, der Konverter nicht. So sieht der Konverter das "
            "laufende Kalvero nicht.\r\nStarten Sie Kalvero ohne \"Als Administrator ausführen\" "
            "neu (oder den Konverter ebenfalls als Administrator) und bestätigen Sie den Auftrag "
            "erneut.");
  EXPECT_EQ(windows::ElevationProblem(true, false),
            "Der Konverter läuft als Administrator, Kalvero nicht. So sieht der Konverter das "
            "laufende Kalvero nicht.\r\nStarten Sie den Konverter ohne \"Als Administrator "
            "ausführen\" neu und bestätigen Sie den Auftrag erneut.");
}

// The server of an object is read from its marshalling: the test process serves its own.
TEST(KalveroProcess, TheServerOfAnObjectIsItsProcess) {
  ComThread com;
  FakeKalveroServer server({.offer = Offer::RunningObject});
  EXPECT_TRUE(windows::ServedByProcess(server.application.get(), GetCurrentProcessId()));
  EXPECT_FALSE(windows::ServedByProcess(server.application.get(), GetCurrentProcessId() + 0x1000));
}

// One converter per workstation: a second claim fails while the first is held.
TEST(Workstation, OneConverterAtATime) {
  auto first = claimWorkstation();
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(claimWorkstation(), nullptr);
  first.reset();
  EXPECT_NE(claimWorkstation(), nullptr);
}

}  // namespace
}  // namespace kvotlk::test
