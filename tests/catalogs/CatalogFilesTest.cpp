#include <gtest/gtest.h>

#include "catalogs/CatalogFiles.h"
#include "common/Paths.h"
#include "support/TestEnvironment.h"

namespace kvotlk::test {
namespace {

class CatalogFilesTest : public ::testing::Test {
 protected:
  TestEnvironment t;
  const std::string pruefer = CatalogPath(t.env.programFolder, Catalog::Pruefer);
};

TEST_F(CatalogFilesTest, PathsBelowTheProgramFolder) {
  const std::string folder = joinPath(joinPath("/opt/kvotlk", "Kataloge"), "");
  EXPECT_EQ(CatalogPath("/opt/kvotlk", Catalog::Pruefer), folder + "Prüfer.dat");
  EXPECT_EQ(CatalogPath("/opt/kvotlk", Catalog::Maschine), folder + "Maschine.dat");
  EXPECT_EQ(CatalogPath("/opt/kvotlk", Catalog::NestID), folder + "NestID.dat");
}

TEST_F(CatalogFilesTest, ReadsLinesAsStoredMissingIsNotEmpty) {
  EXPECT_EQ(ReadCatalog(t.files, pruefer), std::nullopt);
  for (const auto& [bytes, lines] : std::vector<std::pair<std::string, std::vector<std::string>>>{
           {"(12)    M\xFCller\r\n\r\n4711", {"(12)    Müller", "", "4711"}},
           {"\r\n", {""}},
           {"", {}}}) {
    t.files.addFile(pruefer, bytes);
    EXPECT_EQ(ReadCatalog(t.files, pruefer), lines) << bytes;
  }
}

TEST_F(CatalogFilesTest, WritesOneLinePerEntryAndReportsFailures) {
  EXPECT_FALSE(WriteCatalog(t.files, pruefer, {"4711"})) << "folder Kataloge missing";
  t.files.addFile(pruefer, "(1)     Alt\r\n(2)     Alt\r\n");
  ASSERT_TRUE(WriteCatalog(t.files, pruefer, {"(12)    Müller", "(7)      Leer"}));
  EXPECT_EQ(t.files.content(pruefer), "(12)    M\xFCller\r\n(7)      Leer\r\n");
  ASSERT_TRUE(WriteCatalog(t.files, pruefer, {}));
  EXPECT_TRUE(t.files.hasFile(pruefer) && t.files.content(pruefer).empty());
}

TEST_F(CatalogFilesTest, AFailedWriteKeepsTheOldCatalogue) {
  const std::string old = "(1)     Alt\r\n";
  for (const FsOp op : {FsOp::CreateFile, FsOp::Write, FsOp::Close, FsOp::Rename}) {
    t.files.addFile(pruefer, old);
    t.files.failWhen = [op](const FsCall& call) { return call.op == op; };
    EXPECT_FALSE(WriteCatalog(t.files, pruefer, {"4711"}));
    t.files.clearFaults();
    EXPECT_EQ(t.files.content(pruefer), old);
    EXPECT_EQ(t.files.filesIn(toUtf8(toFsPath(pruefer).parent_path())),
              std::vector<std::string>{"Prüfer.dat"});
  }
}

TEST_F(CatalogFilesTest, MissingListCataloguesAreReportedEmptyOnesNot) {
  t.files.addFile(CatalogPath(t.env.programFolder, Catalog::Maschine), "");
  EXPECT_TRUE(ReadCatalogForList(t.env, Catalog::Pruefer).empty());
  EXPECT_TRUE(ReadCatalogForList(t.env, Catalog::Maschine).empty());
  t.files.removeFile(toFsPath(CatalogPath(t.env.programFolder, Catalog::Maschine)));
  EXPECT_TRUE(ReadCatalogForList(t.env, Catalog::Maschine).empty());
  EXPECT_TRUE(ReadCatalogForList(t.env, Catalog::NestID).empty());
  EXPECT_EQ(
      t.prompts.shown,
      (std::vector<ShownPrompt>{
          {PromptKind::Stop, "Katalogdatei für Prüfer fehlt. Erzeugen Sie zuerst diesen Katalog."},
          {PromptKind::Stop,
           "Katalogdatei für Maschine fehlt. Erzeugen Sie zuerst diesen Katalog."}}));
}

}  // namespace
}  // namespace kvotlk::test
