// Catalogues the editors never write (no brackets, only brackets, empty lines, 10,000
// lines, bytes 0x80-0xFF, lines of 100,000 characters, no final line end) through every
// reader: the main window's lists, the confirmation's inspector number, the nest-ID
// lookup and the editors' load; and a catalogue that is there but cannot be read.
#include <gtest/gtest.h>

#include "catalogs/CatalogEntries.h"
#include "catalogs/CatalogFiles.h"
#include "common/Text.h"
#include "entry/OrderConfirmation.h"
#include "entry/OrderFixture.h"
#include "entry/OrderFormRules.h"
#include "reliability/BadCatalogues.h"

namespace kvotlk::test {
namespace {

const std::string kTooLong = "Prüfernummer darf nur 4stellig sein.";
const std::string kNotWhole = "Prüfernummer muss vom Typ Integer (Ganzzahl) sein.";

// How confirmations with each line of the catalogue as the inspector end.
struct Tally {
  int confirmed = 0;
  int tooLong = 0;
  int notWhole = 0;
  bool operator==(const Tally&) const = default;
};

struct Expected {
  std::size_t lines;
  Tally inspectors;
  std::vector<std::pair<std::string, std::string>> nestIDs;  // nest number, nest ID
};

const std::vector<Expected>& expectations() {
  static const std::vector<Expected> table = {
      {2, {0, 0, 2}, {{"12", ""}}},
      {4, {0, 0, 4}, {{"", ""}, {"(", ""}}},
      {4, {1, 0, 3}, {{"12", "Name"}, {"", ""}}},
      {10000, {9999, 1, 0}, {{"9999", "Name 9999"}, {"10000", "Name 10000"}}},
      {1, {1, 0, 0}, {{"12", fromCp1252(everyHighByte())}}},
      {2, {1, 1, 0}, {{"1", std::string(99992, 'x')}, {std::string(99998, '1'), ""}}},
      {2, {2, 0, 0}, {{"3", "Letzte"}}},
  };
  return table;
}

Tally confirmEachLine(OrderFixture& f, const std::vector<std::string>& lines) {
  Tally tally;
  for (const std::string& line : lines) {
    f.form.combo_Pruefer = line;
    const auto failure = ConfirmOrder(f.env, f.g, f.form);
    if (!failure) {
      ++tally.confirmed;
    } else if (failure->message == kTooLong) {
      ++tally.tooLong;
    } else {
      EXPECT_EQ(failure->message, kNotWhole) << line.substr(0, 40);
      ++tally.notWhole;
    }
  }
  return tally;
}

TEST(BadCatalogues, EveryReaderTakesWhatItCanAndRefusesTheRestWithItsMessage) {
  ASSERT_EQ(badCatalogues().size(), expectations().size());
  for (std::size_t i = 0; i < badCatalogues().size(); ++i) {
    const BadCatalogue& bad = badCatalogues()[i];
    const Expected& expected = expectations()[i];
    SCOPED_TRACE(bad.label);
    OrderFixture f;
    for (const Catalog c : {Catalog::Pruefer, Catalog::Maschine, Catalog::NestID}) {
      f.files.addFile(CatalogPath(f.env.programFolder, c), bad.bytes);
    }

    const std::vector<std::string> list = ReadCatalogForList(f.env, Catalog::Pruefer);
    EXPECT_EQ(list.size(), expected.lines);
    EXPECT_EQ(LoadCatalog(f.env, Catalog::Maschine), list);
    EXPECT_TRUE(f.prompts.shown.empty());

    EXPECT_EQ(confirmEachLine(f, list), expected.inspectors);

    f.g.strNestIDVerwenden = "1";
    for (const auto& [number, nestID] : expected.nestIDs) {
      EXPECT_EQ(LookUpNestID(f.env, f.g, number), nestID) << number.substr(0, 10);
    }
  }
}

TEST(BadCatalogues, AnEditorRefusesToOpenOverAFileItCannotRead) {
  TestEnvironment t;
  const std::string path = CatalogPath(t.env.programFolder, Catalog::Pruefer);
  EXPECT_EQ(LoadCatalog(t.env, Catalog::Pruefer), std::vector<std::string>{});
  EXPECT_TRUE(t.prompts.shown.empty()) << "a missing file is an empty catalogue";

  t.files.addFile(path, "(12)    Name\r\n");
  t.files.failWhen = [](const FsCall& call) { return call.op == FsOp::ReadFile; };
  EXPECT_EQ(LoadCatalog(t.env, Catalog::Pruefer), std::nullopt);
  EXPECT_EQ(t.prompts.shown,
            (std::vector<ShownPrompt>{
                {PromptKind::Stop,
                 "Die Katalogdatei " + path +
                     " ist vorhanden, kann aber nicht gelesen werden.\r\n"
                     "Damit sie nicht überschrieben wird, kann der Katalog jetzt nicht "
                     "bearbeitet werden. Schließen Sie dieses Fenster und öffnen Sie es erneut, "
                     "sobald die Datei lesbar ist."}}));
  EXPECT_EQ(t.files.content(path), "(12)    Name\r\n");
}

}  // namespace
}  // namespace kvotlk::test
