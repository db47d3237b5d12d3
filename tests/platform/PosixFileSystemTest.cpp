#include <gtest/gtest.h>

#include <filesystem>

#include "common/FileSystem.h"
#include "common/Paths.h"

namespace kvotlk::test {
namespace {

class PosixFileSystemTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir = std::filesystem::temp_directory_path() /
          ("kvotlk-fs-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "-" +
           ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
  }
  void TearDown() override { std::filesystem::remove_all(dir); }

  std::filesystem::path dir;
  std::unique_ptr<FileSystem> fs = makeFileSystem();
};

TEST_F(PosixFileSystemTest, WriteReadAndExistence) {
  const auto file = dir / toFsPath("Prüfer.dat");
  EXPECT_FALSE(fs->fileExists(file));
  ASSERT_TRUE(writeWholeFile(*fs, file, "a\r\nb\r\n"));
  EXPECT_TRUE(fs->fileExists(file));
  EXPECT_FALSE(fs->folderExists(file));
  EXPECT_TRUE(fs->folderExists(dir));
  EXPECT_FALSE(fs->fileExists(dir));
  EXPECT_EQ(fs->readFile(file), "a\r\nb\r\n");
  ASSERT_TRUE(writeWholeFile(*fs, file, "c"));
  EXPECT_EQ(fs->readFile(file), "c");
  EXPECT_TRUE(fs->removeFile(file));
  EXPECT_FALSE(fs->removeFile(file));
  EXPECT_FALSE(fs->readFile(file).has_value());
}

TEST_F(PosixFileSystemTest, CreateFolderMakesOneLevel) {
  EXPECT_TRUE(fs->createFolder(dir / "TempData"));
  EXPECT_FALSE(fs->createFolder(dir / "TempData"));
  EXPECT_FALSE(fs->createFolder(dir / "a" / "b"));
  EXPECT_EQ(fs->createFile(dir / "a" / "x.txt"), nullptr);
}

TEST_F(PosixFileSystemTest, RenameNeverReplacesAFile) {
  ASSERT_TRUE(writeWholeFile(*fs, dir / "tmp", "new"));
  ASSERT_TRUE(writeWholeFile(*fs, dir / "final", "old"));
  EXPECT_FALSE(fs->renameNoReplace(dir / "tmp", dir / "final"));
  EXPECT_EQ(fs->readFile(dir / "final"), "old");
  EXPECT_EQ(fs->readFile(dir / "tmp"), "new");
  ASSERT_TRUE(fs->removeFile(dir / "final"));
  EXPECT_TRUE(fs->renameNoReplace(dir / "tmp", dir / "final"));
  EXPECT_EQ(fs->readFile(dir / "final"), "new");
  EXPECT_FALSE(fs->fileExists(dir / "tmp"));
}

TEST_F(PosixFileSystemTest, ReplacingRenameTakesTheNewContent) {
  ASSERT_TRUE(writeWholeFile(*fs, dir / "Maschine.dat.tmp", "neu"));
  ASSERT_TRUE(writeWholeFile(*fs, dir / "Maschine.dat", "alt"));
  EXPECT_TRUE(fs->renameReplacing(dir / "Maschine.dat.tmp", dir / "Maschine.dat"));
  EXPECT_EQ(fs->readFile(dir / "Maschine.dat"), "neu");
  EXPECT_FALSE(fs->fileExists(dir / "Maschine.dat.tmp"));
  EXPECT_FALSE(fs->renameReplacing(dir / "fehlt", dir / "Maschine.dat"));
  EXPECT_EQ(fs->readFile(dir / "Maschine.dat"), "neu");
}

TEST_F(PosixFileSystemTest, RenameThatCannotHappenChangesNothing) {
  ASSERT_TRUE(writeWholeFile(*fs, dir / toFsPath("~Prüfung.txt.tmp"), "Werte"));
  EXPECT_FALSE(fs->renameNoReplace(dir / "fehlt", dir / "ziel"));
  EXPECT_FALSE(fs->fileExists(dir / "ziel"));
  EXPECT_FALSE(fs->renameNoReplace(dir / toFsPath("~Prüfung.txt.tmp"), dir / "nein" / "x.txt"));
  EXPECT_EQ(fs->readFile(dir / toFsPath("~Prüfung.txt.tmp")), "Werte");
  ASSERT_TRUE(fs->createFolder(dir / "ordner"));
  EXPECT_FALSE(fs->renameNoReplace(dir / toFsPath("~Prüfung.txt.tmp"), dir / "ordner"));
  EXPECT_TRUE(fs->folderExists(dir / "ordner"));
  EXPECT_TRUE(
      fs->renameNoReplace(dir / toFsPath("~Prüfung.txt.tmp"), dir / toFsPath("Prüfung.txt")));
  EXPECT_EQ(fs->readFile(dir / toFsPath("Prüfung.txt")), "Werte");
}

}  // namespace
}  // namespace kvotlk::test
