// kalvero-sim as its own process, as operators and scripts start it: what it says about
// its command line, a refused file and an endpoint that is taken. The converter working
// with it as a process is tests/tools/EndToEndTest.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "simlink/SimProcess.h"
#include "simlink/SimTestSupport.h"

namespace kvotlk::test {
namespace {

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
  std::ofstream(file) << "Programm A.PRG\nSchleifeEnde\n";
  QStringList list = arguments(endpoint, {"--ohne-fenster", "--beenden"});
  list << QString::fromStdString(file.string());
  SimProcess sim(list);
  EXPECT_EQ(sim.exitCode(), 1);
  const std::string expected = "FEHLER oeffnen " + file.string() + ": " + file.string() +
                               R"(, Zeile 2: "SchleifeEnde" ohne vorangehende "Schleife".)";
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

}  // namespace
}  // namespace kvotlk::test
