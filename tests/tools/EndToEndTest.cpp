// The whole job with both programs as separate processes: an order confirmed in the
// converter, runs executed by kalvero-sim, the result file delivered into the target
// folder; a simulator killed in the middle of a run; the program ended over an open
// message. The converter's scripts and the expected files are in data/.
#include <gtest/gtest.h>

#include <QFile>
#include <algorithm>

#include "EndToEndRun.h"
#include "capture/CaptureMessages.h"

namespace kvotlk::test {
namespace {

// A message box's text as the driver reports it: CR LF is one line break, written \n.
std::string reported(const std::string& text) {
  return QString::fromStdString(text)
      .replace(QStringLiteral("\r\n"), QStringLiteral("\\n"))
      .toStdString();
}

QByteArray data(const std::string& name) {
  QFile file(QString::fromStdString(KVOTLK_E2E_DATA "/" + name));
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

struct EndToEndTest : ::testing::Test {
  void SetUp() override {
    ASSERT_TRUE(run.ready());
    sim = run.startSimulator();
    ASSERT_TRUE(sim);
  }
  void startConverter(const char* script) {
    std::vector<std::string> steps = orderSteps();
    std::ranges::copy(scriptSteps(script), std::back_inserter(steps));
    converter = run.startConverter(steps);
    expectConverter("MELDE ERFASSUNG");
  }
  // Fails with the converter's report, which tells where its script stopped.
  void expectConverter(const std::string& line) {
    ASSERT_TRUE(run.waitForConverter(line)) << line << "\n" << run.converterReport();
  }
  void expectClean() {
    EXPECT_EQ(converter->exitCode(kEndToEndWaitMs), 0) << converter->errors();
    EXPECT_EQ(run.converterReport().find("ABBRUCH"), std::string::npos);
  }

  EndToEndRun run;
  std::unique_ptr<SimProcess> sim;
  std::unique_ptr<SimProcess> converter;
};

TEST_F(EndToEndTest, ThreeRunsAreDeliveredByteForByte) {
  EXPECT_TRUE(QFile::exists(run.folder("tmp/kalvero-sim")));
  startConverter("drei-laeufe.skript");
  sim->write("warten\nausfuehren 3\n");
  ASSERT_TRUE(sim->waitForLine("FERTIG ausfuehren 3", kEndToEndWaitMs));
  run.signal("gemessen");
  expectConverter("MELDE GESENDET");
  expectClean();

  EXPECT_EQ(run.delivered(), data(kResultFile));
  EXPECT_TRUE(run.converterMessages().empty());
  // The handoff file went with the program; the staged copy after the delivery.
  EXPECT_EQ(run.files("Ziel"), QStringList{QString::fromUtf8(kResultFile)});
  EXPECT_EQ(run.files("Programm/TempData"), QStringList{QStringLiteral("TLDebug.txt")});
  EXPECT_EQ(run.debugLog(), data("TLDebug.txt")
                                .replace("@TEMPDATA@", run.folder("Programm/TempData").toUtf8())
                                .replace("@ZIEL@", run.folder("Ziel").toUtf8()));
}

TEST_F(EndToEndTest, AKilledSimulatorHaltsTheCaptureAndARestartedOneIsFound) {
  startConverter("abgebrochen.skript");
  // The first run at full speed, then a second with a pause after each event. The
  // simulator sends characteristic 103 a second after 102 was acknowledged, so when it is
  // killed there the converter holds two or three characteristics of sample 2.
  sim->write("warten\nausfuehren 1\ntakt 1000\nausfuehren 2\n");
  ASSERT_TRUE(waitUntil(
      [this] {
        return std::ranges::any_of(sim->lines(), [](const std::string& line) {
          return line.starts_with("Lauf 2: OnObjectExecuted Typ 1, Merkmal 103,");
        });
      },
      kEndToEndWaitMs));
  sim->kill();

  expectConverter("MELDE ABGELEHNT");
  EXPECT_EQ(run.converterMessages(),
            (std::vector<std::string>{reported(LostLinkMessage()), reported(SendQuestion()),
                                      "Kalvero muss zuerst gestartet sein."}));
  const QByteArray delivered = run.delivered();
  const auto characteristics = std::to_string(delivered.count("MERKMAL="));
  EXPECT_EQ(delivered, data("Ergebnis-2-Stichproben-" + characteristics + "-Merkmale.txt"));
  EXPECT_TRUE(run.debugLog().contains("\r\nKalvero Version \r\nstrTempPath = "));

  sim = run.startSimulator();
  ASSERT_TRUE(sim);
  run.signal("neu");
  expectConverter("MELDE ANGEMELDET");
  sim->write("warten\nausfuehren 1\n");
  expectClean();
  EXPECT_EQ(run.converterMessages().size(), 3U);
  EXPECT_EQ(run.files("Ziel"), QStringList{QString::fromUtf8(kResultFile)});
}

// The session ends while the capture's stop message is open: the program ends at once, as
// it does from its menu, and the handler waiting under the message does not go on.
TEST_F(EndToEndTest, EndingTheProgramWhileAMessageIsOpenIsClean) {
  startConverter("beenden-bei-meldung.skript");
  EXPECT_EQ(run.files("Ziel"), QStringList{QStringLiteral("TLValues.txt")});
  sim->kill();
  expectConverter("OK beende");
  expectClean();
  EXPECT_EQ(run.converterMessages(), std::vector<std::string>{reported(LostLinkMessage())});
  // The order handoff file went with the program; nothing was sent.
  EXPECT_TRUE(run.files("Ziel").isEmpty());
}

}  // namespace
}  // namespace kvotlk::test
