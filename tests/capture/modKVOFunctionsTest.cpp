#include <gtest/gtest.h>

#include "capture/FakeKalvero.h"
#include "capture/modKVOFunctions.h"
#include "support/TestEnvironment.h"

namespace kvotlk::test {
namespace {

TEST(ConnectToKvo, NothingWithoutTheMainWindow) {
  TestEnvironment t;
  t.kalvero.start();
  t.kalvero.windowExists = false;

  EXPECT_FALSE(ConnectToKvo(t.env, t.g));
  EXPECT_EQ(t.g.KvoApp, nullptr);
  EXPECT_EQ(t.kalvero.getObjectCalls, 0);
}

TEST(ConnectToKvo, AttachesToTheRunningApplication) {
  TestEnvironment t;
  const auto app = t.kalvero.start();

  EXPECT_TRUE(ConnectToKvo(t.env, t.g));
  EXPECT_EQ(t.g.KvoApp, app);
}

TEST(ConnectToKvo, AWindowWithoutApplicationIsNoAttachment) {
  TestEnvironment t;
  t.kalvero.windowExists = true;
  EXPECT_FALSE(ConnectToKvo(t.env, t.g));
}

TEST(ConnectToKvo, KeepsALivingApplication) {
  TestEnvironment t;
  const auto first = t.kalvero.start();
  ASSERT_TRUE(ConnectToKvo(t.env, t.g));
  t.kalvero.start();  // another registration would be found now

  EXPECT_TRUE(ConnectToKvo(t.env, t.g));
  EXPECT_EQ(t.g.KvoApp, first);
  EXPECT_EQ(t.kalvero.findWindowCalls, 1);
  EXPECT_EQ(first->life->count("AppVersionText"), 1);
}

TEST(ConnectToKvo, AttachesAnewWhenTheHeldApplicationHasGone) {
  TestEnvironment t;
  const auto first = t.kalvero.start();
  first->openPartProgram("Welle.kvp");
  ASSERT_TRUE(ConnectToKvo(t.env, t.g));
  ASSERT_TRUE(GetOpenPartProg(t.g));
  t.g.KvoDimension = std::make_shared<FakeDimension>(first->life, "1", 1.0, 0.0);
  first->goAway();
  const auto second = t.kalvero.start();

  EXPECT_TRUE(ConnectToKvo(t.env, t.g));
  EXPECT_EQ(t.g.KvoApp, second);
  EXPECT_EQ(t.g.KvoPartProg, nullptr);
  EXPECT_EQ(t.g.KvoDimension, nullptr);
}

TEST(ConnectToKvo, ReportsFailureWhenTheHeldApplicationHasGoneAndNoneRuns) {
  TestEnvironment t;
  const auto first = t.kalvero.start();
  ASSERT_TRUE(ConnectToKvo(t.env, t.g));
  first->goAway();
  t.kalvero.app.reset();
  t.kalvero.windowExists = false;

  EXPECT_FALSE(ConnectToKvo(t.env, t.g));
  EXPECT_EQ(t.g.KvoApp, nullptr);
}

TEST(GetOpenPartProg, NamesTheMeasuringProgramWithoutItsExtension) {
  const std::pair<const char*, const char*> cases[] = {
      {"Welle.kvp", "Welle"}, {"Gehäuse Ø12.kvp", "Gehäuse Ø12"}, {"A.kvp", "A"}, {".kvp", ""}};
  for (const auto& [fileName, expected] : cases) {
    SCOPED_TRACE(fileName);
    TestEnvironment t;
    const auto app = t.kalvero.start();
    const auto program = app->openPartProgram(fileName);
    ASSERT_TRUE(ConnectToKvo(t.env, t.g));

    EXPECT_TRUE(GetOpenPartProg(t.g));
    EXPECT_EQ(t.g.strMessprogrammName, expected);
    EXPECT_EQ(t.g.KvoPartProg, program);
  }
}

TEST(GetOpenPartProg, FalseWithoutAnOpenProgram) {
  TestEnvironment t;
  t.kalvero.start();
  ASSERT_TRUE(ConnectToKvo(t.env, t.g));
  t.g.strMessprogrammName = "Alt";

  EXPECT_FALSE(GetOpenPartProg(t.g));
  EXPECT_EQ(t.g.strMessprogrammName, "");
  EXPECT_EQ(t.g.KvoPartProg, nullptr);
}

TEST(GetOpenPartProg, FalseWhenTheSoftwareHasGone) {
  TestEnvironment t;
  const auto app = t.kalvero.start();
  app->openPartProgram("Welle.kvp");
  ASSERT_TRUE(ConnectToKvo(t.env, t.g));
  app->goAway();

  EXPECT_FALSE(GetOpenPartProg(t.g));
  EXPECT_EQ(t.g.strMessprogrammName, "");
}

TEST(ReleaseKvoObjects, DropsEveryReference) {
  TestEnvironment t;
  const auto app = t.kalvero.start();
  app->openPartProgram("Welle.kvp");
  ASSERT_TRUE(ConnectToKvo(t.env, t.g));
  ASSERT_TRUE(GetOpenPartProg(t.g));
  t.g.KvoDimension = std::make_shared<FakeDimension>(app->life, "1", 1.0, 0.0);
  t.g.KvoTextCmd = std::make_shared<FakeTextCommand>(app->life, "ID", "1");

  EXPECT_TRUE(ReleaseKvoObjects(t.g));
  EXPECT_EQ(t.g.KvoApp, nullptr);
  EXPECT_EQ(t.g.KvoPartProg, nullptr);
  EXPECT_EQ(t.g.KvoDimension, nullptr);
  EXPECT_EQ(t.g.KvoTextCmd, nullptr);
  EXPECT_TRUE(ReleaseKvoObjects(t.g));
}

}  // namespace
}  // namespace kvotlk::test
