// The driver fills in, clicks, answers message boxes and waits, inside a Qt program that
// knows nothing of it, loaded through Qt's generic plugins.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>

#include "DriverSupport.h"

namespace kvotlk::test {
namespace {

QString readAll(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

TEST(DriverTest, DrivesAProgramThroughItsWindows) {
  QTemporaryDir folder;
  ASSERT_TRUE(folder.isValid());
  const QString output = folder.filePath(QStringLiteral("ausgabe.txt"));
  const QString go = folder.filePath(QStringLiteral("weiter"));
  const QString script = folder.filePath(QStringLiteral("skript.txt"));
  writeScript(script, {"# Auftrag eingeben", "warte-fenster frm_Eingabe", "setze txt_Artikel A-100",
                       "waehle combo_Pruefer (12)    Name", "hake chkNest 1", "klicke cmd_OK",
                       "antworte Ja", "warte-text lblCurrentProbe 3", "melde ERFASST",
                       "warte-datei " + go.toStdString(), "klicke CmdSendData", "antworte OK",
                       "warte-fenster frm_Eingabe", "beende"});
  QProcess program;
  program.setProcessEnvironment(drivenEnvironment(script));
  program.start(QStringLiteral(DRIVER_DUMMY_PATH), {output});
  ASSERT_TRUE(waitForLine(script, "MELDE ERFASST"));
  EXPECT_FALSE(QFile::exists(output));
  QFile(go).open(QIODevice::WriteOnly);
  ASSERT_TRUE(program.waitForFinished(60000));
  EXPECT_EQ(program.exitCode(), 0);
  EXPECT_EQ(readAll(output).toStdString(), "A-100|(12)    Name|2");
  const std::string expected =
      "OK warte-fenster frm_Eingabe\n"
      "OK setze txt_Artikel A-100\n"
      "OK waehle combo_Pruefer (12)    Name\n"
      "OK hake chkNest 1\n"
      "OK klicke cmd_OK\n"
      "MELDUNG Weiter?\\r\\nWirklich?\n"
      "OK antworte Ja\n"
      "OK warte-text lblCurrentProbe 3\n"
      "MELDE ERFASST\n"
      "OK melde ERFASST\n"
      "OK warte-datei " +
      go.toStdString() +
      "\n"
      "OK klicke CmdSendData\n"
      "MELDUNG Gesendet.\n"
      "OK antworte OK\n"
      "OK warte-fenster frm_Eingabe\n"
      "OK beende\n";
  EXPECT_EQ(readAll(script + QStringLiteral(".bericht")).toStdString(), expected);
}

TEST(DriverTest, ReportsAStepThatDoesNotFit) {
  QTemporaryDir folder;
  const QString script = folder.filePath(QStringLiteral("skript.txt"));
  writeScript(script, {"hake txt_Artikel 1", "beende"});
  QProcess program;
  program.setProcessEnvironment(drivenEnvironment(script));
  program.start(QStringLiteral(DRIVER_DUMMY_PATH), {folder.filePath(QStringLiteral("x"))});
  ASSERT_TRUE(waitForLine(script, "ABBRUCH hake txt_Artikel 1: passt nicht zu QLineEdit"));
  program.kill();
  program.waitForFinished();
}

}  // namespace
}  // namespace kvotlk::test
