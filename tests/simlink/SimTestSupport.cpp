#include "simlink/SimTestSupport.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QTimer>
#include <atomic>
#include <iomanip>
#include <sstream>

#include <gtest/gtest.h>

#include "platform/simlink/SimLinkConnector.h"
#include "program/ProgramParser.h"

namespace kvotlk::test {
namespace {

constexpr int kWaitTickMs = 5;

}  // namespace

// The tick wakes the waiting event loop, so that conditions on other threads and
// processes are looked at without spinning: on a machine of two cores a busy test would
// take the time the programs under test need.
bool waitUntil(const std::function<bool()>& condition, int timeoutMs) {
  const QDeadlineTimer deadline(timeoutMs);
  QTimer tick;
  tick.start(kWaitTickMs);
  while (!condition()) {
    if (deadline.hasExpired()) {
      return false;
    }
    QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
  }
  return true;
}

void spin(int milliseconds) {
  waitUntil([] { return false; }, milliseconds);
}

std::string uniqueEndpoint() {
  static std::atomic<int> counter = 0;
  return "kvotlk-test-" + std::to_string(QCoreApplication::applicationPid()) + "-" +
         std::to_string(++counter);
}

program::MeasuringProgram parseOrFail(const std::string& content) {
  auto result = program::parseProgram(content, "test.kmp");
  if (const auto* error = std::get_if<program::ProgramError>(&result)) {
    ADD_FAILURE() << error->text();
    return {};
  }
  return std::get<program::MeasuringProgram>(result);
}

ThreadedSim::ThreadedSim(const std::string& endpoint) : context_(new QObject) {
  context_->moveToThread(&thread_);
  thread_.start();
  QMetaObject::invokeMethod(
      context_,
      [this, endpoint] {
        server_ = new sim::SimServer(endpoint);
        std::string reason;
        if (!server_->listen(reason)) {
          ADD_FAILURE() << reason;
        }
      },
      Qt::BlockingQueuedConnection);
}

ThreadedSim::~ThreadedSim() {
  quit();
  thread_.quit();
  thread_.wait();
  delete context_;
}

void ThreadedSim::with(const std::function<void(sim::SimServer&)>& function) {
  QMetaObject::invokeMethod(
      context_,
      [this, &function] {
        if (server_ != nullptr) {
          function(*server_);
        }
      },
      Qt::BlockingQueuedConnection);
}

void ThreadedSim::open(const std::string& content, std::uint64_t seed) {
  const program::MeasuringProgram program = parseOrFail(content);
  with([&program, seed](sim::SimServer& server) {
    server.setSeed(seed);
    server.openProgram(program, "test.kmp");
  });
}

void ThreadedSim::quit() {
  QMetaObject::invokeMethod(
      context_,
      [this] {
        delete server_;
        server_ = nullptr;
      },
      Qt::BlockingQueuedConnection);
}

LinkEnvironment::LinkEnvironment(const std::string& endpoint)
    : connector(simlink::makeSimLinkConnector(endpoint)), env{t.settings, t.files,
                                                              t.clock,    t.random,
                                                              t.prompts,  t.numbers,
                                                              *connector, t.env.programFolder} {}

std::string sampleText(const modGlobaleVariablen& g, std::size_t k) {
  std::ostringstream out;
  out << std::setprecision(17);
  const Stichprobe& sample = g.arrStichproben.at(k);
  for (std::size_t i = 1; i < sample.strMerkmal.size(); ++i) {
    out << (i > 1 ? " " : "") << sample.strMerkmal[i] << '=' << sample.dblMesswert.at(i);
  }
  return out.str();
}

std::string dimensionText(const std::vector<ScriptedCommand>& commands) {
  std::ostringstream out;
  out << std::setprecision(17);
  bool first = true;
  for (const ScriptedCommand& command : commands) {
    if (command.dimension) {
      out << (first ? "" : " ") << command.dimension->DimIdText << '='
          << command.dimension->DimMeasured;
      first = false;
    }
  }
  return out.str();
}

}  // namespace kvotlk::test
