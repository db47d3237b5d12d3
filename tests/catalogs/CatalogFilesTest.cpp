#include <gtest/gtest.h>

#include "catalogs/CatalogFiles.h"
#include "catalogs/CatalogLines.h"
#include "common/Paths.h"
#include "support/TestEnvironment.h"

// Reading the catalogues is shown by tests/cases/kataloge; only the catalogue dialogs
// write them, which no case reaches.
namespace kvotlk::test {
namespace {

TEST(WriteCatalog, OneLinePerEntryInWindows1252AndAFailureKeepsTheOldCatalogue) {
  TestEnvironment t;
  const std::string pruefer = CatalogPath(t.env.programFolder, Catalog::Pruefer);
  EXPECT_FALSE(WriteCatalog(t.files, pruefer, {"4711"})) << "folder Kataloge missing";
  const std::string old = "(1)     Alt\r\n";
  t.files.addFile(pruefer, old);
  for (const FsOp op : {FsOp::CreateFile, FsOp::Write, FsOp::Close, FsOp::Rename}) {
    t.files.failWhen = [op](const FsCall& call) { return call.op == op; };
    EXPECT_FALSE(WriteCatalog(t.files, pruefer, {"4711"}));
    t.files.clearFaults();
    EXPECT_EQ(t.files.content(pruefer), old);
    EXPECT_EQ(t.files.filesIn(toUtf8(toFsPath(pruefer).parent_path())),
              std::vector<std::string>{"Prüfer.dat"});
  }
  ASSERT_TRUE(WriteCatalog(t.files, pruefer, {BracketedField("12") + "Müller", "(7)      Leer"}));
  EXPECT_EQ(t.files.content(pruefer), "(12)    M\xFCller\r\n(7)      Leer\r\n");
  EXPECT_EQ(BracketedField("1234567") + BracketedField("ü"), "(1234567)(ü)     ");
}

}  // namespace
}  // namespace kvotlk::test
