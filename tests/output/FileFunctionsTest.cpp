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

TEST(CopyFileToFolder, TargetEqualToSourceFails) {
  CopyWorld w;
  EXPECT_FALSE(CopyFileToFolder(w.files, "R.txt", kSource, kSource));
  EXPECT_EQ(w.files.filesIn(kSource), std::vector<std::string>{"R.txt"});
  EXPECT_EQ(w.files.content(kSource + "R.txt"), kBytes);
}

TEST(CopyFileToFolder, StaleTemporaryFileIsOverwritten) {
  CopyWorld w;
  w.files.addFile(w.temporary, "Rest eines Abbruchs");
  EXPECT_EQ(w.copy(), CopyResult::Copied);
  EXPECT_EQ(w.files.content(w.delivered), kBytes);
  EXPECT_EQ(w.targetFiles(), std::vector<std::string>{"R.txt"});
}

TEST(CopyFileToFolder, FailuresRemoveTheTemporaryFileAndLeaveTheNameFree) {
  struct Case {
    const char* what;
    std::function<bool(const FsCall&)> fail;
    CopyResult result;
  };
  const Case cases[] = {
      {"source unreadable",
       [](const FsCall& c) { return c.op == FsOp::ReadFile && c.path.ends_with("TempData/R.txt"); },
       CopyResult::SourceUnreadable},
      {"create", [](const FsCall& c) { return isTemporary(c, FsOp::CreateFile); },
       CopyResult::WriteFailed},
      {"disk full", [](const FsCall& c) { return isTemporary(c, FsOp::Write); },
       CopyResult::WriteFailed},
      {"flush", [](const FsCall& c) { return isTemporary(c, FsOp::Close); },
       CopyResult::WriteFailed},
      {"read back", [](const FsCall& c) { return isTemporary(c, FsOp::ReadFile); },
       CopyResult::NotVerified},
      {"rename", [](const FsCall& c) { return c.op == FsOp::Rename; }, CopyResult::RenameFailed},
  };
  for (const Case& c : cases) {
    CopyWorld w;
    w.files.failWhen = c.fail;
    EXPECT_EQ(w.copy(), c.result) << c.what;
    EXPECT_TRUE(w.targetFiles().empty()) << c.what;
    EXPECT_EQ(w.files.content(kSource + "R.txt"), kBytes) << c.what;
  }
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

TEST(FileHelpers, AnErrorIsANegativeAnswer) {
  FakeFileSystem files;
  files.addFile(kSource + "R.txt", kBytes);
  EXPECT_TRUE(FileExists(files, kSource + "R.txt"));
  EXPECT_FALSE(FileExists(files, kSource));
  EXPECT_TRUE(FolderExists(files, kSource));
  EXPECT_TRUE(FolderExists(files, kSource.substr(0, kSource.size() - 1)));
  EXPECT_FALSE(FolderExists(files, kSource + "R.txt"));
  EXPECT_TRUE(CreateFolder(files, kSource + "neu" + sep()));
  EXPECT_FALSE(CreateFolder(files, kSource + "a" + sep() + "b"));
  files.failWhen = [](const FsCall&) { return true; };
  EXPECT_FALSE(FileExists(files, kSource + "R.txt"));
  EXPECT_FALSE(FolderExists(files, kSource));
  EXPECT_FALSE(CreateFolder(files, kSource + "x"));
}

}  // namespace
}  // namespace kvotlk::test
