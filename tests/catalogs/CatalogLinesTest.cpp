#include <gtest/gtest.h>

#include "catalogs/CatalogLines.h"

namespace kvotlk::test {
namespace {

using Cases = std::vector<std::pair<std::string, std::string>>;

TEST(CatalogLines, BracketedFieldPaddedToEightCharactersLongerKeptWhole) {
  for (const auto& [number, field] : Cases{{"1234", "(1234)  "},
                                           {"7", "(7)     "},
                                           {"123456", "(123456)"},
                                           {"1234567", "(1234567)"},
                                           {"ü", "(ü)     "}}) {
    EXPECT_EQ(BracketedField(number), field) << number;
  }
}

TEST(CatalogLines, InspectorNumberFromTheSecondCharacterUpToTheFirstClosingBracket) {
  for (const auto& [entry, number] : Cases{{"(1234)  Name", "1234"},
                                           {"(12)(3) Name", "12"},
                                           {"( 12)   Name", " 12"},
                                           {")12)    Name", "12"},
                                           {"ü12)    Name", "12"},
                                           {"(12     Name", ""},
                                           {")", ""},
                                           {"", ""}}) {
    EXPECT_EQ(InspectorNumberOfEntry(entry), number) << entry;
  }
}

TEST(CatalogLines, HandoffNumberBetweenTheFirstOpeningAndTheNextClosingBracket) {
  for (const auto& [line, number] :
       Cases{{"( 12 )  Name", "12"}, {"x)(7)   Name", "7"}, {"(12     Name", ""}, {"Name", ""}}) {
    EXPECT_EQ(NumberInBrackets(line), number) << line;
  }
}

TEST(CatalogLines, NestIDLookupComparesTheNumberFieldAsTextIgnoringCase) {
  const std::vector<std::string> lines = {"",
                                          "ohne Klammern",
                                          "(5 offen",
                                          "5) zu",
                                          ")(5)    X",
                                          "(3)     Nest links",
                                          "( 4 )   Vier",
                                          "(2)     A)B",
                                          "(ab)    Nest-A",
                                          "(ÄB)    Süd",
                                          "(4)     Zweiter",
                                          "(7)"};
  const std::pair<const char*, std::optional<std::string>> cases[] = {
      {"3", "Nest links"}, {" 3 ", "Nest links"}, {"03", std::nullopt}, {"4", "Vier"},
      {"2", "A"},          {"AB", "Nest-A"},      {"äb", "Süd"},        {"7", ""},
      {"5", std::nullopt}, {"", std::nullopt}};
  for (const auto& [key, nestID] : cases) {
    EXPECT_EQ(FindNestID(lines, key), nestID) << key;
  }
}

}  // namespace
}  // namespace kvotlk::test
