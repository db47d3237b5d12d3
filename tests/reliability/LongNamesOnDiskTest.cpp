// Settings of 10,000 characters that become names on the machine's file system, which a
// file system in memory would take: the send and the handoff file refuse them with a
// message that names what to fix, and leave nothing behind.
#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <algorithm>

#include "common/FileSystem.h"
#include "common/Paths.h"
#include "entry/OrderConfirmation.h"
#include "entry/OrderFixture.h"
#include "entry/OrderValuesFile.h"
#include "output/OutputFixture.h"
#include "output/OutputMessages.h"
#include "output/modCreateFileName.h"
#include "output/modTuLOutput.h"

namespace kvotlk::test {
namespace {

using Names = std::vector<std::string>;

struct DiskWorld {
  DiskWorld() {
    std::filesystem::create_directories(toFsPath(program()));
    std::filesystem::create_directories(toFsPath(target()));
    setExampleOrder(t.g);
    t.setSetting("DIR", target());
  }
  std::string root() const { return dir.path().toStdString(); }
  std::string program() const { return joinPath(root(), "Programm"); }
  std::string target() const { return joinPath(root(), "Ziel"); }
  Names filesIn(const std::string& folder) const {
    Names names;
    for (const auto& entry : std::filesystem::directory_iterator(toFsPath(folder))) {
      names.push_back(toUtf8(entry.path().filename()));
    }
    std::sort(names.begin(), names.end());
    return names;
  }
  std::vector<std::string> messages() const {
    std::vector<std::string> texts;
    for (const ShownPrompt& shown : t.prompts.shown) {
      texts.push_back(shown.text);
    }
    return texts;
  }
  bool send() { return WriteResultFile(env, t.g, OrderForm{}); }

  QTemporaryDir dir;
  TestEnvironment t;
  std::unique_ptr<FileSystem> disk = makeFileSystem();
  Environment env{t.settings, *disk, t.clock, t.random, t.prompts, t.numbers, t.kalvero, program()};
};

TEST(LongNamesOnDisk, TheLongestFixedNamesAreDeliveredOneMoreIsRefused) {
  struct Case {
    std::size_t chars;
    const char* stamp;
    bool delivered;
  };
  for (const Case& c : {Case{250, "0", true}, Case{251, "0", false}, Case{234, "1", true},
                        Case{235, "1", false}, Case{10000, "0", false}}) {
    SCOPED_TRACE(std::to_string(c.chars) + " stamp " + c.stamp);
    DiskWorld w;
    const std::string name = std::string(c.chars - 4, 'x') + ".txt";
    w.t.setSetting("FILE", name);
    w.t.setSetting("DateTimeStamp", c.stamp);
    EXPECT_EQ(w.send(), c.delivered);
    if (c.delivered) {
      EXPECT_EQ(w.messages(), Names{});
      ASSERT_EQ(w.filesIn(w.target()).size(), 1U);
      EXPECT_EQ(w.filesIn(joinPath(w.program(), "TempData")), Names{"TLDebug.txt"});
    } else {
      EXPECT_EQ(w.messages(), Names{FixedFileNameProblem(name, *c.stamp == '1').value_or("-")});
      EXPECT_EQ(w.filesIn(w.program()), Names{}) << "refused before anything is touched";
      EXPECT_EQ(w.filesIn(w.target()), Names{});
    }
  }
}

TEST(LongNamesOnDisk, ATargetFolderOfTenThousandCharactersKeepsTheFileInStaging) {
  DiskWorld w;
  w.t.setSetting("DIR", joinPath(w.root(), std::string(10000, 'z')));
  EXPECT_TRUE(w.send());
  const std::string staging = StagingFolderOf(w.program());
  EXPECT_EQ(w.messages(), Names{MessageCopyFailed(staging)});
  EXPECT_EQ(w.filesIn(staging), (Names{"Solvik.txt", "TLDebug.txt"}));
}

TEST(LongNamesOnDisk, AHandoffSuffixOfTenThousandCharactersWritesNothing) {
  OrderFixture f;
  DiskWorld w;
  f.g.strStandardDir = w.program();
  f.g.blnDateiErweiterungVerwenden = true;
  f.g.strDateiErweiterung = std::string(10000, 'e');
  Environment env{f.settings, *w.disk,   f.clock,   f.random,
                  f.prompts,  f.numbers, f.kalvero, w.program()};
  ASSERT_EQ(ConfirmOrder(env, f.g, f.form), std::nullopt);
  SaveOrderValues(env, f.g, f.form);
  ASSERT_EQ(f.prompts.shown.size(), 1U);
  EXPECT_EQ(f.prompts.shown[0].text, ValuesFileFailureMessage(ValuesFilePath(f.g)));
  EXPECT_EQ(w.filesIn(w.program()), Names{});
}

}  // namespace
}  // namespace kvotlk::test
