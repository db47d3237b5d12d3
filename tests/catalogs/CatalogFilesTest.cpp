#include <gtest/gtest.h>

#include "catalogs/CatalogFiles.h"
#include "common/Paths.h"
#include "support/TestEnvironment.h"

namespace kvotlk::test {
namespace {

class CatalogFilesTest : public ::testing::Test {
 protected:
  std::string path(Catalog catalog) const { return CatalogPath(t.env.programFolder, catalog); }

  TestEnvironment t;
  const std::string pruefer = path(Catalog::Pruefer);
};

TEST_F(CatalogFilesTest, PathsBelowTheProgramFolder) {
  const std::string folder =
      std::string("/opt/kvotlk") + kPathSeparator + "Kataloge" + kPathSeparator;
  EXPECT_EQ(CatalogPath("/opt/kvotlk", Catalog::Pruefer), folder + "Prüfer.dat");
  EXPECT_EQ(CatalogPath("/opt/kvotlk", Catalog::Maschine), folder + "Maschine.dat");
  EXPECT_EQ(CatalogPath("/opt/kvotlk", Catalog::NestID), folder + "NestID.dat");
}

TEST_F(CatalogFilesTest, ReadsLinesAsStoredInFileOrder) {
  const std::pair<std::string, std::vector<std::string>> cases[] = {
      {"(12)    M\xFCller\r\n(7)      Wei\xDF\r\n", {"(12)    Müller", "(7)      Weiß"}},
      {"4711\r\n\r\nM7\r\n", {"4711", "", "M7"}},
      {"4711\nM7", {"4711", "M7"}},
      {"\r\n", {""}},
      {"", {}},
  };
  for (const auto& [bytes, lines] : cases) {
    t.files.addFile(pruefer, bytes);
    const auto read = ReadCatalog(t.files, pruefer);
    ASSERT_TRUE(read.has_value()) << bytes;
    EXPECT_EQ(*read, lines) << bytes;
  }
}

TEST_F(CatalogFilesTest, MissingFileIsNotAnEmptyCatalogue) {
  EXPECT_EQ(ReadCatalog(t.files, pruefer), std::nullopt);
  t.files.addFile(pruefer, "");
  EXPECT_EQ(ReadCatalog(t.files, pruefer), std::vector<std::string>());
}

TEST_F(CatalogFilesTest, WritesOneLinePerEntryInWindows1252) {
  t.files.addFile(pruefer, "(1)     Alt\r\n(2)     Alt\r\n(3)     Alt\r\n");
  ASSERT_TRUE(WriteCatalog(t.files, pruefer, {"(12)    Müller", "(1234)   Leading"}));
  EXPECT_EQ(t.files.content(pruefer), "(12)    M\xFCller\r\n(1234)   Leading\r\n");
  EXPECT_EQ(ReadCatalog(t.files, pruefer),
            std::vector<std::string>({"(12)    Müller", "(1234)   Leading"}));
}

TEST_F(CatalogFilesTest, EmptyListWritesAnEmptyFile) {
  t.files.addFile(pruefer, "(1)     Alt\r\n");
  ASSERT_TRUE(WriteCatalog(t.files, pruefer, {}));
  EXPECT_TRUE(t.files.hasFile(pruefer));
  EXPECT_EQ(t.files.content(pruefer), "");
}

TEST_F(CatalogFilesTest, DeleteFailureIsIgnored) {
  t.files.addFolder(joinPath(t.env.programFolder, "Kataloge"));
  t.files.failWhen = [](const FsCall& call) { return call.op == FsOp::RemoveFile; };
  EXPECT_TRUE(WriteCatalog(t.files, pruefer, {"4711"}));
  EXPECT_EQ(t.files.content(pruefer), "4711\r\n");
}

TEST_F(CatalogFilesTest, FailureToCreateOrWriteIsReported) {
  EXPECT_FALSE(WriteCatalog(t.files, pruefer, {"4711"})) << "folder Kataloge missing";
  t.files.addFolder(joinPath(t.env.programFolder, "Kataloge"));
  for (const FsOp op : {FsOp::CreateFile, FsOp::Write, FsOp::Close}) {
    t.files.failWhen = [op](const FsCall& call) { return call.op == op; };
    EXPECT_FALSE(WriteCatalog(t.files, pruefer, {"4711"})) << static_cast<int>(op);
  }
}

TEST_F(CatalogFilesTest, MissingListCataloguesAreReportedInspectorFirst) {
  EXPECT_TRUE(ReadCatalogForList(t.env, Catalog::Pruefer).empty());
  EXPECT_TRUE(ReadCatalogForList(t.env, Catalog::Maschine).empty());
  EXPECT_TRUE(ReadCatalogForList(t.env, Catalog::NestID).empty());
  const std::vector<ShownPrompt> expected = {
      {PromptKind::Stop, "Katalogdatei für Prüfer fehlt. Erzeugen Sie zuerst diesen Katalog."},
      {PromptKind::Stop, "Katalogdatei für Maschine fehlt. Erzeugen Sie zuerst diesen Katalog."},
  };
  EXPECT_EQ(t.prompts.shown, expected);
}

TEST_F(CatalogFilesTest, PresentCatalogueFillsTheListSilently) {
  t.files.addFile(path(Catalog::Maschine), "4711\r\nM7\r\n");
  EXPECT_EQ(ReadCatalogForList(t.env, Catalog::Maschine), std::vector<std::string>({"4711", "M7"}));
  t.files.addFile(pruefer, "");
  EXPECT_TRUE(ReadCatalogForList(t.env, Catalog::Pruefer).empty());
  EXPECT_TRUE(t.prompts.shown.empty());
}

}  // namespace
}  // namespace kvotlk::test
