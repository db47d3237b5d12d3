// The program icon drawn for the windows is the icon of the executable: kvotlk.ico holds
// the same pictures at the sizes Windows asks for. Antialiasing may round a channel by one
// on another machine; a moved line or curve changes many pixels by far more.
#include <gtest/gtest.h>

#include <QColor>
#include <QImageReader>
#include <cstdlib>

#include "app/ProgramIcon.h"

namespace kvotlk {
namespace {

int largestDifference(const QImage& a, const QImage& b) {
  int largest = a.size() == b.size() ? 0 : 255;
  for (int y = 0; largest < 255 && y < a.height(); ++y) {
    for (int x = 0; x < a.width(); ++x) {
      const QColor p = a.pixelColor(x, y);
      const QColor q = b.pixelColor(x, y);
      largest = std::max({largest, std::abs(p.red() - q.red()), std::abs(p.green() - q.green()),
                          std::abs(p.blue() - q.blue()), std::abs(p.alpha() - q.alpha())});
    }
  }
  return largest;
}

TEST(ProgramIcon, TheIconFileHoldsTheDrawnIconAtEachSize) {
  QImageReader file(QStringLiteral(KVOTLK_ICON_FILE));
  ASSERT_EQ(file.imageCount(), 6);
  for (int i = 0; i < file.imageCount(); ++i) {
    ASSERT_TRUE(file.jumpToImage(i));
    const QImage stored = file.read();
    EXPECT_LE(largestDifference(stored, ProgramIconImage(stored.width())), 2) << stored.width();
  }
}

}  // namespace
}  // namespace kvotlk
