// The about box: title, version and notes (texts/frm_About.txt), the program's icon, and
// every way of closing it.
#include <gtest/gtest.h>

#include <QLabel>
#include <QPushButton>
#include <QTest>

#include "RecordingMainWindow.h"
#include "about/frm_About.h"
#include "app/WindowTestSupport.h"

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
  ExpectTexts(*about.get(), "frm_About");
  EXPECT_EQ(child<QLabel>(*about.get(), "picIcon")->pixmap().toImage().pixelColor(16, 16),
            QColor(Qt::darkBlue));
}

// OK (space on the button), Enter (either key) and Escape wherever the focus is, and the
// close box; other keys do nothing.
TEST(AboutBoxTest, EveryWayOfClosingShowsTheMainWindow) {
  for (const auto& [target, key] : {std::pair{"cmdOK", Qt::Key_Space},
                                    {"", Qt::Key_Return},
                                    {"", Qt::Key_Enter},
                                    {"", Qt::Key_Escape},
                                    {"cmdOK", Qt::Key_Escape},
                                    {"", Qt::Key_unknown}}) {
    SCOPED_TRACE(std::string(target) + " " + std::to_string(key));
    RecordingMainWindow main;
    WindowUnderTest<frm_About> about{new frm_About(main)};
    QTest::keyClick(about.get(), Qt::Key_A);
    EXPECT_TRUE(main.calls.empty());
    QWidget* on = *target != 0 ? child(*about.get(), target) : about.get();
    key == Qt::Key_unknown
        ? static_cast<void>(about->close())
        : QTest::keyClick(on, key, key == Qt::Key_Enter ? Qt::KeypadModifier : Qt::NoModifier);
    EXPECT_TRUE(about.closed());
    EXPECT_EQ(main.calls, Names{"showMainWindow"});
  }
}

}  // namespace
}  // namespace kvotlk::test
