// The converter's link against a simulator on its own thread: events reaching the capture
// with their values, a run held by an open question, the connection ended with the
// objects; order confirmation while no simulator or no program is there is the session
// abgebrochen of tests/tools. A simulator
// quitting mid-run, restarted or hanging is tests/reliability's SimRecoveryTest; both
// programs as processes, the simulator's window included, are the sessions of tests/tools.
// And the simulator cutting off a peer that does not speak the protocol; its command line
// and script are the sessions kalvero-sim-* of tests/tools.
#include <gtest/gtest.h>

#include <QLocalSocket>

#include "capture/CaptureMessages.h"
#include "kalvero/modKVOFunctions.h"
#include "simlink/SimTestSupport.h"

namespace kvotlk::test {
namespace {

// Every subscriber acknowledges each event before the next is sent: a question open in
// one converter holds the run for all, and both capture every value.
TEST(SimLinkTest, AnOpenQuestionHoldsTheRunForEveryConverter) {
  const std::string endpoint = uniqueEndpoint();
  ThreadedSim sim(endpoint, 42);
  Converter asking(endpoint);
  Converter other(endpoint);
  std::vector<std::int64_t> sentWhileOpen;
  ModalPrompts prompts(asking.t.prompts, [&] {
    sentWhileOpen.push_back(sim.ask([](auto& s) { return s.eventsSent(); }));
  });
  asking.t.prompts.answers = {true};
  ASSERT_EQ(asking.confirmAndCapture(&prompts), "");
  ASSERT_EQ(other.confirmAndCapture(), "");
  asking.t.g.intStichprobenumfang = 1;
  ASSERT_TRUE(sim.subscribed(2));
  sim.execute(2);
  ASSERT_TRUE(sim.runsDone(2));
  // The question came with the start of run 2, the sixth event; nothing followed it while
  // it was open, and the run went on after the answer.
  EXPECT_EQ(sentWhileOpen, (std::vector<std::int64_t>{6, 6}));
  EXPECT_EQ(asking.messages(), std::vector<std::string>{IncreaseQuestion()});
  EXPECT_TRUE(other.messages().empty());
  for (Converter* converter : {&asking, &other}) {
    ASSERT_EQ(converter->t.g.intAnzStichproben, 2);
    EXPECT_EQ(converter->sample(1), expectedSample(42, 1));
    EXPECT_EQ(converter->sample(2), expectedSample(42, 2));
  }
}

TEST(SimLinkTest, ReleasingTheObjectsEndsTheConnection) {
  const std::string endpoint = uniqueEndpoint();
  ThreadedSim sim(endpoint, 1);
  Converter converter(endpoint);
  ASSERT_EQ(converter.confirmAndCapture(), "");
  ASSERT_TRUE(sim.subscribed(1));
  converter.engine.reset();
  ReleaseKvoObjects(converter.t.g);
  EXPECT_TRUE(waitUntil([&sim] { return sim.ask([](auto& s) { return s.connections(); }) == 0; }));
}

TEST(KalveroSimTest, APeerWithAnEndlessLineIsCutOff) {
  const std::string endpoint = uniqueEndpoint();
  sim::SimServer server(endpoint);
  std::string lastLog;
  server.onLog = [&lastLog](const std::string& line) { lastLog = line; };
  std::string reason;
  ASSERT_TRUE(server.listen(reason)) << reason;
  QLocalSocket peer;
  peer.connectToServer(QString::fromStdString(endpoint));
  ASSERT_TRUE(peer.waitForConnected(1000));
  const std::string endless(simlink::kMaxLineLength + 10, 'x');
  peer.write(endless.data(), static_cast<qint64>(endless.size()));
  EXPECT_TRUE(waitUntil([&peer] { return peer.state() == QLocalSocket::UnconnectedState; }));
  EXPECT_EQ(lastLog,
            "Verbindung getrennt: Die Gegenstelle spricht nicht das Protokoll des Simulators.");
}

}  // namespace
}  // namespace kvotlk::test
