// kalvero-sim as its own process, as operators and scripts start it: the command line,
// standard input, the converter's link to it, and a simulator that is killed.
#include <gtest/gtest.h>

#include <QProcess>
#include <filesystem>
#include <fstream>

#include "capture/CaptureEngine.h"
#include "capture/CaptureView.h"
#include "capture/modKVOFunctions.h"
#include "entry/OrderConfirmation.h"
#include "entry/OrderFixture.h"
#include "program/ProgramExecutor.h"
#include "program/ProgramParser.h"
#include "simlink/SimProcess.h"
#include "simlink/SimTestSupport.h"

namespace kvotlk::test {
namespace {

const std::string kExample = std::string(KVOTLK_EXAMPLES_DIR) + "/01-Masse.kmp";

constexpr const char* kLostLink =
    "Kalvero antwortet nicht mehr.\r\n"
    "Die Erfassung wurde angehalten; es werden keine weiteren Messwerte übernommen.\r\n"
    "Die bisher erfassten Messwerte bleiben erhalten und können übertragen werden.";

QStringList arguments(const std::string& endpoint, std::initializer_list<const char*> more) {
  QStringList list{QStringLiteral("--endpunkt"), QString::fromStdString(endpoint)};
  for (const char* argument : more) {
    list << QString::fromUtf8(argument);
  }
  return list;
}

TEST(SimProcessTest, ARefusedFileIsReportedWithFileAndLine) {
  const std::string endpoint = uniqueEndpoint();
  const auto file = std::filesystem::temp_directory_path() / (endpoint + ".kmp");
  std::ofstream(file) << "Programm A.PRG\nMass Messwert=Normal(1; -1)\n";
  QStringList list = arguments(endpoint, {"--ohne-fenster", "--beenden"});
  list << QString::fromStdString(file.string());
  SimProcess sim(list);
  EXPECT_EQ(sim.exitCode(), 1);
  const std::string expected = "FEHLER oeffnen " + file.string() + ": " + file.string() +
                               ", Zeile 2: \"Messwert\": Die Standardabweichung darf nicht "
                               "negativ sein.";
  EXPECT_NE(std::find(sim.lines().begin(), sim.lines().end(), expected), sim.lines().end());
  std::filesystem::remove(file);
}

TEST(SimProcessTest, WrongArgumentsAndHelp) {
  SimProcess wrong({QStringLiteral("--ohne-fenster"), QStringLiteral("--laut")});
  EXPECT_EQ(wrong.exitCode(), 2);
  EXPECT_EQ(wrong.errors().substr(0, 28), "Unbekannte Option --laut.\n\nA");
  SimProcess help({QStringLiteral("--hilfe")});
  EXPECT_EQ(help.exitCode(), 0);
  ASSERT_FALSE(help.lines().empty());
  EXPECT_EQ(help.lines().front(), "Aufruf: kalvero-sim [Optionen] [Messprogramm]");
}

TEST(SimProcessTest, ASecondSimulatorOnTheEndpointIsRefused) {
  const std::string endpoint = uniqueEndpoint();
  SimProcess first(arguments(endpoint, {"--ohne-fenster"}));
  ASSERT_TRUE(first.waitForLine("BEREIT " + endpoint));
  SimProcess second(arguments(endpoint, {"--ohne-fenster"}));
  EXPECT_EQ(second.exitCode(), 3);
  EXPECT_EQ(second.errors(),
            "Unter dem Endpunkt \"" + endpoint + "\" läuft bereits ein Kalvero-Simulator.\n");
}

struct ProcessFixture : ::testing::Test {
  ProcessFixture() : endpoint(uniqueEndpoint()), link(endpoint) {
    link.t.g.strStandardDir = link.env.programFolder;
    link.t.g.varLaengeArtikelNr = "8";
    link.t.g.strNestIDVerwenden = "0";
  }

  std::unique_ptr<SimProcess> start(std::initializer_list<const char*> more) {
    QStringList list = arguments(endpoint, more);
    list << QStringLiteral("--eingabe") << QString::fromStdString(kExample);
    auto sim = std::make_unique<SimProcess>(list);
    EXPECT_TRUE(sim->waitForLine("FERTIG oeffnen " + kExample));
    return sim;
  }
  std::optional<OrderFailure> confirm() { return ConfirmOrder(link.env, link.t.g, form); }
  void openCapture() {
    engine = std::make_unique<CaptureEngine>(link.env, link.t.g, view, [] { return true; });
    engine->Form_Load();
  }
  std::string expectedSample(std::uint64_t run) const {
    const auto program = std::get<program::MeasuringProgram>(program::readProgramFile(kExample));
    return dimensionText(program::ProgramExecutor(program, 4711).run(run));
  }

  std::string endpoint;
  LinkEnvironment link;
  OrderForm form = ValidOrderForm();
  NullCaptureView view;
  std::unique_ptr<CaptureEngine> engine;
};

TEST_F(ProcessFixture, RunsStartedFromStandardInputReachTheCapture) {
  auto sim = start({});
  ASSERT_EQ(confirm(), std::nullopt);
  EXPECT_EQ(link.t.g.strMessprogrammName, "Welle-4711");
  openCapture();
  sim->write("warten\nausfuehren 3\n");
  ASSERT_TRUE(sim->waitForLine("FERTIG ausfuehren 3"));
  ASSERT_TRUE(waitUntil([this] { return link.t.g.intAnzStichproben == 3; }));
  spin(50);
  for (std::uint64_t run = 1; run <= 3; ++run) {
    EXPECT_EQ(sampleText(link.t.g, run), expectedSample(run));
  }
  EXPECT_TRUE(link.t.prompts.shown.empty());
  sim->write("beenden\n");
  EXPECT_EQ(sim->exitCode(), 0);
  ASSERT_TRUE(waitUntil([this] { return engine->state() == CaptureState::Halted; }));
  EXPECT_EQ(link.t.prompts.shown.size(), 1U);
}

TEST_F(ProcessFixture, AKilledSimulatorHaltsTheCaptureAndARestartedOneIsFound) {
  auto sim = start({"--takt", "30"});
  ASSERT_EQ(confirm(), std::nullopt);
  openCapture();
  sim->write("warten\nausfuehren 3\n");
  ASSERT_TRUE(waitUntil(
      [this] { return link.t.g.intAnzStichproben == 2 && link.t.g.intAnzMerkmale >= 2; }));
  sim->kill();
  ASSERT_TRUE(waitUntil([this] { return engine->state() == CaptureState::Halted; }));
  spin(100);
  ASSERT_EQ(link.t.prompts.shown.size(), 1U);
  EXPECT_EQ(link.t.prompts.shown[0].text, kLostLink);
  EXPECT_EQ(sampleText(link.t.g, 1), expectedSample(1));
  EXPECT_GE(link.t.g.intAnzMerkmale, 2);

  const auto refused = confirm();
  ASSERT_TRUE(refused);
  EXPECT_EQ(refused->message, "Kalvero muss zuerst gestartet sein.");
  auto restarted = start({});
  EXPECT_EQ(confirm(), std::nullopt);
  EXPECT_EQ(link.t.g.KvoApp->AppVersionText(), "Kalvero 5.2 (Simulator)");
}

}  // namespace
}  // namespace kvotlk::test
