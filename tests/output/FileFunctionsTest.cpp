#include <gtest/gtest.h>

#include "output/OutputFixture.h"
#include "output/modFileFunctions.h"

namespace kvotlk::test {
namespace {

const std::string kSource = sep() + "prog" + sep() + "TempData" + sep();
const std::string kTarget = sep() + "caq";
const std::string kBytes = "BEGINN_MESSUNG\r\n \r\nENDE_MESSUNG\r\n";

struct CopyWorld {
  CopyWorld() {
    files.addFile(kSource + "R.txt", kBytes);
    files.addFolder(kTarget);
  }
  CopyResult copy() { return CopyFileIntoFolder(files, "R.txt", kTarget, kSource); }
  std::vector<std::string> targetFiles() const { return files.filesIn(kTarget); }

  FakeFileSystem files;
  const std::string delivered = kTarget + sep() + "R.txt";
  const std::string temporary = kTarget + sep() + "~R.txt.tmp";
};

bool isTemporary(const FsCall& call, FsOp op) {
  return call.op == op && call.path.ends_with("~R.txt.tmp");
}

TEST(PathInFolder, OneSeparatorBetweenFolderAndName) {
  EXPECT_EQ(PathInFolder(kTarget, "x.txt"), kTarget + sep() + "x.txt");
  EXPECT_EQ(PathInFolder(kTarget + sep(), "x.txt"), kTarget + sep() + "x.txt");
  EXPECT_EQ(PathInFolder("D:" + sep(), "x.txt"), "D:" + sep() + "x.txt");
  EXPECT_EQ(PathInFolder(sep(), "x.txt"), sep() + "x.txt");
}

TEST(CopyFileToFolder, DeliversTheSameBytesAndLeavesNoTemporaryFile) {
  CopyWorld w;
  EXPECT_TRUE(CopyFileToFolder(w.files, "R.txt", kTarget + sep(), kSource));
  EXPECT_EQ(w.files.content(w.delivered), kBytes);
  EXPECT_EQ(w.files.content(kSource + "R.txt"), kBytes);
  EXPECT_EQ(w.targetFiles(), std::vector<std::string>{"R.txt"});
  // The file reaches its name by a rename of the complete temporary file.
  EXPECT_EQ(w.files.calls.back().op, FsOp::Rename);
}

TEST(CopyFileToFolder, MissingTargetFolderCopiesNothing) {
  CopyWorld w;
  EXPECT_EQ(CopyFileIntoFolder(w.files, "R.txt", kTarget + sep() + "fehlt", kSource),
            CopyResult::TargetFolderMissing);
  EXPECT_EQ(w.files.calls.size(), 1U);
}

TEST(CopyFileToFolder, ExistingFileOfTheNameIsKept) {
  CopyWorld w;
  w.files.addFile(w.delivered, "alt");
  EXPECT_EQ(w.copy(), CopyResult::NameTaken);
  EXPECT_EQ(w.files.content(w.delivered), "alt");
  EXPECT_EQ(w.targetFiles(), std::vector<std::string>{"R.txt"});
}

TEST(CopyFileToFolder, StaleTemporaryFileIsOverwritten) {
  CopyWorld w;
  w.files.addFile(w.temporary, "Rest eines Abbruchs");
  EXPECT_EQ(w.copy(), CopyResult::Copied);
  EXPECT_EQ(w.files.content(w.delivered), kBytes);
  EXPECT_EQ(w.targetFiles(), std::vector<std::string>{"R.txt"});
}

TEST(CopyFileToFolder, BytesThatDoNotReadBackNeverGetTheName) {
  CopyWorld w;
  // The share hands back other bytes than were written.
  w.files.failWhen = [&w](const FsCall& c) {
    if (isTemporary(c, FsOp::ReadFile)) {
      w.files.files[c.path].back() = 'X';
    }
    return false;
  };
  EXPECT_EQ(w.copy(), CopyResult::NotVerified);
  EXPECT_TRUE(w.targetFiles().empty());
}

}  // namespace
}  // namespace kvotlk::test
