// The simulator's window: the program and its commands, the run button and the log, and
// what it shows once the program is closed or a file was refused.
#include <gtest/gtest.h>

#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>

#include "kalvero-sim/SimWindow.h"
#include "program/ProgramParser.h"
#include "simlink/SimTestSupport.h"

namespace kvotlk::test {
namespace {

constexpr const char* kProgram =
    "Programm Welle.PRG\n"
    "Mass Merkmal=101 Messwert=Normal(10; 0,01)\n"
    "Schleife 2\n"
    "Feldwert Id=7 Feld662=Gleich(1; 2)\n"
    "SchleifeEnde\n";

template <typename Widget>
Widget* child(const QWidget& window, const char* name) {
  auto* widget = window.findChild<Widget*>(QString::fromUtf8(name));
  EXPECT_NE(widget, nullptr) << name;
  return widget;
}

TEST(SimWindowTest, ShowsTheProgramRunsItAndClosesIt) {
  sim::SimServer server(uniqueEndpoint());
  sim::SimWindow window(server);
  server.onLog = [&window](const std::string& line) { window.appendLog(line); };
  server.onChange = [&window] { window.refresh(); };
  auto* table = child<QTableWidget>(window, "tblBefehle");
  auto* program = child<QLabel>(window, "lblProgramm");
  auto* run = child<QPushButton>(window, "cmdAusfuehren");
  auto* error = child<QLabel>(window, "lblFehler");

  server.openProgram(std::get<program::MeasuringProgram>(program::parseProgram(kProgram, "")),
                     "welle.kmp");
  EXPECT_EQ(program->text().toStdString(), "Messprogramm: Welle.PRG   (welle.kmp)");
  ASSERT_EQ(table->rowCount(), 4);
  EXPECT_EQ(table->item(2, 10)->text().toStdString(), "Gleich(1; 2)");
  EXPECT_EQ(table->item(3, 1)->text().toStdString(), "SchleifeEnde");

  child<QSpinBox>(window, "spnLaeufe")->setValue(2);
  run->click();
  EXPECT_FALSE(run->isEnabled());
  ASSERT_TRUE(waitUntil([&server] { return !server.running(); }));
  EXPECT_EQ(server.runsStarted(), 2U);
  EXPECT_TRUE(run->isEnabled());
  // The opening and seven lines a run: its start, five commands, its end.
  EXPECT_EQ(child<QPlainTextEdit>(window, "txtProtokoll")->toPlainText().count(QLatin1Char('\n')),
            2 * 7);

  child<QPushButton>(window, "cmdSchliessen")->click();
  EXPECT_EQ(program->text().toStdString(), "Kein Messprogramm geöffnet.");
  EXPECT_EQ(table->rowCount(), 0);
  EXPECT_FALSE(run->isEnabled());
  EXPECT_TRUE(error->isHidden());
  server.openProgramFile("/nicht/da.kmp");
  EXPECT_FALSE(error->isHidden());
  EXPECT_EQ(error->text().toStdString(), server.loadError());
}

}  // namespace
}  // namespace kvotlk::test
