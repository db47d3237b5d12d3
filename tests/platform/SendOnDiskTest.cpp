#include <gtest/gtest.h>

#include <filesystem>

#include "common/FileSystem.h"
#include "output/OutputFixture.h"

// A whole send against the machine's file system: staging folder, log, delivery, and a
// file of the name that the CAQ system has not collected yet.
namespace kvotlk::test {
namespace {

std::size_t filesIn(const std::filesystem::path& folder) {
  const std::filesystem::directory_iterator entries(folder);
  return static_cast<std::size_t>(std::distance(begin(entries), end(entries)));
}

TEST(SendOnDiskTest, DeliversThenKeepsAFileNotYetCollected) {
  const auto root =
      std::filesystem::temp_directory_path() /
      ("kvotlk-send-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()));
  const auto target = root / toFsPath("Zielverzeichnis für CAQ");
  const auto staging = root / "prog" / "TempData";
  std::filesystem::remove_all(root);
  std::filesystem::create_directories(root / "prog");
  std::filesystem::create_directories(target);
  TestEnvironment t;
  setExampleOrder(t.g);
  t.setSetting("DIR", toUtf8(target));
  const auto disk = makeFileSystem();
  Environment env{t.settings, *disk,     t.clock,   t.random,
                  t.prompts,  t.numbers, t.kalvero, toUtf8(root / "prog")};

  EXPECT_EQ(WriteResultFile(env, t.g, OrderForm{}), SendOutcome::Delivered);
  EXPECT_TRUE(t.prompts.shown.empty());
  EXPECT_EQ(disk->readFile(target / "Solvik.txt"), exampleFile());
  EXPECT_TRUE(disk->fileExists(staging / "TLDebug.txt"));
  EXPECT_EQ(filesIn(staging), 1U);  // no staged file, no temporary one
  EXPECT_EQ(filesIn(target), 1U);

  EXPECT_TRUE(writeWholeFile(*disk, target / "Solvik.txt", "noch nicht abgeholt"));
  EXPECT_EQ(WriteResultFile(env, t.g, OrderForm{}), SendOutcome::StagedOnly);
  EXPECT_EQ(t.prompts.shown.size(), 1U);
  EXPECT_EQ(disk->readFile(target / "Solvik.txt"), "noch nicht abgeholt");
  EXPECT_EQ(disk->readFile(staging / "Solvik.txt"), exampleFile());
  EXPECT_EQ(filesIn(target), 1U);
  std::filesystem::remove_all(root);
}

}  // namespace
}  // namespace kvotlk::test
