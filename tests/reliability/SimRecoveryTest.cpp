// The converter's link when the simulator goes away under an open question or hangs. A
// simulator killed in a run and a restarted one found by the next order: the end-to-end
// session tests/tools/data/abgebrochen.ablauf; a second simulator on a taken endpoint:
// tests/tools/data/kalvero-sim-falsch-gestartet.ablauf.
#include <gtest/gtest.h>

#include <QThread>
#include <atomic>
#include <thread>

#include "capture/CaptureMessages.h"
#include "simlink/SimTestSupport.h"

namespace kvotlk::test {
namespace {

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
