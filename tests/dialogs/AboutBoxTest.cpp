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
#include "app/WindowTexts.h"

namespace kvotlk::test {
namespace {

// Title, version and notes: texts/frm_About.txt; the program's icon.
TEST(AboutBoxTest, ShowsTitleVersionNotesAndTheProgramIcon) {
  const QIcon previous = QApplication::windowIcon();
  QPixmap drawn(32, 32);
  drawn.fill(Qt::darkBlue);
  QApplication::setWindowIcon(QIcon(drawn));
  RecordingMainWindow main;
  WindowUnderTest<frm_About> about{new frm_About(main)};
  QApplication::setWindowIcon(previous);
  ExpectTexts(*about.get(), "frm_About");
  EXPECT_EQ(about.child<QLabel>("picIcon")->pixmap().toImage().pixelColor(16, 16),
            QColor(Qt::darkBlue));
}

// OK, Enter (either key) and Escape wherever the focus is, and the close box; other keys
// do nothing.
TEST(AboutBoxTest, EveryWayOfClosingShowsTheMainWindow) {
  using Close = std::function<void(frm_About&)>;
  const auto key = [](Qt::Key pressed, Qt::KeyboardModifier modifier = Qt::NoModifier) {
    return Close([=](frm_About& about) { QTest::keyClick(&about, pressed, modifier); });
  };
  const Close ways[] = {[](frm_About& about) { about.findChild<QPushButton*>("cmdOK")->click(); },
                        key(Qt::Key_Return),
                        key(Qt::Key_Enter, Qt::KeypadModifier),
                        key(Qt::Key_Escape),
                        [](frm_About& about) {
                          QTest::keyClick(about.findChild<QPushButton*>("cmdOK"), Qt::Key_Escape);
                        },
                        [](frm_About& about) { about.close(); }};
  for (std::size_t way = 0; way < std::size(ways); ++way) {
    SCOPED_TRACE(way);
    RecordingMainWindow main;
    WindowUnderTest<frm_About> about{new frm_About(main)};
    QTest::keyClick(about.get(), Qt::Key_A);
    EXPECT_TRUE(main.calls.empty());
    ways[way](*about.get());
    EXPECT_TRUE(about.closed());
    EXPECT_EQ(main.calls, std::vector<std::string>{"showMainWindow"});
  }
}

}  // namespace
}  // namespace kvotlk::test
