// Events per second through the capture engine: runs of 10,000 dimension commands from
// the fake CMM software, shown nowhere; with the capture journal on the machine's disk
// (flushed after every run, as the window's tick would) and without.
#include <benchmark/benchmark.h>

#include <filesystem>

#include <memory>
#include <string>
#include <vector>

#include "capture/CaptureEngine.h"
#include "capture/CaptureOrder.h"
#include "capture/CaptureView.h"
#include "common/Clock.h"
#include "common/Environment.h"
#include "common/FileSystem.h"
#include "common/LocaleNumbers.h"
#include "common/Paths.h"
#include "common/Prompts.h"
#include "fake-kalvero/FakeKalvero.h"
#include "journal/CaptureJournal.h"
#include "kalvero/modKVOFunctions.h"
#include "settings/SettingsStore.h"
#include "state/OrderForm.h"
#include "state/modGlobaleVariablen.h"

namespace kvotlk {
namespace {

constexpr int kCommandsPerRun = 10000;

// Answers every question with Yes and shows nothing.
class QuietPrompts final : public Prompts {
 public:
  void showStop(const std::string& /*text*/) override {}
  void showPlain(const std::string& /*text*/) override {}
  bool askYesNo(const std::string& /*text*/) override { return true; }
  bool askYesNoDefaultNo(const std::string& /*text*/) override { return true; }
};

struct Workstation {
  Workstation() { std::filesystem::create_directories(data); }
  ~Workstation() {
    std::error_code ignored;
    std::filesystem::remove_all(data, ignored);
  }

  std::filesystem::path data =
      std::filesystem::temp_directory_path() / "kvotlk-capture-bench-journal";
  MemorySettingsStore settings;
  std::unique_ptr<FileSystem> files = makeFileSystem();
  std::unique_ptr<Clock> clock = makeSystemClock();
  std::unique_ptr<RandomSource> random = makeSystemRandom();
  QuietPrompts prompts;
  PortableLocaleNumbers numbers = germanNumbers();
  FakeKvoConnector kalvero;
  Environment env{settings, *files,  *clock,        *random,     prompts,
                  numbers,  kalvero, "/opt/kvotlk", toUtf8(data)};
  modGlobaleVariablen g;
};

// Dimension commands with the IDs 1 to 10000, or without IDs of their own after a block
// start whose "ID" list names them.
std::vector<CommandRecord> DimensionRun(bool inBlockWithList) {
  std::vector<CommandRecord> script;
  std::string list;
  for (int i = 1; i <= kCommandsPerRun; ++i) {
    const std::string id = std::to_string(i);
    script.push_back(CommandRecord::Dimension(inBlockWithList ? std::string() : id, i * 0.001));
    list += (i > 1 ? "," : "") + id;
  }
  if (inBlockWithList) {
    script.insert(script.begin(), {CommandRecord::Text("ID", list), CommandRecord::Plain(1000)});
  }
  return script;
}

void CaptureRuns(benchmark::State& state, bool inBlockWithList, bool journaled) {
  Workstation w;
  const auto app = w.kalvero.start();
  app->openPartProgram("Welle.kvp");
  ConnectToKvo(w.env, w.g);
  GetOpenPartProg(w.g);
  w.g.intStichprobenumfang = 1;
  NullCaptureView view;
  NullCaptureOrder order;
  std::unique_ptr<CaptureJournal> journal;
  if (journaled) {
    journal = CaptureJournal::Begin(w.env, OrderForm{}, "Welle", nullptr);
    if (!journal) {
      state.SkipWithError("the journal cannot be written");
      return;
    }
  }
  CaptureEngine engine(w.env, w.g, order, journal.get());
  engine.Form_Load(view);
  const auto commands = app->makeCommands(DimensionRun(inBlockWithList));
  const int eventsPerRun = static_cast<int>(commands.size()) + 1;
  const auto callsBefore = app->life->calls;
  const int totalBefore = app->life->totalCalls();

  for (auto _ : state) {
    app->run(commands);
    engine.JournalTick();
    // Each run starts a new sample; dropping it again keeps the memory of the capture flat.
    state.PauseTiming();
    engine.CmdLoeschen_Click();
    state.ResumeTiming();
  }
  if (w.g.arrStichproben.size() != 1 || engine.state() != CaptureState::Ready) {
    state.SkipWithError("the capture did not run as planned");
  }
  // Every automation call crosses into Kalvero's process while it waits: an event reads
  // each property at most once, and a dimension costs at most eight calls.
  const double events = static_cast<double>(state.iterations()) * eventsPerRun;
  for (const auto& [operation, count] : app->life->calls) {
    const auto before = callsBefore.find(operation);
    if (count - (before == callsBefore.end() ? 0 : before->second) > events) {
      state.SkipWithError("an automation property was read twice for one event");
    }
  }
  if (static_cast<double>(app->life->totalCalls() - totalBefore) > 8 * events) {
    state.SkipWithError("an event cost more than eight automation calls");
  }
  state.counters["events/s"] = benchmark::Counter(
      static_cast<double>(state.iterations()) * eventsPerRun, benchmark::Counter::kIsRate);
  state.counters["calls/event"] = static_cast<double>(app->life->totalCalls()) /
                                  (static_cast<double>(state.iterations()) * eventsPerRun);
}

void BM_DimensionRuns(benchmark::State& state) { CaptureRuns(state, false, false); }
void BM_DimensionRunsInBlockWithIdList(benchmark::State& state) { CaptureRuns(state, true, false); }
void BM_DimensionRunsJournaled(benchmark::State& state) { CaptureRuns(state, false, true); }

BENCHMARK(BM_DimensionRuns)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DimensionRunsInBlockWithIdList)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DimensionRunsJournaled)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace kvotlk

BENCHMARK_MAIN();
