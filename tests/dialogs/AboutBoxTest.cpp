// The about box shows the program's icon (its title, version and notes, texts/frm_About.txt,
// and closing it: tests/cases/fenster/about-*.skript).
#include <gtest/gtest.h>

#include <QLabel>

#include "RecordingMainWindow.h"
#include "about/frm_About.h"
#include "app/WindowTestSupport.h"

namespace kvotlk::test {
namespace {

TEST(AboutBoxTest, ShowsTheProgramIcon) {
  const QIcon previous = QApplication::windowIcon();
  QPixmap drawn(32, 32);
  drawn.fill(Qt::darkBlue);
  QApplication::setWindowIcon(QIcon(drawn));
  TestEnvironment t;
  RecordingMainWindow main{t.env, t.g};
  WindowUnderTest<frm_About> about{new frm_About(main.engine)};
  QApplication::setWindowIcon(previous);
  EXPECT_EQ(child<QLabel>(*about.get(), "picIcon")->pixmap().toImage().pixelColor(16, 16),
            QColor(Qt::darkBlue));
}

}  // namespace
}  // namespace kvotlk::test
