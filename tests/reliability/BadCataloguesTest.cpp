// Catalogues the editors never write (no brackets, only brackets, empty lines, 10,000
// lines, bytes 0x80-0xFF, lines of 100,000 characters, no final line end) through every
// reader of core: the main window's lists, the confirmation's inspector number, the
// nest-ID lookup and the editors' load.
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

Tally confirmEachLine(OrderFixture& f, const std::vector<std::string>& lines) {
  Tally tally;
  for (const std::string& line : lines) {
    f.form.combo_Pruefer = line;
    const auto failure = ConfirmOrder(f.env, f.g, f.form);
    if (!failure) {
      ++tally.confirmed;
    } else if (failure->message == "Prüfernummer darf nur 4stellig sein.") {
      ++tally.tooLong;
    } else {
      EXPECT_EQ(failure->message, "Prüfernummer muss vom Typ Integer (Ganzzahl) sein.");
      ++tally.notWhole;
    }
  }
  return tally;
}

TEST(BadCatalogues, EveryReaderTakesWhatItCanAndRefusesTheRestWithItsMessage) {
  for (const BadCatalogue& bad : badCatalogues()) {
    SCOPED_TRACE(bad.label);
    OrderFixture f;
    for (const Catalog c : {Catalog::Pruefer, Catalog::Maschine, Catalog::NestID}) {
      f.files.addFile(CatalogPath(f.env.programFolder, c), bad.bytes);
    }
    const std::vector<std::string> list = ReadCatalogForList(f.env, Catalog::Pruefer);
    EXPECT_EQ(list.size(), bad.lines);
    EXPECT_EQ(LoadCatalog(f.env, Catalog::Maschine), list);
    EXPECT_TRUE(f.prompts.shown.empty());
    EXPECT_EQ(confirmEachLine(f, list), bad.inspectors);
    f.g.strNestIDVerwenden = "1";
    for (const auto& [number, nestID] : bad.nestIDs) {
      EXPECT_EQ(LookUpNestID(f.env, f.g, number), fromCp1252(nestID)) << number.substr(0, 10);
    }
  }
}

}  // namespace
}  // namespace kvotlk::test
