// A delivered copy that reads back other bytes, which no fault of a file-system call can
// make and so no case: it never gets the name, and after four attempts the file waits in
// TempData.
#include <gtest/gtest.h>

#include "common/Text.h"
#include "output/OutputFixture.h"
#include "output/modTuLOutput.h"

namespace kvotlk::test {
namespace {

TEST(ReadBack, ACopyThatNeverReadsBackNeverGetsTheName) {
  SendWorld w;
  const std::string temporary = fsKey(toFsPath(w.targetPath("~Solvik.txt.tmp")));
  w.t.files.failWhen = [&](const FsCall& call) {
    if (call.op == FsOp::ReadFile && call.path == temporary) {
      w.t.files.files[call.path].back() ^= 1;
    }
    return false;
  };
  EXPECT_TRUE(WriteResultFile(w.t.env, w.t.g, w.form));
  EXPECT_EQ(w.t.files.filesIn(w.target), std::vector<std::string>{});
  EXPECT_EQ(w.t.files.content(w.stagedPath("Solvik.txt")), exampleFile());
  EXPECT_EQ(w.t.prompts.shown.size(), 1U);
  EXPECT_NE(w.log().find(toCp1252("Kopierversuch 4 fehlgeschlagen: temporäre Datei im "
                                  "Zielverzeichnis stimmt nicht mit der Temp Datei überein\r\n")),
            std::string::npos);
}

}  // namespace
}  // namespace kvotlk::test
