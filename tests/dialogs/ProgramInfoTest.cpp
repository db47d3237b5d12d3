#include <gtest/gtest.h>

#include "about/ProgramInfo.h"
#include "output/modTuLOutput.h"

namespace kvotlk::test {
namespace {

TEST(ProgramInfoTest, VersionNumbersWithoutLeadingZerosOrWidths) {
  EXPECT_EQ(VersionCaption(2, 0, 7), "Version 2.0.7");
  EXPECT_EQ(VersionCaption(1, 2011, 115), "Version 1.2011.115");
  EXPECT_EQ(ProgramVersionCaption(), "Version 1.2011.115");
  EXPECT_EQ(ProgramVersionCaption(), "Version " + ProgramVersionText());
}

TEST(ProgramInfoTest, DescriptionAndCopyrightAreSingleLines) {
  for (const std::string_view text : {kProgramDescription, kProgramCopyright}) {
    EXPECT_FALSE(text.empty());
    EXPECT_EQ(text.find_first_of("\r\n"), std::string_view::npos) << text;
  }
  EXPECT_EQ(kProgramCopyright, "Copyright © 2026 Solvik Germany");
}

}  // namespace
}  // namespace kvotlk::test
