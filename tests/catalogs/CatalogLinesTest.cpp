#include <gtest/gtest.h>

#include "catalogs/CatalogLines.h"
#include "common/Text.h"

namespace kvotlk::test {
namespace {

TEST(BracketedField, PaddedToEightCharactersLongerKeptWhole) {
  const std::pair<const char*, const char*> cases[] = {
      {"1234", "(1234)  "},   {"7", "(7)     "},        {"12", "(12)    "}, {"", "()      "},
      {"123456", "(123456)"}, {"1234567", "(1234567)"}, {"ü", "(ü)     "},
  };
  for (const auto& [number, field] : cases) {
    EXPECT_EQ(BracketedField(number), field) << number;
  }
}

TEST(BracketedField, NameStartsAtTheNinthCharacter) {
  for (const char* number : {"1234", "7", "ß1"}) {
    const std::string line = BracketedField(number) + " Müller";
    EXPECT_EQ(midChars(line, 8), " Müller") << number;
  }
}

TEST(InspectorNumberOfEntry, FromTheSecondCharacterUpToTheFirstClosingBracket) {
  const std::pair<const char*, const char*> cases[] = {
      {"(1234)  Name", "1234"},
      {"(12345) Name", "12345"},
      {"(12a4)  Name", "12a4"},
      {"(12)(3) Name", "12"},
      {"( 12)   Name", " 12"},
      {"()      Name", ""},
      {")12)    Name", "12"},
      {"ü12)    Name", "12"},
      {"(12     Name", ""},
      {"Name", ""},
      {")", ""},
      {"", ""},
  };
  for (const auto& [entry, number] : cases) {
    EXPECT_EQ(InspectorNumberOfEntry(entry), number) << entry;
  }
}

TEST(NumberInBrackets, BetweenTheFirstOpeningAndTheNextClosingBracket) {
  const std::pair<const char*, const char*> cases[] = {
      {"(12)    Name", "12"}, {"( 12 )  Name", "12"}, {"x)(7)   Name", "7"},
      {"(12     Name", ""},   {"Name", ""},           {"", ""},
  };
  for (const auto& [line, number] : cases) {
    EXPECT_EQ(NumberInBrackets(line), number) << line;
  }
}

TEST(NestIDOfLine, UpToTheNextClosingBracketTrimmed) {
  EXPECT_EQ(NestIDOfLine("(3)     Nest links"), "Nest links");
  EXPECT_EQ(NestIDOfLine("(2)     A)B"), "A");
  EXPECT_EQ(NestIDOfLine("(2)  A  "), "A");
  EXPECT_EQ(NestIDOfLine("(2)"), "");
  EXPECT_EQ(NestIDOfLine("Nest links"), std::nullopt);
}

struct LookupCase {
  std::vector<std::string> lines;
  const char* key;
  std::optional<std::string> nestID;
};

TEST(FindNestID, TextCompareOfTheNumberFieldIgnoringCase) {
  const LookupCase cases[] = {
      {{"(3)     Nest links"}, "3", "Nest links"},
      {{"(3)     Nest links"}, " 3 ", "Nest links"},
      {{"(3)     Nest links"}, "03", std::nullopt},
      {{"(1)     Nest"}, "01", std::nullopt},
      {{"(ab)    Nest-A"}, "AB", "Nest-A"},
      {{"(ÄB)    Süd"}, "äb", "Süd"},
      {{"( 4 )   Vier"}, "4", "Vier"},
      {{"(2)     A)B"}, "2", "A"},
      {{"(4)     Erster", "(4)     Zweiter"}, "4", "Erster"},
      {{"(7)"}, "7", ""},
      {{"", "ohne Klammern", "(5 offen", "5) zu", ")(5)    X"}, "5", std::nullopt},
      {{"", "(5)     Fünf"}, "5", "Fünf"},
      {{}, "5", std::nullopt},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(FindNestID(c.lines, c.key), c.nestID) << c.key;
  }
}

}  // namespace
}  // namespace kvotlk::test
