#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "common/FileSystem.h"
#include "common/Paths.h"

namespace kvotlk::test {
namespace {

// A fresh folder on Wine's (or Windows') file system, with a non-ASCII name, removed
// with its files at the end.
class Win32FileSystemTest : public ::testing::Test {
 protected:
  void SetUp() override {
    wchar_t temp[MAX_PATH + 1] = {};
    ASSERT_NE(GetTempPathW(MAX_PATH + 1, temp), 0U);
    folder_ = toUtf8(std::filesystem::path(temp)) + "kvotlk Prüfdaten " +
              std::to_string(GetCurrentProcessId()) + "-" + std::to_string(GetTickCount64());
    ASSERT_TRUE(files_->createFolder(toFsPath(folder_)));
  }
  void TearDown() override {
    std::error_code ignored;
    std::filesystem::remove_all(toFsPath(folder_), ignored);
  }

  Path at(std::string_view name) const { return toFsPath(joinPath(folder_, name)); }
  bool write(std::string_view name, std::string_view bytes) {
    return writeWholeFile(*files_, at(name), bytes);
  }

  std::unique_ptr<FileSystem> files_ = makeFileSystem();
  std::string folder_;
};

// Binary bytes, more than one write call, and a shorter content over a longer one.
TEST_F(Win32FileSystemTest, ContentRoundTripsByteForByte) {
  const std::string bytes("BEGINN_MESSUNG\r\nK0001 12,5\r\n\0\xFF\xE4\n\r", 33);
  std::string large(5U << 19U, 'x');  // past the size of one write call
  large[large.size() - 1] = '!';
  for (const std::string& content : {bytes, large, std::string()}) {
    ASSERT_TRUE(write("Prüfer.dat", content));
    EXPECT_EQ(files_->readFile(at("Prüfer.dat")), content);
  }
}

TEST_F(Win32FileSystemTest, FilesAndFoldersAreToldApart) {
  ASSERT_TRUE(write("file.txt", "x"));
  EXPECT_TRUE(files_->createFolder(at("TempData")));
  EXPECT_FALSE(files_->createFolder(at("TempData")));
  EXPECT_FALSE(files_->createFolder(at("missing\\child")));
  EXPECT_EQ(files_->createFile(at("missing\\file.txt")), nullptr);
  EXPECT_TRUE(files_->fileExists(at("file.txt")));
  EXPECT_FALSE(files_->folderExists(at("file.txt")));
  EXPECT_TRUE(files_->folderExists(at("TempData")));
  EXPECT_FALSE(files_->fileExists(at("TempData")));
  EXPECT_FALSE(files_->fileExists(at("missing.txt")));
  EXPECT_FALSE(files_->folderExists(at("missing")));
  EXPECT_EQ(files_->readFile(at("TempData")), std::nullopt);
  EXPECT_EQ(files_->readFile(at("missing.txt")), std::nullopt);
  EXPECT_FALSE(files_->removeFile(at("TempData")));
  EXPECT_TRUE(files_->folderExists(at("TempData")));
  // A new file never opens an existing one.
  EXPECT_FALSE(writeNewFile(*files_, at("file.txt"), "y"));
  EXPECT_EQ(files_->readFile(at("file.txt")), "x");
  EXPECT_TRUE(writeNewFile(*files_, at("new.txt"), "y"));
  EXPECT_TRUE(files_->removeFile(at("file.txt")));
  EXPECT_FALSE(files_->fileExists(at("file.txt")));
  EXPECT_FALSE(files_->removeFile(at("file.txt")));
}

TEST_F(Win32FileSystemTest, RenameMovesOnlyAFileAndReplacesOnlyWhenAsked) {
  ASSERT_TRUE(write("staged.tmp", "new values"));
  ASSERT_TRUE(write("Solvik.txt", "collected earlier"));
  ASSERT_TRUE(files_->createFolder(at("TempData")));
  EXPECT_FALSE(files_->renameNoReplace(at("staged.tmp"), at("Solvik.txt")));
  EXPECT_EQ(files_->readFile(at("Solvik.txt")), "collected earlier");
  EXPECT_FALSE(files_->renameNoReplace(at("missing.tmp"), at("Other.txt")));
  EXPECT_FALSE(files_->renameNoReplace(at("TempData"), at("Moved")));
  EXPECT_TRUE(files_->folderExists(at("TempData")));
  EXPECT_FALSE(files_->fileExists(at("Other.txt")));
  EXPECT_TRUE(files_->renameNoReplace(at("staged.tmp"), at("Other.txt")));
  EXPECT_FALSE(files_->fileExists(at("staged.tmp")));
  EXPECT_EQ(files_->readFile(at("Other.txt")), "new values");

  // The replacing rename takes the new content; from a missing file it changes nothing.
  ASSERT_TRUE(write("Other.txt.tmp", "newer"));
  EXPECT_TRUE(files_->renameReplacing(at("Other.txt.tmp"), at("Other.txt")));
  EXPECT_EQ(files_->readFile(at("Other.txt")), "newer");
  EXPECT_FALSE(files_->fileExists(at("Other.txt.tmp")));
  EXPECT_FALSE(files_->renameReplacing(at("missing.tmp"), at("Other.txt")));
  EXPECT_EQ(files_->readFile(at("Other.txt")), "newer");
}

TEST_F(Win32FileSystemTest, WriteAfterCloseFails) {
  auto file = files_->createFile(at("a.txt"));
  ASSERT_NE(file, nullptr);
  ASSERT_TRUE(file->write("x"));
  ASSERT_TRUE(file->close());
  EXPECT_FALSE(file->write("y"));
  EXPECT_FALSE(file->close());
  EXPECT_EQ(files_->readFile(at("a.txt")), "x");
}

TEST(ExecutableFolder, HoldsTheRunningProgram) {
  const std::string folder = executableFolder();
  ASSERT_FALSE(folder.empty());
  EXPECT_NE(folder.back(), '\\');
  EXPECT_TRUE(makeFileSystem()->fileExists(toFsPath(joinPath(folder, "kvotlk_windows_tests.exe"))));
}

}  // namespace
}  // namespace kvotlk::test
