// The converter's link when the simulator goes away, comes back, hangs, or has company:
// the capture halts once with its message and keeps what it has, the next order captures
// from the simulator that runs now, and a second simulator never disturbs the first.
#include <gtest/gtest.h>

#include <QEventLoop>
#include <QThread>
#include <QTimer>
#include <atomic>
#include <thread>

#include "capture/CaptureEngine.h"
#include "capture/CaptureMessages.h"
#include "capture/CaptureView.h"
#include "capture/modKVOFunctions.h"
#include "entry/OrderConfirmation.h"
#include "entry/OrderFixture.h"
#include "program/ProgramExecutor.h"
#include "simlink/SimTestSupport.h"

namespace kvotlk::test {
namespace {

constexpr const char* kProgram =
    "Programm Welle.PRG\n"
    "Mass Merkmal=101 Messwert=Normal(10; 0,01)\n"
    "Mass Merkmal=102 Messwert=Gleich(4; 5)\n";
constexpr std::int64_t kEventsPerRun = 3;

// Answers a question only after the time has passed, with its own event loop running,
// as a message box does.
class SlowPrompts final : public Prompts {
 public:
  explicit SlowPrompts(ScriptedPrompts& record) : record_(record) {}
  void showStop(const std::string& text) override { record_.showStop(text); }
  void showPlain(const std::string& text) override { record_.showPlain(text); }
  bool askYesNo(const std::string& text) override {
    if (whileOpen) {
      whileOpen();
    }
    QEventLoop loop;
    QTimer::singleShot(300, &loop, &QEventLoop::quit);
    loop.exec();
    return record_.askYesNo(text);
  }
  std::function<void()> whileOpen;

 private:
  ScriptedPrompts& record_;
};

// One converter: its ports with the link to the endpoint, and its capture.
struct Converter {
  explicit Converter(const std::string& endpoint) : link(endpoint) {
    link.t.g.strStandardDir = link.env.programFolder;
    link.t.g.varLaengeArtikelNr = "8";
    link.t.g.strNestIDVerwenden = "0";
  }

  // Confirms the order and opens the capture; the confirmation's message, or "".
  std::string confirmAndCapture(Prompts* prompts = nullptr) {
    OrderForm form = ValidOrderForm();
    form.txt_Probenumfang = "3";
    if (const auto failure = ConfirmOrder(link.env, link.t.g, form)) {
      return failure->message;
    }
    ResetSamples(link.t.g);
    env = std::make_unique<Environment>(
        Environment{link.t.settings, link.t.files, link.t.clock, link.t.random,
                    prompts != nullptr ? *prompts : link.env.prompts, link.t.numbers,
                    *link.connector, link.env.programFolder});
    engine = std::make_unique<CaptureEngine>(*env, link.t.g, view, [this] {
      sentSamples = link.t.g.intAnzStichproben;
      return true;
    });
    engine->Form_Load();
    return {};
  }
  std::vector<std::string> messages() const {
    std::vector<std::string> texts;
    for (const ShownPrompt& shown : link.t.prompts.shown) {
      texts.push_back(shown.text);
    }
    return texts;
  }
  std::string sample(std::size_t k) const { return sampleText(link.t.g, k); }

  LinkEnvironment link;
  std::unique_ptr<Environment> env;
  NullCaptureView view;
  std::unique_ptr<CaptureEngine> engine;
  int sentSamples = -1;
};

std::string expectedSample(std::uint64_t seed, std::uint64_t run) {
  return dimensionText(program::ProgramExecutor(parseOrFail(kProgram), seed).run(run));
}

std::unique_ptr<ThreadedSim> startSim(const std::string& endpoint, std::uint64_t seed) {
  auto sim = std::make_unique<ThreadedSim>(endpoint);
  sim->open(kProgram, seed);
  return sim;
}

bool subscribed(ThreadedSim& sim, int converters) {
  return waitUntil([&sim, converters] { return sim.subscribers() == converters; });
}

bool runsDone(ThreadedSim& sim, std::int64_t runs) {
  return waitUntil(
      [&sim, runs] { return !sim.running() && sim.eventsSent() == runs * kEventsPerRun; });
}

TEST(SimRecovery, AfterARestartTheNextOrderCapturesFromTheNewSimulator) {
  const std::string endpoint = uniqueEndpoint();
  Converter converter(endpoint);
  auto sim = startSim(endpoint, 7);
  sim->with([](sim::SimServer& server) { server.setPause(20); });
  ASSERT_EQ(converter.confirmAndCapture(), "");
  ASSERT_TRUE(subscribed(*sim, 1));
  sim->execute(3);
  ASSERT_TRUE(waitUntil([&converter] { return converter.link.t.g.intAnzStichproben == 2; }));
  sim.reset();
  ASSERT_TRUE(
      waitUntil([&converter] { return converter.engine->state() == CaptureState::Halted; }));

  // The new simulator neither reaches nor disturbs the halted capture.
  sim = startSim(endpoint, 8);
  sim->execute(1);
  ASSERT_TRUE(runsDone(*sim, 1));
  spin(100);
  EXPECT_EQ(converter.messages(), std::vector<std::string>{LostLinkMessage()});
  EXPECT_EQ(converter.sample(1), expectedSample(7, 1));
  converter.engine->CmdSendData_Click();
  EXPECT_EQ(converter.sentSamples, 2);

  // The next order attaches to the simulator that runs now and captures all its runs.
  converter.link.t.prompts.shown.clear();
  ASSERT_EQ(converter.confirmAndCapture(), "");
  ASSERT_TRUE(subscribed(*sim, 1));
  sim->execute(3);
  ASSERT_TRUE(runsDone(*sim, 4));
  ASSERT_TRUE(waitUntil([&converter] { return converter.link.t.g.intAnzStichproben == 3; }));
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
  auto sim = startSim(endpoint, 7);
  SlowPrompts prompts(converter.link.t.prompts);
  prompts.whileOpen = [&sim] { sim.reset(); };
  converter.link.t.prompts.answers = {true};
  ASSERT_EQ(converter.confirmAndCapture(&prompts), "");
  converter.link.t.g.intStichprobenumfang = 1;
  ASSERT_TRUE(subscribed(*sim, 1));
  sim->execute(2);
  ASSERT_TRUE(
      waitUntil([&converter] { return converter.engine->state() == CaptureState::Halted; }));
  spin(100);
  EXPECT_EQ(converter.messages(),
            (std::vector<std::string>{IncreaseQuestion(), LostLinkMessage()}));
  EXPECT_EQ(converter.sample(1), expectedSample(7, 1));
  EXPECT_EQ(converter.link.t.g.intAnzStichproben, 2);
  converter.engine->CmdSendData_Click();
  EXPECT_EQ(converter.sentSamples, 2);
}

TEST(SimRecovery, ASecondSimulatorOnTheEndpointIsRefusedAndTheFirstServesOn) {
  const std::string endpoint = uniqueEndpoint();
  Converter converter(endpoint);
  auto sim = startSim(endpoint, 7);
  sim->with([](sim::SimServer& server) { server.setPause(10); });
  ASSERT_EQ(converter.confirmAndCapture(), "");
  ASSERT_TRUE(subscribed(*sim, 1));
  sim->execute(3);

  sim::SimServer second(endpoint);
  std::string reason;
  EXPECT_FALSE(second.listen(reason));
  EXPECT_EQ(reason, "Unter dem Endpunkt \"" + endpoint + "\" läuft bereits ein Kalvero-Simulator.");

  ASSERT_TRUE(runsDone(*sim, 3));
  ASSERT_TRUE(waitUntil([&converter] { return converter.link.t.g.intAnzStichproben == 3; }));
  spin(50);
  for (std::uint64_t k = 1; k <= 3; ++k) {
    EXPECT_EQ(converter.sample(k), expectedSample(7, k)) << k;
  }
  EXPECT_EQ(converter.messages(), std::vector<std::string>{});
  // The refused one left the endpoint to the first: another converter still finds it.
  Converter another(endpoint);
  EXPECT_EQ(another.confirmAndCapture(), "");
  EXPECT_TRUE(subscribed(*sim, 2));
}

TEST(SimRecovery, TwoSimulatorsAtOnceEachServeTheirOwnConverter) {
  const std::string endpointA = uniqueEndpoint();
  const std::string endpointB = uniqueEndpoint();
  Converter a(endpointA);
  Converter b(endpointB);
  auto simA = startSim(endpointA, 1);
  auto simB = startSim(endpointB, 2);
  for (auto* sim : {simA.get(), simB.get()}) {
    sim->with([](sim::SimServer& server) { server.setPause(10); });
  }
  ASSERT_EQ(a.confirmAndCapture(), "");
  ASSERT_EQ(b.confirmAndCapture(), "");
  ASSERT_TRUE(subscribed(*simA, 1) && subscribed(*simB, 1));
  simA->execute(3);
  simB->execute(3);
  ASSERT_TRUE(waitUntil([&b] { return b.link.t.g.intAnzStichproben == 2; }));
  simB.reset();
  ASSERT_TRUE(runsDone(*simA, 3));
  ASSERT_TRUE(waitUntil([&a, &b] {
    return a.link.t.g.intAnzStichproben == 3 && b.engine->state() == CaptureState::Halted;
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
  auto sim = startSim(endpoint, 7);
  ASSERT_EQ(converter.confirmAndCapture(), "");
  ASSERT_TRUE(subscribed(*sim, 1));
  sim->execute(1);
  ASSERT_TRUE(runsDone(*sim, 1));
  ASSERT_TRUE(waitUntil([&converter] { return converter.link.t.g.intAnzMerkmale == 2; }));

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
  OrderForm form = ValidOrderForm();
  const auto refused = ConfirmOrder(converter.link.env, converter.link.t.g, form);
  ASSERT_TRUE(refused);
  EXPECT_EQ(refused->message, "Kalvero muss zuerst gestartet sein.");
  hanging = false;
  hang.join();

  EXPECT_EQ(ConfirmOrder(converter.link.env, converter.link.t.g, form), std::nullopt);
}

}  // namespace
}  // namespace kvotlk::test
