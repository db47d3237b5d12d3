#include <gtest/gtest.h>

#include <algorithm>

#include "common/Paths.h"
#include "config/DriveFolders.h"

namespace kvotlk::test {
namespace {

// A path written with "/" in the platform's separator.
std::string native(std::string path) {
  std::replace(path.begin(), path.end(), '/', kPathSeparator);
  return path;
}

// A drive letter is matched by its letter in either case, any other text by its path.
TEST(DriveFoldersTest, AStoredDriveChoosesItsDrive) {
  const std::vector<std::string> letters{"A:\\", "C:\\", "D:\\"};
  const std::vector<std::string> mounts{native("/"), native("/mnt/daten"), native("/mnt/d")};
  for (const auto& [stored, index] : std::vector<std::pair<std::string, std::size_t>>{
           {"C:\\", 1}, {"c:", 1}, {"d: [Daten]", 2}, {"a", 9}, {"E:\\", 9}, {"", 9}}) {
    EXPECT_EQ(FindDrive(letters, stored).value_or(9), index) << stored;
  }
  for (const auto& [stored, index] : std::vector<std::pair<std::string, std::size_t>>{
           {"/", 0}, {"/mnt/daten", 1}, {"/mnt/daten/", 1}, {"/mnt/d", 2}, {"/mnt", 9}}) {
    EXPECT_EQ(FindDrive(mounts, native(stored)).value_or(9), index) << stored;
  }
  EXPECT_EQ(FindDrive(mounts, "C:\\"), std::nullopt);
}

TEST(DriveFoldersTest, ChoosingADriveGoesToItsRoot) {
  EXPECT_EQ(DriveRoot("c: [System]"), std::string("c:") + kPathSeparator);
  EXPECT_EQ(DriveRoot("D:"), std::string("D:") + kPathSeparator);
  EXPECT_EQ(DriveRoot(native("/mnt/daten")), native("/mnt/daten"));
  EXPECT_EQ(DriveRoot(native("/")), native("/"));
}

TEST(DriveFoldersTest, TheFolderChainRunsFromTheRootDown) {
  struct Case {
    std::string folder;
    std::vector<std::string> chain;
  };
  for (const Case& c : std::vector<Case>{
           {"/opt/kvotlk", {"/", "/opt", "/opt/kvotlk"}},
           {"/opt//kvotlk/", {"/", "/opt", "/opt/kvotlk"}},
           {"/", {"/"}},
           {"C:", {"C:/"}},
           {"C:/KVOTLK/Daten", {"C:/", "C:/KVOTLK", "C:/KVOTLK/Daten"}},
           {"//server/freigabe/daten", {"//server/freigabe/", "//server/freigabe/daten"}},
           {"relativ/ordner", {}}}) {
    std::vector<std::string> expected;
    for (const std::string& folder : c.chain) {
      expected.push_back(native(folder));
    }
    EXPECT_EQ(FolderChain(native(c.folder)), expected) << c.folder;
  }
}

}  // namespace
}  // namespace kvotlk::test
