// The converter's link when the simulator goes away, comes back, hangs, or has company:
// the capture halts once with its message and keeps what it has, the next order captures
// from the simulator that runs now, and a second simulator never disturbs the first.
#include <gtest/gtest.h>

#include <QThread>
#include <atomic>
#include <thread>

#include "capture/CaptureMessages.h"
#include "simlink/SimTestSupport.h"

namespace kvotlk::test {
namespace {

TEST(SimRecovery, AfterARestartTheNextOrderCapturesFromTheNewSimulator) {
  const std::string endpoint = uniqueEndpoint();
  Converter converter(endpoint);
  auto sim = std::make_unique<ThreadedSim>(endpoint, 7);
  sim->with([](sim::SimServer& server) { server.setPause(20); });
  ASSERT_EQ(converter.confirmAndCapture(), "");
  ASSERT_TRUE(sim->subscribed(1));
  sim->execute(3);
  ASSERT_TRUE(waitUntil([&converter] { return converter.t.g.intAnzStichproben == 2; }));
  sim.reset();
  ASSERT_TRUE(
      waitUntil([&converter] { return converter.engine->state() == CaptureState::Halted; }));

  // The new simulator neither reaches nor disturbs the halted capture.
  sim = std::make_unique<ThreadedSim>(endpoint, 8);
  sim->execute(1);
  ASSERT_TRUE(sim->runsDone(1));
  spin(100);
  EXPECT_EQ(converter.messages(), std::vector<std::string>{LostLinkMessage()});
  EXPECT_EQ(converter.sample(1), expectedSample(7, 1));
  converter.engine->CmdSendData_Click();
  EXPECT_EQ(converter.sentSamples, 2);

  // The next order attaches to the simulator that runs now and captures all its runs.
  converter.t.prompts.shown.clear();
  ASSERT_EQ(converter.confirmAndCapture(), "");
  ASSERT_TRUE(sim->subscribed(1));
  sim->execute(3);
  ASSERT_TRUE(sim->runsDone(4));
  ASSERT_TRUE(waitUntil([&converter] { return converter.t.g.intAnzStichproben == 3; }));
  spin(50);
  for (std::uint64_t k = 1; k <= 3; ++k) {
    EXPECT_EQ(converter.sample(k), expectedSample(8, k + 1)) << k;
  }
  EXPECT_EQ(converter.messages(), std::vector<std::string>{});
  converter.engine->CmdSendData_Click();
  EXPECT_EQ(converter.sentSamples, 3);
}

TEST(SimRecovery, GoingAwayWhileAQuestionIsOpenHaltsAfterTheAnswer) {
  const std::string endpoint = uniqueEndpoint();
  Converter converter(endpoint);
  auto sim = std::make_unique<ThreadedSim>(endpoint, 7);
  ModalPrompts prompts(converter.t.prompts, [&sim] { sim.reset(); });
  converter.t.prompts.answers = {true};
  ASSERT_EQ(converter.confirmAndCapture(&prompts), "");
  converter.t.g.intStichprobenumfang = 1;
  ASSERT_TRUE(sim->subscribed(1));
  sim->execute(2);
  ASSERT_TRUE(
      waitUntil([&converter] { return converter.engine->state() == CaptureState::Halted; }));
  spin(100);
  EXPECT_EQ(converter.messages(),
            (std::vector<std::string>{IncreaseQuestion(), LostLinkMessage()}));
  EXPECT_EQ(converter.sample(1), expectedSample(7, 1));
  EXPECT_EQ(converter.t.g.intAnzStichproben, 2);
  converter.engine->CmdSendData_Click();
  EXPECT_EQ(converter.sentSamples, 2);
}

TEST(SimRecovery, ASecondSimulatorOnTheEndpointIsRefusedAndTheFirstServesOn) {
  const std::string endpoint = uniqueEndpoint();
  Converter converter(endpoint);
  auto sim = std::make_unique<ThreadedSim>(endpoint, 7);
  sim->with([](sim::SimServer& server) { server.setPause(10); });
  ASSERT_EQ(converter.confirmAndCapture(), "");
  ASSERT_TRUE(sim->subscribed(1));
  sim->execute(3);

  sim::SimServer second(endpoint);
  std::string reason;
  EXPECT_FALSE(second.listen(reason));
  EXPECT_EQ(reason, "Unter dem Endpunkt \"" + endpoint + "\" läuft bereits ein Kalvero-Simulator.");

  ASSERT_TRUE(sim->runsDone(3));
  ASSERT_TRUE(waitUntil([&converter] { return converter.t.g.intAnzStichproben == 3; }));
  spin(50);
  for (std::uint64_t k = 1; k <= 3; ++k) {
    EXPECT_EQ(converter.sample(k), expectedSample(7, k)) << k;
  }
  EXPECT_EQ(converter.messages(), std::vector<std::string>{});
  // The refused one left the endpoint to the first: another converter still finds it.
  Converter another(endpoint);
  EXPECT_EQ(another.confirmAndCapture(), "");
  EXPECT_TRUE(sim->subscribed(2));
}

TEST(SimRecovery, TwoSimulatorsAtOnceEachServeTheirOwnConverter) {
  const std::string endpointA = uniqueEndpoint();
  const std::string endpointB = uniqueEndpoint();
  Converter a(endpointA);
  Converter b(endpointB);
  auto simA = std::make_unique<ThreadedSim>(endpointA, 1);
  auto simB = std::make_unique<ThreadedSim>(endpointB, 2);
  for (auto* sim : {simA.get(), simB.get()}) {
    sim->with([](sim::SimServer& server) { server.setPause(10); });
  }
  ASSERT_EQ(a.confirmAndCapture(), "");
  ASSERT_EQ(b.confirmAndCapture(), "");
  ASSERT_TRUE(simA->subscribed(1) && simB->subscribed(1));
  simA->execute(3);
  simB->execute(3);
  ASSERT_TRUE(waitUntil([&b] { return b.t.g.intAnzStichproben == 2; }));
  simB.reset();
  ASSERT_TRUE(simA->runsDone(3));
  ASSERT_TRUE(waitUntil([&a, &b] {
    return a.t.g.intAnzStichproben == 3 && b.engine->state() == CaptureState::Halted;
  }));
  spin(50);
  for (std::uint64_t k = 1; k <= 3; ++k) {
    EXPECT_EQ(a.sample(k), expectedSample(1, k)) << k;
  }
  EXPECT_EQ(b.sample(1), expectedSample(2, 1));
  EXPECT_EQ(a.messages(), std::vector<std::string>{});
  EXPECT_EQ(b.messages(), std::vector<std::string>{LostLinkMessage()});
  EXPECT_EQ(a.engine->state(), CaptureState::Sampling);
}

// A simulator that hangs is not waited for longer than one call's time: the send goes
// ahead, and the next confirmation says that Kalvero must run.
TEST(SimRecovery, AHangingSimulatorDoesNotHangTheConverter) {
  const std::string endpoint = uniqueEndpoint();
  Converter converter(endpoint);
  auto sim = std::make_unique<ThreadedSim>(endpoint, 7);
  ASSERT_EQ(converter.confirmAndCapture(), "");
  ASSERT_TRUE(sim->subscribed(1));
  sim->execute(1);
  ASSERT_TRUE(sim->runsDone(1));
  ASSERT_TRUE(waitUntil([&converter] { return converter.t.g.intAnzMerkmale == 3; }));

  std::atomic<bool> hanging = true;
  std::thread hang([&sim, &hanging] {
    sim->with([&hanging](sim::SimServer&) {
      while (hanging) {
        QThread::msleep(10);
      }
    });
  });
  spin(100);
  converter.engine->CmdSendData_Click();
  EXPECT_EQ(converter.sentSamples, 1);
  EXPECT_EQ(converter.engine->state(), CaptureState::Closed);
  EXPECT_EQ(converter.confirm(), "Kalvero muss zuerst gestartet sein.");
  hanging = false;
  hang.join();

  EXPECT_EQ(converter.confirm(), "");
}

}  // namespace
}  // namespace kvotlk::test
