// The converter's link when the simulator goes away, comes back or hangs: the capture
// halts once with its message and keeps what it has, and the next order captures from
// the simulator that runs now. A second simulator on a taken endpoint: KalveroSimTest.
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
