#include <gtest/gtest.h>

#include "capture/FakeKalvero.h"
#include "capture/modKVOFunctions.h"
#include "support/TestEnvironment.h"

namespace kvotlk::test {
namespace {

TEST(ConnectToKvo, NothingWithoutTheMainWindowOrWithoutAnApplicationBehindIt) {
  TestEnvironment t;
  t.kalvero.start();
  t.kalvero.windowExists = false;
  EXPECT_FALSE(ConnectToKvo(t.env, t.g));
  EXPECT_EQ(t.kalvero.getObjectCalls, 0);

  t.kalvero.app.reset();
  t.kalvero.windowExists = true;
  EXPECT_FALSE(ConnectToKvo(t.env, t.g));
  EXPECT_EQ(t.g.KvoApp, nullptr);
}

TEST(ConnectToKvo, KeepsALivingApplication) {
  TestEnvironment t;
  const auto first = t.kalvero.start();
  ASSERT_TRUE(ConnectToKvo(t.env, t.g));
  EXPECT_EQ(t.g.KvoApp, first);
  t.kalvero.start();  // another registration would be found now

  EXPECT_TRUE(ConnectToKvo(t.env, t.g));
  EXPECT_EQ(t.g.KvoApp, first);
  EXPECT_EQ(t.kalvero.findWindowCalls, 1);
}

TEST(ConnectToKvo, DropsAGoneApplicationWithEverythingTakenFromIt) {
  TestEnvironment t;
  const auto first = t.kalvero.start();
  first->openPartProgram("Welle.kvp");
  ASSERT_TRUE(ConnectToKvo(t.env, t.g));
  ASSERT_TRUE(GetOpenPartProg(t.g));
  t.g.KvoDimension = std::make_shared<FakeDimension>(first->life, "1", 1.0, 0.0);
  t.g.KvoTextCmd = std::make_shared<FakeTextCommand>(first->life, "ID", "1");
  first->goAway();
  const auto second = t.kalvero.start();

  EXPECT_TRUE(ConnectToKvo(t.env, t.g));
  EXPECT_EQ(t.g.KvoApp, second);
  EXPECT_EQ(t.g.KvoPartProg, nullptr);
  EXPECT_EQ(t.g.KvoDimension, nullptr);
  EXPECT_EQ(t.g.KvoTextCmd, nullptr);

  second->goAway();
  t.kalvero.app.reset();
  t.kalvero.windowExists = false;
  EXPECT_FALSE(ConnectToKvo(t.env, t.g));
  EXPECT_EQ(t.g.KvoApp, nullptr);
}

TEST(GetOpenPartProg, NamesTheMeasuringProgramWithoutItsExtension) {
  const std::pair<const char*, const char*> cases[] = {
      {"Gehäuse Ø12.kvp", "Gehäuse Ø12"}, {"A.kvp", "A"}, {".kvp", ""}};
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

TEST(GetOpenPartProg, FalseWithoutAnOpenProgramOrWhenTheSoftwareHasGone) {
  TestEnvironment t;
  const auto app = t.kalvero.start();
  ASSERT_TRUE(ConnectToKvo(t.env, t.g));
  t.g.strMessprogrammName = "Alt";
  EXPECT_FALSE(GetOpenPartProg(t.g));
  EXPECT_EQ(t.g.strMessprogrammName, "");
  EXPECT_EQ(t.g.KvoPartProg, nullptr);

  app->openPartProgram("Welle.kvp");
  ASSERT_TRUE(GetOpenPartProg(t.g));
  app->goAway();
  EXPECT_FALSE(GetOpenPartProg(t.g));
  EXPECT_EQ(t.g.strMessprogrammName, "");
}

}  // namespace
}  // namespace kvotlk::test
