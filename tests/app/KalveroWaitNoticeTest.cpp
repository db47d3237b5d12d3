#include <gtest/gtest.h>

#include "app/KalveroWaitNotice.h"

namespace kvotlk {
namespace {

// Shown above the windows while a call waits for Kalvero, hidden when the wait ends.
TEST(KalveroWaitNotice, ShowsWhileACallWaitsForKalvero) {
  KalveroWaitNotice notice;
  notice.setWaiting(true);
  EXPECT_TRUE(notice.isVisible());
  EXPECT_TRUE(notice.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
  EXPECT_EQ(notice.text(), "Warte auf Kalvero … Bitte den offenen Dialog in Kalvero schließen.");
  notice.setWaiting(false);
  EXPECT_FALSE(notice.isVisible());
}

}  // namespace
}  // namespace kvotlk
