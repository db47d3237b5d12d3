// The example measuring programs run through the fake CMM software and the capture
// engine: each captures what its comments promise.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "app/modGlobaleVariablen.h"
#include "capture/CaptureEngine.h"
#include "capture/CaptureView.h"
#include "capture/modKVOFunctions.h"
#include "program/ProgramExecutor.h"
#include "program/ProgramParser.h"
#include "support/TestEnvironment.h"

namespace kvotlk::program {
namespace {

const std::filesystem::path kExamples = KVOTLK_EXAMPLES_DIR;

MeasuringProgram example(const char* name) {
  auto result = readProgramFile(kExamples / name);
  if (const auto* error = std::get_if<ProgramError>(&result)) {
    ADD_FAILURE() << error->text();
    return {};
  }
  return std::get<MeasuringProgram>(result);
}

// The IDs of each captured sample, "101 102" per sample.
std::vector<std::string> capturedIds(const modGlobaleVariablen& g) {
  std::vector<std::string> samples;
  for (std::size_t k = 1; k < g.arrStichproben.size(); ++k) {
    std::string ids;
    for (std::size_t i = 1; i < g.arrStichproben[k].strMerkmal.size(); ++i) {
      ids += (i > 1 ? " " : "") + g.arrStichproben[k].strMerkmal[i];
    }
    samples.push_back(ids);
  }
  return samples;
}

struct Capture {
  explicit Capture(const MeasuringProgram& program, const char* schleife = "0") {
    t.setSetting("SCHLEIFE", schleife);
    app = t.kalvero.start();
    app->openPartProgram(program.partProgName);
    ConnectToKvo(t.env, t.g);
    GetOpenPartProg(t.g);
    t.g.intStichprobenumfang = 3;
    engine.Form_Load();
  }

  test::TestEnvironment t;
  std::shared_ptr<FakeKvoApplication> app;
  NullCaptureView view;
  CaptureEngine engine{t.env, t.g, view, [] { return true; }};
};

struct ExampleCase {
  const char* file;
  const char* schleife;
  int runs;
  std::vector<std::string> samples;
};

TEST(ExamplesTest, EachExampleCapturesWhatItPromises) {
  const ExampleCase cases[] = {
      {"01-Masse.kmp",
       "0",
       3,
       {"101 102 103 104 105", "101 102 103 104 105", "101 102 103 104 105"}},
      {"02-Bloecke-ID-Liste.kmp", "0", 2, {"101 102 104 200 201", "101 102 104 200 201"}},
      {"03-Schleife.kmp", "1", 1, {"301 302", "301 302", "301 302"}},
      {"03-Schleife.kmp", "0", 1, {"301 302 301 302 301 302"}},
      {"04-Feldwerte.kmp", "0", 1, {"401 402 403"}},
      {"05-Feld165.kmp", "0", 1, {"501 520 503"}},
  };
  for (const ExampleCase& c : cases) {
    SCOPED_TRACE(std::string(c.file) + " SCHLEIFE=" + c.schleife);
    const MeasuringProgram program = example(c.file);
    Capture capture(program, c.schleife);
    const ProgramExecutor executor(program, chooseSeed(program, std::nullopt));
    for (int run = 1; run <= c.runs; ++run) {
      capture.app->run(executor.run(static_cast<std::uint64_t>(run)));
    }
    EXPECT_EQ(capturedIds(capture.t.g), c.samples);
    EXPECT_TRUE(capture.t.prompts.shown.empty());
  }
  // Every example has its case here.
  for (const auto& entry : std::filesystem::directory_iterator(kExamples)) {
    const std::string name = entry.path().filename().string();
    EXPECT_TRUE(!name.ends_with(".kmp") ||
                std::any_of(std::begin(cases), std::end(cases),
                            [&name](const ExampleCase& c) { return c.file == name; }))
        << name;
  }
}

TEST(ExamplesTest, CapturedValuesAreTheDrawnOnes) {
  const MeasuringProgram program = example("04-Feldwerte.kmp");
  Capture capture(program);
  const ProgramExecutor executor(program, 99);
  const auto commands = executor.run(1);
  capture.app->run(commands);
  const Stichprobe& sample = capture.t.g.arrStichproben.at(1);
  ASSERT_EQ(sample.dblMesswert.size(), 4U);
  EXPECT_EQ(sample.dblMesswert[1], commands[0].field662);
  EXPECT_EQ(sample.dblMesswert[2], commands[1].field662);
  EXPECT_EQ(sample.dblMesswert[3], commands[2].dimension->DimMeasured);
  EXPECT_GE(sample.dblMesswert[2], 0.8);
  EXPECT_LE(sample.dblMesswert[2], 1.2);
}

}  // namespace
}  // namespace kvotlk::program
