// kalvero-sim as operators and scripts start it: its command line, the commands of its
// script and what it prints for each, an endpoint that is taken, and a peer that does not
// speak the protocol.
#include <gtest/gtest.h>

#include <QFile>
#include <QLocalSocket>
#include <QProcess>

#include "simlink/SimTestSupport.h"

namespace kvotlk::test {
namespace {

// kalvero-sim without its window in the data folder, with the arguments.
void start(QProcess& process, const QStringList& arguments) {
  process.setWorkingDirectory(QStringLiteral(KVOTLK_SIMLINK_DATA));
  process.start(QStringLiteral(KALVERO_SIM_PATH), QStringList{"--ohne-fenster"} + arguments);
  EXPECT_TRUE(process.waitForStarted());
}

// Waits for the end; the exit code, or -1 when it did not end.
int exitCode(QProcess& process) { return process.waitForFinished(20000) ? process.exitCode() : -1; }

QByteArray data(const char* name) {
  QFile file(QStringLiteral(KVOTLK_SIMLINK_DATA "/") + QString::fromUtf8(name));
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// What it prints: its runs with the values drawn, a refused file with its line, and every
// command done or refused in the order given; a refused command makes the exit code 1.
TEST(KalveroSimTest, FollowsItsCommandLineAndScript) {
  const QString endpoint = QString::fromStdString(uniqueEndpoint());
  QProcess sim;
  start(sim,
        {"--eingabe", "--endpunkt", endpoint, "--startwert", "5", "--ausfuehren", "1", "kurz.kmp"});
  sim.write(data("kalvero-sim.skript"));
  sim.closeWriteChannel();
  EXPECT_EQ(exitCode(sim), 1);
  EXPECT_EQ(
      sim.readAllStandardOutput().toStdString(),
      ("BEREIT " + endpoint + "\n").toStdString() + data("kalvero-sim.ausgabe").toStdString());
}

TEST(KalveroSimTest, RefusesWrongArgumentsAndATakenEndpoint) {
  QProcess wrong;
  start(wrong, {"--laut"});
  EXPECT_EQ(exitCode(wrong), 2);
  EXPECT_TRUE(wrong.readAllStandardError().startsWith("Unbekannte Option --laut.\n\nAufruf"));

  const QString endpoint = QString::fromStdString(uniqueEndpoint());
  QProcess first;
  start(first, {"--endpunkt", endpoint});
  ASSERT_TRUE(first.waitForReadyRead(20000));
  QProcess second;
  start(second, {"--endpunkt", endpoint});
  EXPECT_EQ(exitCode(second), 3);
  EXPECT_EQ(QString::fromUtf8(second.readAllStandardError()),
            "Unter dem Endpunkt \"" + endpoint + "\" läuft bereits ein Kalvero-Simulator.\n");
  first.kill();
  first.waitForFinished();
}

TEST(KalveroSimTest, APeerWithAnEndlessLineIsCutOff) {
  const std::string endpoint = uniqueEndpoint();
  sim::SimServer server(endpoint);
  std::string lastLog;
  server.onLog = [&lastLog](const std::string& line) { lastLog = line; };
  std::string reason;
  ASSERT_TRUE(server.listen(reason)) << reason;
  QLocalSocket peer;
  peer.connectToServer(QString::fromStdString(endpoint));
  ASSERT_TRUE(peer.waitForConnected(1000));
  const std::string endless(simlink::kMaxLineLength + 10, 'x');
  peer.write(endless.data(), static_cast<qint64>(endless.size()));
  EXPECT_TRUE(waitUntil([&peer] { return peer.state() == QLocalSocket::UnconnectedState; }));
  EXPECT_EQ(lastLog,
            "Verbindung getrennt: Die Gegenstelle spricht nicht das Protokoll des Simulators.");
}

}  // namespace
}  // namespace kvotlk::test
