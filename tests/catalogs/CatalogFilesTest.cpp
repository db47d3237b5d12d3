#include <gtest/gtest.h>

#include "catalogs/CatalogLines.h"

// Reading and writing the catalogues are shown by tests/cases/kataloge and the catalogue
// editors' window scripts (tests/cases/fenster/katalog-*): none has a number of seven
// digits or one that is not ASCII.
namespace kvotlk::test {
namespace {

TEST(BracketedField, PadsToEightCharactersNotBytesAndNeverCuts) {
  EXPECT_EQ(BracketedField("1234567") + BracketedField("ü"), "(1234567)(ü)     ");
}

}  // namespace
}  // namespace kvotlk::test
