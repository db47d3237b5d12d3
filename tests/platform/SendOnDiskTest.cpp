#include <gtest/gtest.h>

#include <filesystem>

#include "common/FileSystem.h"
#include "common/Paths.h"
#include "entry/OrderForm.h"
#include "output/modTuLOutput.h"
#include "support/TestEnvironment.h"

// A whole send against the machine's file system: staging folder, log, delivery.
namespace kvotlk::test {
namespace {

class SendOnDiskTest : public ::testing::Test {
 protected:
  void SetUp() override {
    root = std::filesystem::temp_directory_path() /
           ("kvotlk-send-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
            "-" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::remove_all(root);
    std::filesystem::create_directories(root / "prog");
    std::filesystem::create_directories(root / toFsPath("Zielverzeichnis für CAQ"));
    t.setSetting("DIR", toUtf8(root / toFsPath("Zielverzeichnis für CAQ")));
    t.g.strArtikel = "A100";
    t.g.intAnzStichproben = 1;
    t.g.intAnzMerkmale = 1;
    Stichprobe sample;
    sample.strMerkmal.emplace_back("10");
    sample.dblMesswert.push_back(2.675);
    t.g.arrStichproben.push_back(sample);
  }
  void TearDown() override { std::filesystem::remove_all(root); }

  bool send() {
    Environment env{t.settings, *fs,       t.clock,   t.random,
                    t.prompts,  t.numbers, t.kalvero, toUtf8(root / "prog")};
    return WriteResultFile(env, t.g, OrderForm{});
  }

  std::filesystem::path root;
  TestEnvironment t;
  std::unique_ptr<FileSystem> fs = makeFileSystem();
};

TEST_F(SendOnDiskTest, DeliversAndKeepsOnlyTheLog) {
  ASSERT_TRUE(send());
  EXPECT_TRUE(t.prompts.shown.empty());
  const auto delivered = fs->readFile(root / toFsPath("Zielverzeichnis für CAQ") / "Solvik.txt");
  ASSERT_TRUE(delivered.has_value());
  EXPECT_NE(delivered->find("ARTIKEL=A100\r\n"), std::string::npos);
  EXPECT_NE(delivered->find("BEGINN_WERTE\r\n2,675\r\nENDE_WERTE"), std::string::npos);
  std::vector<std::string> staged;
  for (const auto& entry : std::filesystem::directory_iterator(root / "prog" / "TempData")) {
    staged.push_back(entry.path().filename().string());
  }
  EXPECT_EQ(staged, std::vector<std::string>{"TLDebug.txt"});
}

TEST_F(SendOnDiskTest, FileOfTheNameInTheTargetIsKept) {
  const auto target = root / toFsPath("Zielverzeichnis für CAQ") / "Solvik.txt";
  ASSERT_TRUE(writeWholeFile(*fs, target, "noch nicht abgeholt"));
  ASSERT_TRUE(send());
  ASSERT_EQ(t.prompts.shown.size(), 1U);
  EXPECT_EQ(fs->readFile(target), "noch nicht abgeholt");
  EXPECT_TRUE(fs->fileExists(root / "prog" / "TempData" / "Solvik.txt"));
  EXPECT_FALSE(fs->fileExists(root / toFsPath("Zielverzeichnis für CAQ") / "~Solvik.txt.tmp"));
}

}  // namespace
}  // namespace kvotlk::test
