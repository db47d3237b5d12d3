// The simulator's window: what it shows of the program, its buttons, its log.
#include <gtest/gtest.h>

#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>

#include "kalvero-sim/SimWindow.h"
#include "simlink/SimTestSupport.h"

namespace kvotlk::test {
namespace {

constexpr const char* kProgram =
    "Programm Welle.PRG\n"
    "Mass Merkmal=101 Messwert=Normal(10; 0,01)\n"
    "Schleife 2\n"
    "Feldwert Id=7 Feld662=Gleich(1; 2)\n"
    "SchleifeEnde\n";

struct WindowFixture : ::testing::Test {
  WindowFixture() : server(uniqueEndpoint()), window(server) {
    server.onLog = [this](const std::string& line) { window.appendLog(line); };
    server.onChange = [this] { window.refresh(); };
  }

  template <typename Widget>
  Widget* find(const char* name) {
    auto* widget = window.findChild<Widget*>(QString::fromUtf8(name));
    EXPECT_NE(widget, nullptr) << name;
    return widget;
  }
  std::string text(const char* label) { return find<QLabel>(label)->text().toStdString(); }
  bool enabled(const char* button) { return find<QPushButton>(button)->isEnabled(); }

  sim::SimServer server;
  sim::SimWindow window;
};

// Before a program is opened and after it is closed, the window says so and offers only to
// open one; a file it refused is shown with the reason.
TEST_F(WindowFixture, ShowsThatNoProgramIsOpenAndWhyAFileWasRefused) {
  EXPECT_EQ(window.windowTitle().toStdString(), "Kalvero-Simulator");
  EXPECT_EQ(find<QPushButton>("cmdAusfuehren")->text().toStdString(), "Programm ausführen");
  EXPECT_EQ(find<QPushButton>("cmdSchliessen")->text().toStdString(), "Programm schließen");
  for (int pass = 0; pass < 2; ++pass) {
    EXPECT_EQ(text("lblProgramm"), "Kein Messprogramm geöffnet.");
    EXPECT_FALSE(enabled("cmdAusfuehren"));
    EXPECT_FALSE(enabled("cmdSchliessen"));
    EXPECT_FALSE(enabled("cmdAbbrechen"));
    EXPECT_TRUE(enabled("cmdOeffnen"));
    EXPECT_EQ(find<QTableWidget>("tblBefehle")->rowCount(), 0);
    server.openProgram(parseOrFail(kProgram), "welle.kmp");
    find<QPushButton>("cmdSchliessen")->click();
    EXPECT_EQ(server.currentProgram(), nullptr);
  }
  EXPECT_TRUE(find<QLabel>("lblFehler")->isHidden());
  server.openProgramFile("/nicht/da.kmp");
  EXPECT_FALSE(find<QLabel>("lblFehler")->isHidden());
  EXPECT_EQ(text("lblFehler"), server.loadError());
}

TEST_F(WindowFixture, ShowsTheProgramAndItsCommands) {
  server.openProgram(parseOrFail(kProgram), "welle.kmp");
  EXPECT_EQ(text("lblProgramm"), "Messprogramm: Welle.PRG   (welle.kmp)");
  auto* table = find<QTableWidget>("tblBefehle");
  ASSERT_EQ(table->rowCount(), 4);
  EXPECT_EQ(table->horizontalHeaderItem(5)->text().toStdString(), "Messwert");
  EXPECT_EQ(table->item(0, 5)->text().toStdString(), "Normal(10; 0,01)");
  EXPECT_EQ(table->item(1, 1)->text().toStdString(), "Schleife 2");
  EXPECT_EQ(table->item(2, 10)->text().toStdString(), "Gleich(1; 2)");
  EXPECT_EQ(table->item(3, 0)->text().toStdString(), "5");
  EXPECT_EQ(table->item(3, 1)->text().toStdString(), "SchleifeEnde");
  EXPECT_TRUE(enabled("cmdAusfuehren"));
  EXPECT_TRUE(enabled("cmdSchliessen"));
}

TEST_F(WindowFixture, RunsAsOftenAsAskedAndLogsWhatItSent) {
  server.openProgram(parseOrFail(kProgram), "welle.kmp");
  find<QSpinBox>("spnLaeufe")->setValue(2);
  find<QPushButton>("cmdAusfuehren")->click();
  EXPECT_FALSE(enabled("cmdAusfuehren"));
  EXPECT_TRUE(enabled("cmdAbbrechen"));
  ASSERT_TRUE(waitUntil([this] { return !server.running(); }));
  EXPECT_EQ(server.runsStarted(), 2U);
  const QStringList lines =
      find<QPlainTextEdit>("txtProtokoll")->toPlainText().split(QLatin1Char('\n'));
  ASSERT_EQ(lines.size(), 1 + 2 * 7);
  EXPECT_TRUE(lines[1].endsWith(QStringLiteral(" Lauf 1: OnStartExecution Welle.PRG")));
  EXPECT_TRUE(
      lines[3].contains(QStringLiteral("Lauf 1: OnObjectExecuted Typ 2, Textbefehl "
                                       "SchleifeAnfang \"1\"")));
  EXPECT_EQ(lines[1].mid(2, 1), QStringLiteral(":"));
  EXPECT_TRUE(enabled("cmdAusfuehren"));
  EXPECT_NE(text("lblStatus").find("Läufe: 2"), std::string::npos);
}

}  // namespace
}  // namespace kvotlk::test
