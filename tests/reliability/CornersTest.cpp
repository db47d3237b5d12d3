// Two corners no case can reach: a delivered copy that reads back other bytes (no fault of
// a file-system call makes one), and an empty standard folder (its files would lie in the
// root of the machine the cases run on).
#include <gtest/gtest.h>

#include "common/Paths.h"
#include "common/Text.h"
#include "entry/OrderFixture.h"
#include "entry/OrderValuesFile.h"
#include "output/OutputFixture.h"
#include "output/modTuLOutput.h"

namespace kvotlk::test {
namespace {

// It never gets the name, and after four attempts the file waits in TempData.
TEST(Corners, ACopyThatNeverReadsBackNeverGetsTheName) {
  SendWorld w;
  // Each attempt copies under a temporary name of its own: "~Solvik.txt.<id>.tmp".
  const std::string temporary = fsKey(toFsPath(w.targetPath("~Solvik.txt.")));
  w.t.files.failWhen = [&](const FsCall& call) {
    if (call.op == FsOp::ReadFile && call.path.starts_with(temporary)) {
      w.t.files.files[call.path].back() ^= 1;
    }
    return false;
  };
  EXPECT_TRUE(WriteResultFile(w.t.env, w.t.g, w.form));
  EXPECT_EQ(w.t.files.filesIn(w.target), std::vector<std::string>{});
  EXPECT_EQ(w.t.files.content(w.stagedPath("Solvik.txt")), exampleFile());
  EXPECT_NE(w.log().find(toCp1252("Kopierversuch 4 fehlgeschlagen: temporäre Datei im "
                                  "Zielverzeichnis stimmt nicht mit der Temp Datei überein\r\n")),
            std::string::npos);
}

// Joined with an empty folder the handoff file's name points into the root of the drive,
// where a file of that name is not the program's: nothing is written or deleted there.
TEST(Corners, AnEmptyStandardFolderLeavesTheRootAlone) {
  OrderFixture f;
  const std::string inRoot = joinPath("", "TLValues.txt");
  f.files.addFile(inRoot, "fremd");
  f.g.strStandardDir.clear();
  DeleteLeftoverValuesFile(f.env, f.g);
  SaveOrderValues(f.env, f.g, f.form);
  DeleteValuesFile(f.env, f.g);
  EXPECT_EQ(f.files.content(inRoot), "fremd");
  EXPECT_EQ(f.g.strValuesFile, "");
  ASSERT_EQ(f.prompts.shown.size(), 1U);
  EXPECT_EQ(f.prompts.shown[0].text, ValuesFileFailureMessage(inRoot));
}

}  // namespace
}  // namespace kvotlk::test
