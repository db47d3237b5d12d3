// Fault injection of the writes besides the send: the order handoff file and the catalogue
// editors' save. Every file-system call of a clean write fails in turn, once and from then
// on; afterwards the file under its name is complete (the old or the new content), the
// operator got the message for that failure, nothing is left beside it, and once the fault
// is cleared the next write succeeds. A send whose delivered copy does not read back is
// the send's own part that the send's fault test cannot provoke.
#include <gtest/gtest.h>

#include <functional>

#include "catalogs/CatalogEntries.h"
#include "common/Paths.h"
#include "common/Text.h"
#include "dialogs/RecordingMainWindow.h"
#include "entry/OrderConfirmation.h"
#include "entry/OrderFixture.h"
#include "entry/OrderValuesFile.h"
#include "output/OutputFixture.h"
#include "output/OutputMessages.h"
#include "output/modTuLOutput.h"

namespace kvotlk::test {
namespace {

using Names = std::vector<std::string>;

// Files in the folder other than the one named, as the fake file system keys them.
Names besides(const FakeFileSystem& files, const std::string& path) {
  const Path named = toFsPath(path);
  const std::string folder = fsKey(named.parent_path());
  Names others;
  for (const auto& [stored, content] : files.files) {
    if (stored != fsKey(named) && fsKey(toFsPath(stored).parent_path()) == folder) {
      others.push_back(stored);
    }
  }
  return others;
}

Names texts(const std::vector<ShownPrompt>& shown) {
  Names result;
  for (const ShownPrompt& prompt : shown) {
    EXPECT_EQ(prompt.kind, PromptKind::Stop);
    result.push_back(prompt.text);
  }
  return result;
}

// Runs `faulted` once for every call k of a clean run: with call k failing once, and with
// every call from k on failing (SQLite's I/O error tests do the same).
void forEveryFault(const std::vector<FsCall>& clean,
                   const std::function<void(int call, bool fromThenOn)>& faulted) {
  for (int k = 1; k <= static_cast<int>(clean.size()); ++k) {
    for (const bool fromThenOn : {false, true}) {
      const FsCall& c = clean[static_cast<std::size_t>(k - 1)];
      SCOPED_TRACE("call " + std::to_string(k) + " (op " + std::to_string(static_cast<int>(c.op)) +
                   ", " + c.path + ") fails " + (fromThenOn ? "from then on" : "once"));
      faulted(k, fromThenOn);
    }
  }
}

// --- The order handoff file ---

const std::string kEarlierOrder = "Artikel=ALT\r\nMaschine=M1\r\n";

struct HandoffWorld : OrderFixture {
  explicit HandoffWorld(bool earlierFile) {
    if (earlierFile) {
      files.addFile(path(), kEarlierOrder);
    }
    EXPECT_EQ(ConfirmOrder(env, g, form), std::nullopt);
    files.calls.clear();
  }
  std::string path() const { return joinPath(env.programFolder, "TLValues.txt"); }
  void save() {
    prompts.shown.clear();
    SaveOrderValues(env, g, form);
  }
};

class HandoffFaults : public ::testing::TestWithParam<bool> {};

TEST_P(HandoffFaults, EveryCallOfTheWriteFails) {
  HandoffWorld clean(GetParam());
  clean.save();
  ASSERT_TRUE(clean.prompts.shown.empty());
  const std::string written = clean.files.content(clean.path());
  ASSERT_NE(written.find("Artikel=A-100\r\n"), std::string::npos);
  const Names failed{ValuesFileFailureMessage(clean.path())};

  forEveryFault(clean.files.calls, [&](int call, bool fromThenOn) {
    HandoffWorld w(GetParam());
    w.files.failCall(call, fromThenOn);
    w.save();
    const bool present = w.files.hasFile(w.path());
    const bool complete = present && w.files.content(w.path()) == written;
    if (present && !complete) {
      // Only when removing it failed as well may the earlier order's complete file stay.
      EXPECT_TRUE(fromThenOn);
      EXPECT_EQ(w.files.content(w.path()), kEarlierOrder);
    }
    EXPECT_EQ(texts(w.prompts.shown), complete ? Names{} : failed);
    if (!fromThenOn) {
      EXPECT_EQ(besides(w.files, w.path()), Names{});
    }

    // A temporary file whose removal failed stays; the next write draws another name.
    w.files.clearFaults();
    const Names left = besides(w.files, w.path());
    w.random.draws.assign(4, 1);
    w.save();
    EXPECT_EQ(w.files.content(w.path()), written);
    EXPECT_TRUE(w.prompts.shown.empty());
    EXPECT_EQ(besides(w.files, w.path()), left);
  });
}

INSTANTIATE_TEST_SUITE_P(FreshOrAfterAnEarlierOrder, HandoffFaults, ::testing::Bool());

// --- The catalogue editors' save ---

const std::string kOldCatalogue = "(1)     Alt\r\n";
const std::vector<std::string> kNewEntries = {"(12)    Müller", "(7)     Neu"};

struct CatalogueCase {
  Catalog catalog;
  bool earlierFile;
  const char* update;  // what the main window is told after a good write
};

struct CatalogueWorld : TestEnvironment {
  explicit CatalogueWorld(const CatalogueCase& c) : catalog(c.catalog) {
    files.addFolder(toUtf8(toFsPath(path()).parent_path()));
    if (c.earlierFile) {
      files.addFile(path(), kOldCatalogue);
    }
  }
  std::string path() const { return CatalogPath(env.programFolder, catalog); }
  bool save() {
    prompts.shown.clear();
    main.calls.clear();
    return SaveCatalog(env, catalog, kNewEntries, main);
  }

  Catalog catalog;
  RecordingMainWindow main;
};

class CatalogueFaults : public ::testing::TestWithParam<CatalogueCase> {};

TEST_P(CatalogueFaults, EveryCallOfTheSaveFails) {
  const CatalogueCase c = GetParam();
  CatalogueWorld clean(c);
  ASSERT_TRUE(clean.save());
  const std::string written = clean.files.content(clean.path());
  ASSERT_EQ(written, toCp1252("(12)    Müller\r\n(7)     Neu\r\n"));
  const Names failed{CatalogNotWrittenMessage(clean.path())};

  forEveryFault(clean.files.calls, [&](int call, bool fromThenOn) {
    CatalogueWorld w(c);
    w.files.failCall(call, fromThenOn);
    const bool saved = w.save();
    EXPECT_EQ(w.files.content(w.path()), saved ? written : c.earlierFile ? kOldCatalogue : "");
    EXPECT_EQ(w.files.hasFile(w.path()), saved || c.earlierFile);
    EXPECT_EQ(texts(w.prompts.shown), saved ? Names{} : failed);
    EXPECT_EQ(w.main.calls, saved ? Names{c.update} : Names{});
    if (!fromThenOn) {
      EXPECT_EQ(besides(w.files, w.path()), Names{});
    }

    w.files.clearFaults();
    EXPECT_TRUE(w.save());
    EXPECT_EQ(w.files.content(w.path()), written);
    EXPECT_EQ(w.main.calls, Names{c.update});
    EXPECT_EQ(besides(w.files, w.path()), Names{});
  });
}

INSTANTIATE_TEST_SUITE_P(EachEditor, CatalogueFaults,
                         ::testing::Values(CatalogueCase{Catalog::Pruefer, true, "setPrueferList"},
                                           CatalogueCase{Catalog::Pruefer, false, "setPrueferList"},
                                           CatalogueCase{Catalog::Maschine, true,
                                                         "setMaschineList"},
                                           CatalogueCase{Catalog::NestID, true, "clearNestEntry"}),
                         [](const ::testing::TestParamInfo<CatalogueCase>& p) {
                           return std::string(p.param.update) +
                                  (p.param.earlierFile ? "" : "_fresh");
                         });

// --- A send whose delivered copy reads back other bytes ---

TEST(SendFaults, ACopyThatDoesNotReadBackNeverGetsTheNameAndKeepsTheStagedFile) {
  const std::string notVerified =
      ": temporäre Datei im Zielverzeichnis stimmt nicht mit der Temp Datei überein";
  for (const int corruptAttempts : {1, 3, 4}) {
    SCOPED_TRACE(corruptAttempts);
    SendWorld w;
    const std::string temporary = fsKey(toFsPath(w.targetPath("~Solvik.txt.00001267AAAA.tmp")));
    int readBacks = 0;
    w.t.files.failWhen = [&](const FsCall& call) {
      if (call.op == FsOp::ReadFile && call.path == temporary && ++readBacks <= corruptAttempts) {
        w.t.files.files[call.path].back() ^= 1;
      }
      return false;
    };
    const bool written = WriteResultFile(w.t.env, w.t.g, w.form);
    EXPECT_TRUE(written);
    const bool delivered = corruptAttempts < 4;
    EXPECT_EQ(w.t.files.filesIn(w.target), delivered ? Names{"Solvik.txt"} : Names{});
    EXPECT_EQ(w.t.files.content(w.targetPath("Solvik.txt")), delivered ? exampleFile() : "");
    EXPECT_EQ(w.t.files.content(w.stagedPath("Solvik.txt")), delivered ? "" : exampleFile());
    EXPECT_EQ(texts(w.t.prompts.shown), delivered ? Names{} : Names{MessageCopyFailed(w.staging)});
    for (int k = 1; k <= 4; ++k) {
      const std::string line =
          toCp1252("Kopierversuch " + std::to_string(k) + " fehlgeschlagen" + notVerified + "\r\n");
      EXPECT_EQ(w.log().find(line) != std::string::npos, k <= corruptAttempts) << k;
    }
  }
}

}  // namespace
}  // namespace kvotlk::test
