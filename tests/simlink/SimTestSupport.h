#pragma once

// What the tests of the simulator and its link share: waiting in the event loop, a
// simulator on a thread of its own, and converters whose Kalvero port is the link.
#include <qtestsupport_core.h>
#include <QCoreApplication>
#include <QThread>
#include <QTimer>
#include <atomic>

#include <gtest/gtest.h>

#include "capture/CaptureEngine.h"
#include "capture/CaptureView.h"
#include "entry/OrderConfirmation.h"
#include "entry/OrderFixture.h"
#include "kalvero-sim/SimServer.h"
#include "platform/simlink/SimLinkConnector.h"
#include "platform/simlink/SimProtocol.h"
#include "program/ProgramParser.h"
#include "support/TestEnvironment.h"

namespace kvotlk::test {

// Runs the event loop until the condition holds; false when it did not within the time.
// Between looks the test sleeps, so on two cores the simulator's thread gets the time.
inline bool waitUntil(const std::function<bool()>& condition, int timeoutMs = 20000) {
  return QTest::qWaitFor(condition, timeoutMs);
}
// Runs the event loop for the time, to see that something does not happen.
inline void spin(int milliseconds) { QTest::qWait(milliseconds); }
// An endpoint of this test process alone, so that tests never meet another simulator.
inline std::string uniqueEndpoint() {
  static std::atomic<int> counter = 0;
  return "kvotlk-test-" + std::to_string(QCoreApplication::applicationPid()) + "-" +
         std::to_string(++counter);
}

// The program of the link tests: a run sends its start and four commands, two dimensions
// and a type-184 value (fields 165 and 662) with drawn values.
inline program::MeasuringProgram linkProgram() {
  return std::get<program::MeasuringProgram>(program::parseProgram(
      "Programm Welle.PRG\nVersion \"Kalvero 9.1 Simulator\"\n"
      "Mass Merkmal=101 Messwert=Normal(10; 0,01)\nBefehl Typ=7 Id=Ebene\n"
      "Mass Merkmal=102 Messwert=Gleich(4; 5)\nFeldwert Id=103 Feld662=Gleich(1; 2)\n",
      "test.kmp"));
}
inline constexpr std::int64_t kLinkEventsPerRun = 5;

// What the capture holds of run `run` of the link program: "id=value" entries.
inline std::string expectedSample(std::uint64_t seed, std::uint64_t run) {
  std::string out;
  for (const CommandRecord& command : program::ProgramExecutor(linkProgram(), seed).run(run)) {
    if (command.dimension) {
      out += ' ' + command.dimension->DimIdText + '=' +
             simlink::formatReal(command.dimension->DimMeasured);
    } else if (command.CmdTypeCode == 184) {
      out += ' ' + command.CmdIdText + '=' + simlink::formatReal(command.field662);
    }
  }
  return out;
}

// A simulator on a thread of its own, as a separate program would be: the converter's
// calls block the test's thread, so the simulator answers from another one. It listens
// with the link program open.
class ThreadedSim {
 public:
  ThreadedSim(const std::string& endpoint, std::uint64_t seed) {
    context_.moveToThread(&thread_);
    thread_.start();
    QMetaObject::invokeMethod(
        &context_,
        [this, endpoint, seed] {
          server_ = new sim::SimServer(endpoint);
          std::string reason;
          EXPECT_TRUE(server_->listen(reason)) << reason;
          server_->setSeed(seed);
          server_->openProgram(linkProgram(), "test.kmp");
        },
        Qt::BlockingQueuedConnection);
  }
  // The simulator quits: its connections close.
  ~ThreadedSim() {
    with([this](sim::SimServer& server) { delete &server; });
    thread_.quit();
    thread_.wait();
  }

  // Runs the function on the simulator's thread with the server and waits.
  void with(const std::function<void(sim::SimServer&)>& function) {
    QMetaObject::invokeMethod(
        &context_, [this, &function] { function(*server_); }, Qt::BlockingQueuedConnection);
  }
  std::int64_t ask(const std::function<std::int64_t(sim::SimServer&)>& property) {
    std::int64_t result = 0;
    with([&result, &property](sim::SimServer& server) { result = property(server); });
    return result;
  }
  void execute(int runs) {
    with([runs](sim::SimServer& server) { server.execute(runs); });
  }
  bool subscribed(int converters) {
    return waitUntil([&] { return ask([](auto& s) { return s.subscribers(); }) == converters; });
  }
  // Waits until the runs, counted from the program's opening, have ended.
  bool runsDone(std::int64_t runs) {
    return waitUntil([&] {
      return ask([](auto& s) { return s.running() ? -1 : s.eventsSent(); }) ==
             runs * kLinkEventsPerRun;
    });
  }

 private:
  QThread thread_;
  QObject context_;
  sim::SimServer* server_ = nullptr;
};

// Answers questions as a message box does: its own event loop runs for 300 ms while it is
// open; whileOpen is called as it opens and as it closes.
class ModalPrompts final : public Prompts {
 public:
  ModalPrompts(ScriptedPrompts& record, std::function<void()> whileOpen)
      : record_(record), whileOpen_(std::move(whileOpen)) {}
  void showStop(const std::string& text) override { record_.showStop(text); }
  void showPlain(const std::string& text) override { record_.showPlain(text); }
  bool askYesNo(const std::string& text) override {
    whileOpen_();
    QEventLoop loop;
    QTimer::singleShot(300, &loop, &QEventLoop::quit);
    loop.exec();
    whileOpen_();
    return record_.askYesNo(text);
  }
  bool askYesNoDefaultNo(const std::string& text) override { return askYesNo(text); }

 private:
  ScriptedPrompts& record_;
  std::function<void()> whileOpen_;
};

// One converter: the test doubles of every port, the link to the endpoint as its Kalvero
// port, and its capture.
struct Converter {
  explicit Converter(const std::string& endpoint)
      : connector(simlink::makeSimLinkConnector(endpoint)), env(environment(t.prompts)) {
    t.g.strStandardDir = env.programFolder;
    t.g.varLaengeArtikelNr = "8";
    t.g.strNestIDVerwenden = "0";
  }
  // The message refusing the order (sample size 3), or "" when it is confirmed.
  std::string confirm() {
    OrderForm form = ValidOrderForm();
    form.txt_Probenumfang = "3";
    const auto refused = ConfirmOrder(env, t.g, form);
    return refused ? refused->message : std::string();
  }
  // Confirms the order and opens the capture with the prompts given, else the recording
  // ones; the message refusing the order, or "".
  std::string confirmAndCapture(Prompts* prompts = nullptr) {
    if (std::string refused = confirm(); !refused.empty()) {
      return refused;
    }
    ResetSamples(t.g);
    captureEnv = std::make_unique<Environment>(environment(prompts ? *prompts : t.prompts));
    order.send = [this] {
      sentSamples = t.g.intAnzStichproben;
      return true;
    };
    engine = std::make_unique<CaptureEngine>(*captureEnv, t.g, order);
    engine->Form_Load(view);
    return {};
  }
  std::vector<std::string> messages() const {
    std::vector<std::string> texts;
    std::ranges::transform(t.prompts.shown, std::back_inserter(texts), &ShownPrompt::text);
    return texts;
  }
  Environment environment(Prompts& prompts) {
    return {t.settings, t.files,   t.clock,    t.random,
            prompts,    t.numbers, *connector, t.env.programFolder};
  }
  // Sample k as "id=value" entries.
  std::string sample(std::size_t k) const {
    std::string out;
    const Stichprobe& sample = t.g.arrStichproben.at(k);
    for (std::size_t i = 1; i < sample.strMerkmal.size(); ++i) {
      out += ' ' + sample.strMerkmal[i] + '=' + simlink::formatReal(sample.dblMesswert[i]);
    }
    return out;
  }

  TestEnvironment t;
  std::unique_ptr<KvoConnector> connector;
  Environment env;
  std::unique_ptr<Environment> captureEnv;
  NullCaptureView view;
  TestCaptureOrder order;
  std::unique_ptr<CaptureEngine> engine;
  // The sample count the result writer saw; -1 before it was called.
  int sentSamples = -1;
};

}  // namespace kvotlk::test
