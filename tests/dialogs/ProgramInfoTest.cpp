#include <gtest/gtest.h>

#include "about/ProgramInfo.h"

namespace kvotlk::test {
namespace {

// The texts themselves are held by the about box test and the version resource test.
TEST(ProgramInfoTest, VersionNumbersWithoutLeadingZerosOrWidths) {
  EXPECT_EQ(VersionCaption(2, 0, 7), "Version 2.0.7");
}

}  // namespace
}  // namespace kvotlk::test
