// The program icon drawn for the windows is the icon of the executable: kvotlk.ico holds
// the same pictures at the sizes Windows asks for. Antialiasing may round a channel by one
// on another machine; a moved line or curve changes many pixels by far more.
#include <gtest/gtest.h>

#include <QImageReader>
#include <cstdlib>

#include "app/ProgramIcon.h"

namespace kvotlk {
namespace {

TEST(ProgramIcon, TheIconFileHoldsTheDrawnIconAtEachSize) {
  QImageReader file(QStringLiteral(KVOTLK_ICON_FILE));
  ASSERT_EQ(file.imageCount(), 6);
  for (int i = 0; i < file.imageCount(); ++i) {
    ASSERT_TRUE(file.jumpToImage(i));
    const QImage stored = file.read().convertToFormat(QImage::Format_ARGB32);
    const QImage drawn = ProgramIconImage(stored.width()).convertToFormat(QImage::Format_ARGB32);
    ASSERT_EQ(stored.size(), drawn.size());
    int largest = 0;
    for (qsizetype byte = 0; byte < stored.sizeInBytes(); ++byte) {
      largest = std::max(largest, std::abs(stored.constBits()[byte] - drawn.constBits()[byte]));
    }
    EXPECT_LE(largest, 2) << stored.width();
  }
}

}  // namespace
}  // namespace kvotlk
