// A corner no case can reach: an empty standard folder (its files would lie in the root of
// the machine the cases run on).
#include <gtest/gtest.h>

#include "common/Paths.h"
#include "entry/OrderFixture.h"
#include "entry/OrderValuesFile.h"

namespace kvotlk::test {
namespace {

// Joined with an empty folder the handoff file's name points into the root of the drive,
// where a file of that name is not the program's: nothing is written or deleted there.
TEST(Corners, AnEmptyStandardFolderLeavesTheRootAlone) {
  OrderFixture f;
  const std::string inRoot = joinPath("", "TLValues.txt");
  f.files.addFile(inRoot, "fremd");
  f.g.strStandardDir.clear();
  DeleteLeftoverValuesFile(f.env, f.g);
  SaveOrderValues(f.env, f.g, f.form);
  DeleteValuesFile(f.env, f.g);
  EXPECT_EQ(f.files.content(inRoot), "fremd");
  EXPECT_EQ(f.g.strValuesFile, "");
  ASSERT_EQ(f.prompts.shown.size(), 1U);
  EXPECT_EQ(f.prompts.shown[0].text, ValuesFileFailureMessage(inRoot));
}

}  // namespace
}  // namespace kvotlk::test
