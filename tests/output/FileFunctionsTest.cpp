#include <gtest/gtest.h>

#include "output/OutputFixture.h"
#include "output/modFileFunctions.h"

namespace kvotlk::test {
namespace {

const std::string kSource = sep() + "prog" + sep() + "TempData" + sep();
const std::string kTarget = sep() + "caq";
const std::string kBytes = "BEGINN_MESSUNG\r\n \r\nENDE_MESSUNG\r\n";

TEST(PathInFolder, OneSeparatorBetweenFolderAndName) {
  EXPECT_EQ(PathInFolder(kTarget, "x.txt"), kTarget + sep() + "x.txt");
  EXPECT_EQ(PathInFolder(kTarget + sep(), "x.txt"), kTarget + sep() + "x.txt");
  EXPECT_EQ(PathInFolder("D:" + sep(), "x.txt"), "D:" + sep() + "x.txt");
  EXPECT_EQ(PathInFolder(sep(), "x.txt"), sep() + "x.txt");
}

// A copy that reads back other bytes is held by SendFaults in tests/reliability; every
// other way the copy fails, by the send's fault injection.
TEST(CopyFileToFolder, TheFileArrivesCompleteOrAFileOfTheNameIsKept) {
  struct Case {
    const char* what;
    std::string folder;
    std::string before;  // file lying under the name, or "~" for a stale temporary file
    CopyResult result;
    std::string after;  // the file under its name afterwards
  };
  const Case cases[] = {
      {"clean", kTarget, "", CopyResult::Copied, kBytes},
      {"trailing separator", kTarget + sep(), "", CopyResult::Copied, kBytes},
      {"stale temporary file", kTarget, "~", CopyResult::Copied, kBytes},
      {"name taken", kTarget, "alt", CopyResult::NameTaken, "alt"},
      {"no target folder", kTarget + sep() + "fehlt", "", CopyResult::TargetFolderMissing, ""},
  };
  for (const Case& c : cases) {
    FakeFileSystem files;
    files.addFile(kSource + "R.txt", kBytes);
    files.addFolder(kTarget);
    if (c.before == "~") {
      files.addFile(kTarget + sep() + "~R.txt.tmp", "Rest eines Abbruchs");
    } else if (!c.before.empty()) {
      files.addFile(kTarget + sep() + "R.txt", c.before);
    }
    SequenceRandom random;
    EXPECT_EQ(CopyFileIntoFolder(files, random, "R.txt", c.folder, kSource), c.result) << c.what;
    EXPECT_EQ(files.content(kTarget + sep() + "R.txt"), c.after) << c.what;
    Names left = c.after.empty() ? Names{} : Names{"R.txt"};
    if (c.before == "~") {
      left.push_back("~R.txt.tmp");  // another writer's: left alone
    }
    EXPECT_EQ(files.filesIn(kTarget), left) << c.what;
    EXPECT_EQ(files.content(kSource + "R.txt"), kBytes);
  }
}

}  // namespace
}  // namespace kvotlk::test
