// The whole job with both programs as separate processes: an order confirmed in the
// converter, runs executed by kalvero-sim, the result file delivered into the target
// folder; and a simulator killed in the middle of a run.
#include <gtest/gtest.h>

#include <QFile>
#include <algorithm>

#include "EndToEndRun.h"
#include "capture/CaptureMessages.h"
#include "simlink/SimTestSupport.h"

namespace kvotlk::test {
namespace {

constexpr const char* kNotStarted = "Kalvero muss zuerst gestartet sein.";

// A message box's text as the driver reports it: the box shows CR LF as one line break,
// which the report writes \n.
std::string reported(const std::string& text) {
  return QString::fromStdString(text)
      .replace(QStringLiteral("\r\n"), QStringLiteral("\\n"))
      .toStdString();
}

QByteArray expectedFile() {
  QFile file(QStringLiteral(KVOTLK_E2E_EXPECTED_DIR "/Ergebnis.txt"));
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The expected file of three runs cut to its first samples and characteristics: what a
// capture of the same runs that ended early delivers.
QByteArray cutTo(const QByteArray& full, int samples, int characteristics) {
  QByteArray cut;
  int block = 0;
  int value = 0;
  bool inValues = false;
  for (const QByteArray& line : full.split('\n')) {
    if (line.startsWith("UMFANG=")) {
      ++block;
      value = 0;
    }
    const bool kept = (block <= characteristics || line == "ENDE_MESSUNG\r") &&
                      !(inValues && line != "ENDE_WERTE\r" && ++value > samples);
    inValues = (inValues || line == "BEGINN_WERTE\r") && line != "ENDE_WERTE\r";
    if (!kept || line.isEmpty()) {
      continue;
    }
    cut += line.startsWith("UMFANG=") ? "UMFANG=" + QByteArray::number(samples) + "\r" : line;
    cut += '\n';
  }
  return cut;
}

// What the debug log of the delivered send holds, the paths as this session builds them.
QByteArray expectedLog(const IsolatedSession& session) {
  const QByteArray staging = session.stagingFolder().toUtf8() + "/";
  const QByteArrayList lines{"Debug gestartet von T&L Konverter Version 1.2011.115",
                             "Kalvero Version Kalvero 5.2 (Simulator)",
                             "strTempPath = " + staging,
                             "strTempPath existiert nun",
                             "Fester Dateiname ist aktiv",
                             "Dateiname lautet: Ergebnis.txt",
                             "strTempFile lautet: " + staging + "Ergebnis.txt",
                             "intFileNumber lautet: 2",
                             "intAnzNachkomma = 4",
                             "i =1",
                             "i =2",
                             "i =3",
                             "i =4",
                             "i =5",
                             "Datei wird in das Zielverzeichnis kopiert",
                             "Zielverzeichnis: " + session.targetFolder().toUtf8(),
                             "Temp Verzeichnis: " + staging,
                             "Dateiname: Ergebnis.txt",
                             "Temp Datei wird gel\xF6scht"};
  return lines.join("\r\n") + "\r\n";
}

struct EndToEndTest : ::testing::Test {
  void SetUp() override { ASSERT_TRUE(run.ready()); }

  // Fails with the converter's report, which tells where its script stopped.
  void expectConverter(const std::string& line) {
    ASSERT_TRUE(run.waitForConverter(line)) << line << "\n" << run.converterReport();
  }
  void expectClean(SimProcess& converter) {
    EXPECT_EQ(converter.exitCode(kEndToEndWaitMs), 0) << converter.errors();
    EXPECT_EQ(run.converterReport().find("ABBRUCH"), std::string::npos);
  }

  EndToEndRun run;
};

TEST_F(EndToEndTest, ThreeRunsAreDeliveredByteForByte) {
  auto sim = run.startSimulator();
  ASSERT_TRUE(sim);
  // The fixed endpoint is a socket in this run's own temporary folder, so that the
  // converter finds this run's simulator and no other.
  EXPECT_TRUE(QFile::exists(run.session().endpointSocket()));
  std::vector<std::string> steps = orderSteps();
  steps.insert(steps.end(), {"klicke cmd_OK", "warte-fenster frm_TuL", "melde ERFASSUNG",
                             "warte-datei " + run.signalPath("gemessen"), "klicke CmdSendData",
                             "warte-fenster frm_Eingabe", "melde GESENDET", "beende"});
  auto converter = run.startConverter(steps);
  expectConverter("MELDE ERFASSUNG");
  sim->write("warten\nausfuehren 3\n");
  ASSERT_TRUE(sim->waitForLine("FERTIG ausfuehren 3", kEndToEndWaitMs));
  run.signal("gemessen");
  expectConverter("MELDE GESENDET");
  expectClean(*converter);

  EXPECT_EQ(run.delivered(), expectedFile());
  EXPECT_TRUE(run.converterMessages().empty());
  // The handoff file went with the program; the staged copy after the delivery.
  EXPECT_EQ(run.targetFiles(), QStringList{QString::fromUtf8(kResultFile)});
  EXPECT_EQ(run.stagingFiles(), QStringList{QStringLiteral("TLDebug.txt")});
  EXPECT_EQ(run.debugLog(), expectedLog(run.session()));
}

TEST_F(EndToEndTest, AKilledSimulatorHaltsTheCaptureAndARestartedOneIsFound) {
  auto sim = run.startSimulator();
  ASSERT_TRUE(sim);
  std::vector<std::string> steps = orderSteps();
  steps.insert(steps.end(),
               {"klicke cmd_OK", "warte-fenster frm_TuL", "melde ERFASSUNG",
                // the capture halts
                "antworte OK", "klicke CmdSendData", "antworte Nein", "warte-fenster frm_Eingabe",
                "melde GESENDET",
                // no simulator
                "klicke cmd_OK", "antworte OK", "melde ABGELEHNT",
                // a new one
                "warte-datei " + run.signalPath("neu"), "klicke cmd_OK", "warte-fenster frm_TuL",
                "melde ANGEMELDET", "warte-text lblCurrentProbe 1", "schliesse frm_TuL",
                "warte-fenster frm_Eingabe", "beende"});
  auto converter = run.startConverter(steps);
  expectConverter("MELDE ERFASSUNG");
  // The first run at full speed, then a second with a pause after each event. The
  // simulator sends characteristic 103 a second after 102 was acknowledged, so when it is
  // killed there the converter holds at least two characteristics of sample 2.
  sim->write("warten\nausfuehren 1\ntakt 1000\nausfuehren 2\n");
  ASSERT_TRUE(waitUntil(
      [&sim] {
        return std::any_of(sim->lines().begin(), sim->lines().end(), [](const std::string& line) {
          return line.starts_with("Lauf 2: OnObjectExecuted Typ 1, Merkmal 103,");
        });
      },
      kEndToEndWaitMs));
  sim->kill();

  expectConverter("MELDE ABGELEHNT");
  EXPECT_EQ(run.converterMessages(),
            (std::vector<std::string>{reported(LostLinkMessage()), reported(SendQuestion()),
                                      kNotStarted}));
  const QByteArray delivered = run.delivered();
  const int characteristics = static_cast<int>(delivered.count("MERKMAL="));
  EXPECT_GE(characteristics, 2);
  EXPECT_EQ(delivered, cutTo(expectedFile(), 2, characteristics));
  EXPECT_TRUE(run.debugLog().contains("\r\nKalvero Version \r\nstrTempPath = "));

  auto restarted = run.startSimulator();
  ASSERT_TRUE(restarted);
  run.signal("neu");
  expectConverter("MELDE ANGEMELDET");
  restarted->write("warten\nausfuehren 1\n");
  expectClean(*converter);
  EXPECT_EQ(run.converterMessages().size(), 3U);
  EXPECT_EQ(run.targetFiles(), QStringList{QString::fromUtf8(kResultFile)});
}

// The session ends while the capture's stop message is open: the program ends at once, as
// it does from its menu, and the handler waiting under the message does not go on.
TEST_F(EndToEndTest, EndingTheProgramWhileAMessageIsOpenIsClean) {
  auto sim = run.startSimulator();
  ASSERT_TRUE(sim);
  std::vector<std::string> steps = orderSteps();
  steps.insert(steps.end(), {"klicke cmd_OK", "warte-fenster frm_TuL", "melde ERFASSUNG",
                             "warte-meldung", "beende"});
  auto converter = run.startConverter(steps);
  expectConverter("MELDE ERFASSUNG");
  EXPECT_EQ(run.targetFiles(), QStringList{QStringLiteral("TLValues.txt")});
  sim->kill();
  expectConverter("OK beende");
  expectClean(*converter);
  EXPECT_EQ(run.converterMessages(), std::vector<std::string>{reported(LostLinkMessage())});
  // The order handoff file went with the program; nothing was sent.
  EXPECT_TRUE(run.targetFiles().isEmpty());
}

}  // namespace
}  // namespace kvotlk::test
