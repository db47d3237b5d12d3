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

TEST_F(PosixFileSystemTest, FilesAndFolders) {
  const auto file = dir / toFsPath("Prüfer.dat");
  EXPECT_FALSE(fs->fileExists(file));
  ASSERT_TRUE(writeWholeFile(*fs, file, "a\r\nb\r\n"));
  EXPECT_TRUE(fs->fileExists(file) && !fs->folderExists(file));
  EXPECT_TRUE(fs->folderExists(dir) && !fs->fileExists(dir));
  EXPECT_EQ(fs->readFile(file), "a\r\nb\r\n");
  ASSERT_TRUE(writeWholeFile(*fs, file, "c"));
  EXPECT_EQ(fs->readFile(file), "c");
  // A new file never opens an existing one.
  EXPECT_FALSE(writeNewFile(*fs, file, "d"));
  EXPECT_EQ(fs->readFile(file), "c");
  EXPECT_TRUE(writeNewFile(*fs, dir / "neu.txt", "d"));
  EXPECT_TRUE(fs->removeFile(file));
  EXPECT_FALSE(fs->removeFile(file));
  EXPECT_FALSE(fs->readFile(file).has_value());
  // One level at a time.
  EXPECT_TRUE(fs->createFolder(dir / "TempData"));
  EXPECT_FALSE(fs->createFolder(dir / "TempData"));
  EXPECT_FALSE(fs->createFolder(dir / "a" / "b"));
  EXPECT_EQ(fs->createFile(dir / "a" / "x.txt"), nullptr);
}

// A rename that cannot happen changes nothing, and renameNoReplace never replaces a file.
TEST_F(PosixFileSystemTest, RenameTakesTheNameOrChangesNothing) {
  struct Case {
    bool replacing;
    const char* from;
    const char* to;
    bool renamed;
  };
  const Case cases[] = {
      {false, "~Prüfung.tmp", "Prüfung.txt", true},
      {false, "~Prüfung.tmp", "alt.txt", false},
      {false, "fehlt", "ziel", false},
      {false, "~Prüfung.tmp", "nein/x.txt", false},
      {false, "~Prüfung.tmp", "ordner", false},
      {true, "~Prüfung.tmp", "alt.txt", true},
      {true, "fehlt", "alt.txt", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.from) + " -> " + c.to);
    std::filesystem::remove_all(dir);
    ASSERT_TRUE(std::filesystem::create_directories(dir / "ordner"));
    ASSERT_TRUE(writeWholeFile(*fs, dir / toFsPath("~Prüfung.tmp"), "neu"));
    ASSERT_TRUE(writeWholeFile(*fs, dir / "alt.txt", "alt"));
    const auto from = dir / toFsPath(c.from);
    const auto to = dir / toFsPath(c.to);
    const auto before = fs->readFile(to);
    EXPECT_EQ(c.replacing ? fs->renameReplacing(from, to) : fs->renameNoReplace(from, to),
              c.renamed);
    EXPECT_EQ(fs->readFile(to), c.renamed ? "neu" : before);
    EXPECT_EQ(fs->fileExists(from), !c.renamed && std::string(c.from) != "fehlt");
  }
  EXPECT_TRUE(fs->folderExists(dir / "ordner"));
}

}  // namespace
}  // namespace kvotlk::test
