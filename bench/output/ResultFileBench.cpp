// Writing the result file of 2,000 characteristics x 500 samples, against the bare
// minimum of formatting the same values with std::to_chars and writing them.
#include <benchmark/benchmark.h>

#include <charconv>
#include <filesystem>
#include <iostream>
#include <map>
#include <random>

#include "common/Clock.h"
#include "common/Environment.h"
#include "common/FileSystem.h"
#include "common/LocaleNumbers.h"
#include "common/Paths.h"
#include "common/Prompts.h"
#include "fake-kalvero/FakeKalvero.h"
#include "output/ResultFileText.h"
#include "output/modTuLOutput.h"
#include "settings/SettingsStore.h"
#include "settings/modRegistrierung.h"
#include "state/OrderForm.h"
#include "state/modGlobaleVariablen.h"
#include "support/ExampleOrder.h"

namespace kvotlk {
namespace {

constexpr int kCharacteristics = 2000;
constexpr int kSamples = 500;
constexpr int kDecimals = 3;

const modGlobaleVariablen& capturedData() {
  static const modGlobaleVariablen g = [] {
    modGlobaleVariablen data;
    data.strRegistryRoot = std::string(kRegistryRoot);
    test::setExampleOrderVariables(data);
    data.intAnzMerkmale = kCharacteristics;
    data.intAnzStichproben = kSamples;
    std::mt19937 engine(4711);
    std::uniform_real_distribution<double> value(-50.0, 250.0);
    for (int j = 1; j <= kSamples; ++j) {
      Stichprobe sample;
      for (int i = 1; i <= kCharacteristics; ++i) {
        sample.strMerkmal.push_back(std::to_string(100000 + i));
        sample.dblMesswert.push_back(value(engine));
      }
      data.arrStichproben.push_back(std::move(sample));
    }
    return data;
  }();
  return g;
}

std::filesystem::path benchFolder() {
  static const std::filesystem::path folder = [] {
    auto path = std::filesystem::temp_directory_path() / "kvotlk-output-bench";
    std::filesystem::remove_all(path);
    std::filesystem::create_directories(path / "caq");
    return path;
  }();
  return folder;
}

class SilentPrompts final : public Prompts {
 public:
  void showStop(const std::string& text) override { std::cerr << text << '\n'; }
  void showPlain(const std::string& text) override { std::cerr << text << '\n'; }
  bool askYesNo(const std::string& /*text*/) override { return false; }
  bool askYesNoDefaultNo(const std::string& /*text*/) override { return false; }
};

void BM_BareMinimum(benchmark::State& state) {
  const auto& g = capturedData();
  auto files = makeFileSystem();
  const auto path = benchFolder() / "bare.txt";
  for (auto _ : state) {
    std::string buffer(static_cast<std::size_t>(kCharacteristics) * kSamples * 24, '\0');
    char* out = buffer.data();
    char* const end = buffer.data() + buffer.size();
    for (int i = 1; i <= kCharacteristics; ++i) {
      for (int j = 1; j <= kSamples; ++j) {
        const double v =
            g.arrStichproben[static_cast<std::size_t>(j)].dblMesswert[static_cast<std::size_t>(i)];
        out = std::to_chars(out, end, v, std::chars_format::fixed, kDecimals).ptr;
        *out++ = '\r';
        *out++ = '\n';
      }
    }
    buffer.resize(static_cast<std::size_t>(out - buffer.data()));
    benchmark::DoNotOptimize(writeWholeFile(*files, path, buffer));
  }
}

void BM_ResultFile(benchmark::State& state) {
  const auto& g = capturedData();
  auto files = makeFileSystem();
  const auto path = benchFolder() / "result.txt";
  const OrderForm form;
  for (auto _ : state) {
    const auto text = ResultFileText(g, form, ValueFormat{kDecimals, ","});
    benchmark::DoNotOptimize(writeWholeFile(*files, path, *text));
  }
}

// The whole send: log, staged file, copy with read-back, rename, delete.
void BM_WholeSend(benchmark::State& state) {
  const auto& g = capturedData();
  MemorySettingsStore settings;
  auto files = makeFileSystem();
  auto clock = makeSystemClock();
  auto random = makeSystemRandom();
  SilentPrompts prompts;
  PortableLocaleNumbers numbers = germanNumbers();
  FakeKvoConnector kalvero;
  Environment env{settings, *files,  *clock,  *random,
                  prompts,  numbers, kalvero, toUtf8(benchFolder())};
  settings.write(SettingPath(g.strRegistryRoot, kConfigSection, "DIR"),
                 toUtf8(benchFolder() / "caq"));
  settings.write(SettingPath(g.strRegistryRoot, kConfigSection, "RANDOM"), std::string(1, '1'));
  const OrderForm form;
  for (auto _ : state) {
    if (WriteResultFile(env, g, form) != SendOutcome::Delivered) {
      state.SkipWithError("send failed");
      break;
    }
  }
}

// Prints the ratio of the result file to the bare minimum after the runs, in real and
// in CPU time (the median when repeated). Real time includes the flush to disk.
class RatioReporter final : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& run : runs) {
      if (!run.aggregate_name.empty() && run.aggregate_name != "median") {
        continue;  // with repetitions, the median stands for the run
      }
      const std::string name = run.benchmark_name();
      const std::string base = name.substr(0, name.find('/'));
      seconds_[base] = run.GetAdjustedRealTime() * 1e-3;
      cpuSeconds_[base] = run.GetAdjustedCPUTime() * 1e-3;
    }
    ConsoleReporter::ReportRuns(runs);
  }
  void Finalize() override {
    ConsoleReporter::Finalize();
    print("real", seconds_);
    print("CPU", cpuSeconds_);
  }

 private:
  static void print(const char* clock, std::map<std::string, double>& seconds) {
    const double bare = seconds["BM_BareMinimum"];
    const double result = seconds["BM_ResultFile"];
    if (bare > 0 && result > 0) {
      std::cout << "Result file (" << clock << "): " << result << " s, bare minimum: " << bare
                << " s, ratio: " << result / bare << '\n';
    }
  }

  std::map<std::string, double> seconds_;
  std::map<std::string, double> cpuSeconds_;
};

BENCHMARK(BM_BareMinimum)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_ResultFile)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_WholeSend)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
}  // namespace kvotlk

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  kvotlk::RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  std::filesystem::remove_all(std::filesystem::temp_directory_path() / "kvotlk-output-bench");
  return 0;
}
