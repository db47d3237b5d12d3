#include <gtest/gtest.h>

#include <QApplication>
#include <QFrame>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QtTest/QTest>
#include <functional>

#include "RecordingMainWindow.h"
#include "WindowTesting.h"
#include "about/frm_About.h"

namespace kvotlk::test {
namespace {

TEST(AboutBoxTest, ShowsTitleVersionNotesAndTheProgramIcon) {
  const QIcon previous = QApplication::windowIcon();
  QPixmap drawn(32, 32);
  drawn.fill(Qt::darkBlue);
  QApplication::setWindowIcon(QIcon(drawn));
  RecordingMainWindow main;
  WindowUnderTest<frm_About> about{new frm_About(main)};
  QApplication::setWindowIcon(previous);
  EXPECT_EQ(about.child<QLabel>("picIcon")->pixmap().toImage().pixelColor(16, 16),
            QColor(Qt::darkBlue));
  EXPECT_EQ(str(about->windowTitle()), "Info zu Kalvero - Tessmer & Lund Konverter");
  EXPECT_EQ(str(about.child<QLabel>("lblTitle")->text()), "Kalvero - Tessmer & Lund Konverter");
  EXPECT_EQ(str(about.child<QLabel>("lblVersion")->text()), "Version 1.2011.115");
  EXPECT_EQ(str(about.child<QLabel>("lblDescription")->text()),
            "Überträgt Messwerte aus Kalvero in das Ergebnisformat von Tessmer & Lund.");
  EXPECT_EQ(str(about.child<QLabel>("Label1")->text()),
            "Dieses Produkt wurde für Kalvero Version 3.7 entwickelt. Bei der Verwendung dieses "
            "Produktes mit einer aktuelleren Kalvero Version, kann eine Aktualisierung dieses "
            "Produktes notwendig werden. Hierfür besteht kein Anspruch gegenüber dem Lieferanten "
            "oder Hersteller.");
  EXPECT_EQ(str(about.child<QLabel>("lblCopyRight")->text()), "Copyright © 2026 Solvik Germany");
  EXPECT_EQ(str(about.child<QLabel>("Label2")->text()), "");
  EXPECT_EQ(about->findChildren<QFrame*>("Line1").size(), 2);
  EXPECT_EQ(str(about.child<QPushButton>("cmdOK")->text()), "OK");
  EXPECT_TRUE(about.child<QPushButton>("cmdOK")->isDefault());
  EXPECT_TRUE(main.calls.empty());
}

TEST(AboutBoxTest, EveryWayOfClosingShowsTheMainWindow) {
  const std::vector<std::pair<std::string, std::function<void(frm_About*)>>> ways{
      {"OK", [](frm_About* about) { about->findChild<QPushButton*>("cmdOK")->click(); }},
      {"Enter", [](frm_About* about) { QTest::keyClick(about, Qt::Key_Return); }},
      {"Enter on the keypad",
       [](frm_About* about) { QTest::keyClick(about, Qt::Key_Enter, Qt::KeypadModifier); }},
      {"Escape", [](frm_About* about) { QTest::keyClick(about, Qt::Key_Escape); }},
      {"Escape on the button",
       [](frm_About* about) {
         QTest::keyClick(about->findChild<QPushButton*>("cmdOK"), Qt::Key_Escape);
       }},
      {"close box", [](frm_About* about) { about->close(); }}};
  for (const auto& [way, close] : ways) {
    RecordingMainWindow main;
    WindowUnderTest<frm_About> about{new frm_About(main)};
    QTest::keyClick(about.get(), Qt::Key_A);
    EXPECT_TRUE(main.calls.empty()) << "other keys do nothing";
    close(about.get());
    EXPECT_TRUE(about.closed()) << way;
    EXPECT_EQ(main.calls, std::vector<std::string>{"showMainWindow"}) << way;
  }
}

}  // namespace
}  // namespace kvotlk::test
