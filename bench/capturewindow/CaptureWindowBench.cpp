// The capture window at the pace of the link: kalvero-sim, a windowless process of its own,
// runs a measuring program of N plain dimensions 5 times (5 samples), and the converter
// captures it once with the capture window shown and once, in the same run and over the
// same link, with a view that shows nothing. Both take the time from the run command to
// the simulator's report that the last event was acknowledged, per dimension captured.
// Goals: the window adds at most 30 % (ratio <= 1.3 at 1,000 and 5,000 dimensions), and
// the cost per dimension does not grow with the number of dimensions. The converter's own
// processor time is printed beside them (cpu): the wall-clock figures include the
// simulator and the round trips, and they follow the load of the machine. A third capture
// has the window and the capture journal on the machine's disk (journal_ratio: its time
// over the window's without the journal; goal <= 1.1).
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>
#include <QWindow>
#include <array>
#include <cstdint>
#include <ctime>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "capture/CaptureEngine.h"
#include "capture/CaptureOrder.h"
#include "capture/CaptureView.h"
#include "capture/frm_TuL.h"
#include "common/Clock.h"
#include "common/Environment.h"
#include "common/FileSystem.h"
#include "common/LocaleNumbers.h"
#include "common/Prompts.h"
#include "journal/CaptureJournal.h"
#include "kalvero/modKVOFunctions.h"
#include "platform/simlink/SimLinkConnector.h"
#include "settings/SettingsStore.h"
#include "state/OrderForm.h"
#include "state/modGlobaleVariablen.h"

namespace kvotlk {
namespace {

constexpr int kSamples = 5;
// Generous: a run of 5,000 dimensions painted after every value takes most of a minute.
constexpr qint64 kWaitMs = 600000;

// Runs the event loop until the condition holds; false when it did not in time.
bool waitUntil(const std::function<bool()>& done) {
  QTimer wake;  // wakes the loop now and then to look at the limit
  wake.start(500);
  QElapsedTimer clock;
  clock.start();
  while (!done()) {
    if (clock.elapsed() > kWaitMs) {
      return false;
    }
    QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
  }
  return true;
}

// Answers every question with Yes and shows nothing.
class QuietPrompts final : public Prompts {
 public:
  void showStop(const std::string& /*text*/) override {}
  void showPlain(const std::string& /*text*/) override {}
  bool askYesNo(const std::string& /*text*/) override { return true; }
  bool askYesNoDefaultNo(const std::string& /*text*/) override { return true; }
};

// A measuring program of plain dimensions 1 to N in a folder of its own.
class ProgramFile {
 public:
  explicit ProgramFile(int dimensions) {
    QFile file(path());
    file.open(QIODevice::WriteOnly);
    file.write("Programm Bench.PRG\n");
    for (int i = 1; i <= dimensions; ++i) {
      file.write(QByteArray("Mass Merkmal=") + QByteArray::number(i) +
                 " Messwert=Normal(10; 0,01)\n");
    }
  }
  QString path() const { return folder_.filePath(QStringLiteral("bench.kmp")); }

 private:
  QTemporaryDir folder_;
};

// kalvero-sim, windowless, with the program open, reading commands from its input.
class Simulator {
 public:
  Simulator(const QString& program, const QString& endpoint) {
    QObject::connect(&process_, &QProcess::readyReadStandardOutput, [this] { read(); });
    process_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process_.start(QStringLiteral(KALVERO_SIM_PATH),
                   {QStringLiteral("--ohne-fenster"), QStringLiteral("--eingabe"),
                    QStringLiteral("--endpunkt"), endpoint, program});
    opened_ = waitUntil([this] { return !reports_.empty(); }) &&
              reports_.front().startsWith("FERTIG oeffnen");
  }
  ~Simulator() {
    process_.write("beenden\n");
    if (!process_.waitForFinished(5000)) {
      process_.kill();
      process_.waitForFinished();
    }
  }
  Simulator(const Simulator&) = delete;
  Simulator& operator=(const Simulator&) = delete;
  Simulator(Simulator&&) = delete;
  Simulator& operator=(Simulator&&) = delete;

  bool opened() const { return opened_; }
  // Gives the command and runs the event loop until the simulator reports it done.
  bool command(const QByteArray& line) {
    reports_.clear();
    process_.write(line + '\n');
    return waitUntil([this] { return !reports_.empty(); }) && reports_.front() == "FERTIG " + line;
  }

 private:
  // Keeps the lines that report a command done or refused; the log lines go.
  void read() {
    pending_ += process_.readAllStandardOutput();
    qsizetype start = 0;
    for (qsizetype end = pending_.indexOf('\n'); end >= 0; end = pending_.indexOf('\n', start)) {
      const QByteArray line = pending_.mid(start, end - start);
      if (line.startsWith("FERTIG ") || line.startsWith("FEHLER ")) {
        reports_.push_back(line);
      }
      start = end + 1;
    }
    pending_.remove(0, start);
  }

  QProcess process_;
  QByteArray pending_;
  std::vector<QByteArray> reports_;
  bool opened_ = false;
};

// The converter's side: every port but Kalvero as the program has it, Kalvero through the
// link to the simulator's endpoint.
struct Station {
  explicit Station(const std::string& endpoint)
      : kalvero(simlink::makeSimLinkConnector(endpoint)) {}

  MemorySettingsStore settings;
  std::unique_ptr<FileSystem> files = makeFileSystem();
  std::unique_ptr<Clock> clock = makeSystemClock();
  std::unique_ptr<RandomSource> random = makeSystemRandom();
  QuietPrompts prompts;
  PortableLocaleNumbers numbers = germanNumbers();
  std::unique_ptr<KvoConnector> kalvero;
  QTemporaryDir data;  // the journal's folder
  Environment env{settings, *files,        *clock,
                  *random,  prompts,       numbers,
                  *kalvero, "/opt/kvotlk", data.path().toStdString()};
  modGlobaleVariablen g;
};

// The time of one capture of 5 runs: wall-clock from the run command until the simulator
// had every event acknowledged, and the converter's processor time in it.
struct Cost {
  double seconds = 0;
  double cpuSeconds = 0;
  Cost& operator+=(const Cost& other) {
    seconds += other.seconds;
    cpuSeconds += other.cpuSeconds;
    return *this;
  }
};

// The cost, or nothing when the capture did not hold N values in each of 5 samples.
std::optional<Cost> captureRuns(Station& station, Simulator& sim, CaptureEngine& engine,
                                int dimensions, const std::function<int()>& rowsShown) {
  QElapsedTimer clock;
  const std::clock_t cpuBefore = std::clock();
  clock.start();
  const bool done = sim.command("ausfuehren " + QByteArray::number(kSamples));
  const Cost cost{static_cast<double>(clock.nsecsElapsed()) * 1e-9,
                  static_cast<double>(std::clock() - cpuBefore) / CLOCKS_PER_SEC};
  const bool complete = done && engine.state() == CaptureState::Sampling &&
                        station.g.intAnzStichproben == kSamples &&
                        station.g.intAnzMerkmale == dimensions && rowsShown() == dimensions + 1;
  return complete ? std::optional(cost) : std::nullopt;
}

// The capture window, with the capture journal in the data folder on the machine's disk
// when journaled (the window's tick flushes it, as in the program).
std::optional<Cost> withWindow(Station& station, Simulator& sim, int dimensions, bool journaled) {
  NullCaptureOrder order;
  std::unique_ptr<CaptureJournal> journal;
  if (journaled) {
    journal = CaptureJournal::Begin(station.env, OrderForm{}, "Bench", nullptr);
    if (!journal) {
      return std::nullopt;
    }
  }
  CaptureEngine engine(station.env, station.g, order, journal.get());
  frm_TuL window(engine);
  engine.Form_Load(window);
  window.showWindow();
  if (!waitUntil([&] { return window.windowHandle()->isExposed(); })) {
    return std::nullopt;
  }
  QCoreApplication::processEvents();
  auto cost = captureRuns(station, sim, engine, dimensions, [&] { return window.gridRowCount(); });
  if (journal) {
    journal->end();
  }
  return cost;
}

std::optional<Cost> withNullView(Station& station, Simulator& sim, int dimensions) {
  NullCaptureOrder order;
  CaptureEngine engine(station.env, station.g, order);
  NullCaptureView view;
  engine.Form_Load(view);
  return captureRuns(station, sim, engine, dimensions, [&] { return dimensions + 1; });
}

std::string uniqueEndpoint() {
  static int counter = 0;
  return "kvotlk-bench-" + std::to_string(QCoreApplication::applicationPid()) + "-" +
         std::to_string(++counter);
}

void BM_CaptureThroughSimulator(benchmark::State& state) {
  const int dimensions = static_cast<int>(state.range(0));
  const ProgramFile program(dimensions);
  const std::string endpoint = uniqueEndpoint();
  Simulator sim(program.path(), QString::fromStdString(endpoint));
  Station station(endpoint);
  station.g.intStichprobenumfang = kSamples;
  if (!sim.opened() || !ConnectToKvo(station.env, station.g) || !GetOpenPartProg(station.g)) {
    state.SkipWithError("kalvero-sim did not start with the program open");
    return;
  }
  // The window, the window with the journal, the null view: each goes first in turn, so
  // that a change of the machine's load weighs on all alike.
  std::array<Cost, 3> costs{};
  std::int64_t pairs = 0;
  for (auto _ : state) {
    double seconds = 0;
    for (int k = 0; k < 3; ++k) {
      const auto variant = static_cast<std::size_t>((pairs + k) % 3);
      const auto cost = variant == 2 ? withNullView(station, sim, dimensions)
                                     : withWindow(station, sim, dimensions, variant == 1);
      if (!cost) {
        state.SkipWithError("the capture did not hold every value");
        return;
      }
      costs[variant] += *cost;
      seconds += cost->seconds;
    }
    ++pairs;
    state.SetIterationTime(seconds);
  }
  const Cost& window = costs[0];
  const Cost& journaled = costs[1];
  const Cost& nullView = costs[2];
  const double perDimension = 1e6 / (static_cast<double>(pairs) * kSamples * dimensions);
  state.counters["window_us_per_dim"] = window.seconds * perDimension;
  state.counters["null_us_per_dim"] = nullView.seconds * perDimension;
  state.counters["ratio"] = window.seconds / nullView.seconds;
  state.counters["journal_us_per_dim"] = journaled.seconds * perDimension;
  state.counters["journal_ratio"] = journaled.seconds / window.seconds;
  state.counters["window_cpu_us_per_dim"] = window.cpuSeconds * perDimension;
  state.counters["null_cpu_us_per_dim"] = nullView.cpuSeconds * perDimension;
}

BENCHMARK(BM_CaptureThroughSimulator)
    ->Arg(100)
    ->Arg(1000)
    ->Arg(5000)
    ->UseManualTime()
    ->MinTime(10.0)
    ->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace kvotlk

// The windows need a Qt application; without a display they are drawn offscreen.
int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
  }
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
    return 1;
  }
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
