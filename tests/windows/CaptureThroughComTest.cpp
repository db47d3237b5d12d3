#include <gtest/gtest.h>

#include "FakeKalveroServer.h"
#include "capture/CaptureEngine.h"
#include "capture/CaptureView.h"
#include "capture/modKVOFunctions.h"
#include "platform/windows/KvoComConnector.h"
#include "support/TestEnvironment.h"

// The capture engine on the COM binding: attached as the order confirmation attaches,
// subscribed by the capture window's load, fed by the fake CMM software's events.
namespace kvotlk::test {
namespace {

class CaptureThroughComTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(ConnectToKvo(env, t.g));
    ASSERT_TRUE(GetOpenPartProg(t.g));
    t.g.intStichprobenumfang = 3;
    engine.Form_Load();
    ASSERT_EQ(engine.state(), CaptureState::Ready);
  }
  void TearDown() override { ReleaseKvoObjects(t.g); }

  void runOnce() {
    server.events->fire(kFakeOnStartExecution, {server.partProgram.get()});
    server.events->fire(kFakeOnObjectExecuted, {server.partProgram.get(), server.command.get()});
  }

  ComThread com;
  FakeKalveroServer server;
  std::unique_ptr<KvoConnector> connector = windows::makeComConnector();
  TestEnvironment t;
  Environment env{t.settings, t.files,   t.clock,    t.random,
                  t.prompts,  t.numbers, *connector, t.env.programFolder};
  NullCaptureView view;
  int writes = 0;
  CaptureEngine engine{env, t.g, view, [this] { return ++writes > 0; }};
};

TEST_F(CaptureThroughComTest, SendingEndsTheSubscription) {
  t.g.intStichprobenumfang = 1;
  runOnce();
  engine.CmdSendData_Click();
  EXPECT_EQ(writes, 1);
  EXPECT_EQ(server.events->unadvises, server.events->advises);
  EXPECT_EQ(server.events->sinkCount(), 0U);
  runOnce();
  EXPECT_EQ(t.g.intAnzStichproben, 1);
}

// Values arrive in their samples until the software ends mid-run; after that nothing
// crashes and the values stay.
TEST_F(CaptureThroughComTest, SoftwareGoneMidRunCrashesNothing) {
  runOnce();
  server.dimension->set(12, numberValue(VT_R4, -0.5));
  runOnce();
  EXPECT_EQ(engine.state(), CaptureState::Sampling);
  EXPECT_TRUE(t.prompts.shown.empty());
  server.goAway(RPC_E_SERVER_DIED);
  server.events->fire(kFakeOnObjectExecuted, {server.partProgram.get(), server.command.get()});
  ASSERT_EQ(t.g.intAnzStichproben, 2);
  for (const std::size_t sample : {1U, 2U}) {
    EXPECT_EQ(t.g.arrStichproben.at(sample).strMerkmal, (std::vector<std::string>{"", "101"}));
  }
  EXPECT_EQ(t.g.arrStichproben[1].dblMesswert, (std::vector<double>{0.0, 1234.5}));
  EXPECT_EQ(t.g.arrStichproben[2].dblMesswert, (std::vector<double>{0.0, -0.5}));
  engine.Form_Unload();
  EXPECT_FALSE(ConnectToKvo(env, t.g));
}

}  // namespace
}  // namespace kvotlk::test
