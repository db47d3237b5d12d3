#pragma once

// What the tests of the simulator and its link share: waiting in the event loop, a
// simulator on a thread of its own, and converters whose Kalvero port is the link.
#include <QEventLoop>
#include <QThread>
#include <QTimer>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "capture/CaptureEngine.h"
#include "capture/CaptureView.h"
#include "kalvero-sim/SimServer.h"
#include "support/TestEnvironment.h"

namespace kvotlk::test {

// Spins the event loop until the condition holds; false when it did not within the time.
bool waitUntil(const std::function<bool()>& condition, int timeoutMs = 20000);
// Spins the event loop for the time, to see that something does not happen.
inline void spin(int milliseconds) {
  waitUntil([] { return false; }, milliseconds);
}
// An endpoint of this test process alone, so that tests never meet another simulator.
std::string uniqueEndpoint();

// The program of the link tests: a run sends its start and four commands, two dimensions
// and a type-184 value (fields 165 and 662) with drawn values.
inline constexpr const char* kLinkProgram =
    "Programm Welle.PRG\n"
    "Version \"Kalvero 9.1 Simulator\"\n"
    "Mass Merkmal=101 Messwert=Normal(10; 0,01)\n"
    "Befehl Typ=7 Id=Ebene\n"
    "Mass Merkmal=102 Messwert=Gleich(4; 5)\n"
    "Feldwert Id=103 Feld662=Gleich(1; 2)\n";
inline constexpr std::int64_t kLinkEventsPerRun = 5;
// What the capture holds of a run of kLinkProgram: "id=value" entries.
std::string expectedSample(std::uint64_t seed, std::uint64_t run);

// A simulator on a thread of its own, as a separate program would be: the converter's
// calls block the test's thread, so the simulator answers from another one. It listens
// with kLinkProgram open.
class ThreadedSim {
 public:
  ThreadedSim(const std::string& endpoint, std::uint64_t seed);
  ~ThreadedSim();

  // Runs the function on the simulator's thread (with the server while it runs) and waits.
  void with(const std::function<void(sim::SimServer&)>& function);
  void open(std::uint64_t seed);
  void execute(int runs) {
    with([runs](sim::SimServer& server) { server.execute(runs); });
  }
  std::int64_t ask(const std::function<std::int64_t(sim::SimServer&)>& property) {
    std::int64_t result = 0;
    with([&result, &property](sim::SimServer& server) { result = property(server); });
    return result;
  }
  bool running() {
    return ask([](sim::SimServer& s) { return s.running() ? 1 : 0; }) != 0;
  }
  std::int64_t eventsSent() {
    return ask([](sim::SimServer& s) { return s.eventsSent(); });
  }
  std::int64_t connections() {
    return ask([](sim::SimServer& s) { return s.connections(); });
  }
  bool subscribed(int converters) {
    return waitUntil(
        [this, converters] { return ask([](auto& s) { return s.subscribers(); }) == converters; });
  }
  // Waits until the runs, counted from the program's opening, have ended.
  bool runsDone(std::int64_t runs) {
    return waitUntil(
        [this, runs] { return !running() && eventsSent() == runs * kLinkEventsPerRun; });
  }
  // The simulator quits: its connections close.
  void quit() {
    with([this](sim::SimServer& server) {
      delete &server;
      server_ = nullptr;
    });
  }

 private:
  QThread thread_;
  QObject* context_;
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

 private:
  ScriptedPrompts& record_;
  std::function<void()> whileOpen_;
};

// One converter: the test doubles of every port, the link to the endpoint as its Kalvero
// port, and its capture.
struct Converter {
  explicit Converter(const std::string& endpoint);
  // The message refusing the order (sample size 3), or "" when it is confirmed.
  std::string confirm();
  // Confirms the order and opens the capture with the prompts given, else the recording
  // ones; the message refusing the order, or "".
  std::string confirmAndCapture(Prompts* prompts = nullptr);
  std::vector<std::string> messages() const;
  Environment environment(Prompts& prompts) {
    return {t.settings, t.files,   t.clock,    t.random,
            prompts,    t.numbers, *connector, t.env.programFolder};
  }
  // Sample k as "id=value" entries.
  std::string sample(std::size_t k) const;

  TestEnvironment t;
  std::unique_ptr<KvoConnector> connector;
  Environment env;
  std::unique_ptr<Environment> captureEnv;
  NullCaptureView view;
  std::unique_ptr<CaptureEngine> engine;
  // The sample count the result writer saw; -1 before it was called.
  int sentSamples = -1;
};

}  // namespace kvotlk::test
