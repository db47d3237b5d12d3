#include "simlink/SimTestSupport.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QTimer>
#include <atomic>
#include <iomanip>
#include <sstream>

#include <gtest/gtest.h>

#include "capture/modKVOFunctions.h"
#include "entry/OrderConfirmation.h"
#include "entry/OrderFixture.h"
#include "platform/simlink/SimLinkConnector.h"
#include "program/ProgramParser.h"

namespace kvotlk::test {
namespace {

program::MeasuringProgram linkProgram() {
  return std::get<program::MeasuringProgram>(program::parseProgram(kLinkProgram, "test.kmp"));
}

std::string entries(const std::vector<std::string>& ids, const std::vector<double>& values) {
  std::ostringstream out;
  out << std::setprecision(17);
  for (std::size_t i = 0; i < ids.size(); ++i) {
    out << (i > 0 ? " " : "") << ids[i] << '=' << values[i];
  }
  return out.str();
}

}  // namespace

// The tick wakes the waiting event loop, so that conditions on other threads and
// processes are looked at without spinning: on a machine of two cores a busy test would
// take the time the programs under test need.
bool waitUntil(const std::function<bool()>& condition, int timeoutMs) {
  const QDeadlineTimer deadline(timeoutMs);
  QTimer tick;
  tick.start(5);
  while (!condition()) {
    if (deadline.hasExpired()) {
      return false;
    }
    QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
  }
  return true;
}

std::string uniqueEndpoint() {
  static std::atomic<int> counter = 0;
  return "kvotlk-test-" + std::to_string(QCoreApplication::applicationPid()) + "-" +
         std::to_string(++counter);
}

std::string expectedSample(std::uint64_t seed, std::uint64_t run) {
  std::vector<std::string> ids;
  std::vector<double> values;
  for (const ScriptedCommand& command : program::ProgramExecutor(linkProgram(), seed).run(run)) {
    if (command.dimension) {
      ids.push_back(command.dimension->DimIdText);
      values.push_back(command.dimension->DimMeasured);
    } else if (command.CmdTypeCode == 184) {
      ids.push_back(command.CmdIdText);
      values.push_back(command.field662);
    }
  }
  return entries(ids, values);
}

ThreadedSim::ThreadedSim(const std::string& endpoint, std::uint64_t seed) : context_(new QObject) {
  context_->moveToThread(&thread_);
  thread_.start();
  QMetaObject::invokeMethod(
      context_,
      [this, endpoint] {
        server_ = new sim::SimServer(endpoint);
        std::string reason;
        EXPECT_TRUE(server_->listen(reason)) << reason;
      },
      Qt::BlockingQueuedConnection);
  open(seed);
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

void ThreadedSim::open(std::uint64_t seed) {
  with([seed](sim::SimServer& server) {
    server.setSeed(seed);
    server.openProgram(linkProgram(), "test.kmp");
  });
}

Converter::Converter(const std::string& endpoint)
    : connector(simlink::makeSimLinkConnector(endpoint)), env(environment(t.prompts)) {
  t.g.strStandardDir = env.programFolder;
  t.g.varLaengeArtikelNr = "8";
  t.g.strNestIDVerwenden = "0";
}

std::string Converter::confirm() {
  OrderForm form = ValidOrderForm();
  form.txt_Probenumfang = "3";
  const auto refused = ConfirmOrder(env, t.g, form);
  return refused ? refused->message : std::string();
}

std::string Converter::confirmAndCapture(Prompts* prompts) {
  if (std::string refused = confirm(); !refused.empty()) {
    return refused;
  }
  ResetSamples(t.g);
  captureEnv =
      std::make_unique<Environment>(environment(prompts != nullptr ? *prompts : t.prompts));
  engine = std::make_unique<CaptureEngine>(*captureEnv, t.g, view, [this] {
    sentSamples = t.g.intAnzStichproben;
    return true;
  });
  engine->Form_Load();
  return {};
}

std::vector<std::string> Converter::messages() const {
  std::vector<std::string> texts;
  for (const ShownPrompt& shown : t.prompts.shown) {
    texts.push_back(shown.text);
  }
  return texts;
}

std::string Converter::sample(std::size_t k) const {
  const Stichprobe& sample = t.g.arrStichproben.at(k);
  return entries({sample.strMerkmal.begin() + 1, sample.strMerkmal.end()},
                 {sample.dblMesswert.begin() + 1, sample.dblMesswert.end()});
}

}  // namespace kvotlk::test
