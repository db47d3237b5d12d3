#pragma once

#include <QThread>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "capture/KalveroPort.h"
#include "common/Environment.h"
#include "kalvero-sim/SimServer.h"
#include "program/MeasuringProgram.h"
#include "support/TestEnvironment.h"

namespace kvotlk::test {

// Spins the event loop until the condition holds; false when it did not within the time.
bool waitUntil(const std::function<bool()>& condition, int timeoutMs = 20000);
// Spins the event loop for the time, to see that something does not happen.
void spin(int milliseconds);

// An endpoint of this test process alone, so that tests never meet another simulator.
std::string uniqueEndpoint();

program::MeasuringProgram parseOrFail(const std::string& content);

// A simulator on a thread of its own, as a separate program would be: the converter's
// calls block the test's thread, so the simulator answers from another one.
class ThreadedSim {
 public:
  explicit ThreadedSim(const std::string& endpoint);
  ~ThreadedSim();
  ThreadedSim(const ThreadedSim&) = delete;
  ThreadedSim& operator=(const ThreadedSim&) = delete;
  ThreadedSim(ThreadedSim&&) = delete;
  ThreadedSim& operator=(ThreadedSim&&) = delete;

  // Runs the function with the server on the simulator's thread and waits for it.
  void with(const std::function<void(sim::SimServer&)>& function);
  void open(const std::string& content, std::uint64_t seed = 1);
  void execute(int runs) {
    with([runs](sim::SimServer& server) { server.execute(runs); });
  }
  bool running() { return ask(&sim::SimServer::running); }
  std::int64_t eventsSent() { return ask(&sim::SimServer::eventsSent); }
  int subscribers() { return ask(&sim::SimServer::subscribers); }
  int connections() { return ask(&sim::SimServer::connections); }
  // The simulator quits: its connections close.
  void quit();

 private:
  template <typename Result>
  Result ask(Result (sim::SimServer::*property)() const) {
    Result result{};
    with([&result, property](sim::SimServer& server) { result = (server.*property)(); });
    return result;
  }

  QThread thread_;
  QObject* context_;
  sim::SimServer* server_ = nullptr;
};

// The test doubles of every port, with the simulator link as the Kalvero port.
struct LinkEnvironment {
  explicit LinkEnvironment(const std::string& endpoint);

  TestEnvironment t;
  std::unique_ptr<KvoConnector> connector;
  Environment env;
};

// The IDs and values of sample k as "id=value" entries.
std::string sampleText(const modGlobaleVariablen& g, std::size_t k);
// The same for the commands of one run, as the capture takes dimensions outside blocks.
std::string dimensionText(const std::vector<ScriptedCommand>& commands);

}  // namespace kvotlk::test
