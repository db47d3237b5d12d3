#include <gtest/gtest.h>

#include "catalogs/CatalogEntries.h"
#include "support/TestEnvironment.h"

namespace kvotlk::test {
namespace {

struct EntryCase {
  std::string number;
  std::string name;
  std::string lineOrMessage;
};

std::string outcome(const NewEntry& entry) {
  EXPECT_NE(entry.line.has_value(), !entry.message.empty());
  return entry.line.value_or(entry.message);
}

TEST(CatalogEntriesTest, InspectorEntries) {
  TestEnvironment t;
  for (const EntryCase& c :
       std::vector<EntryCase>{{"12", "Name", "(12)    Name"},
                              {" 12 ", " Müller ", "(12)     Müller "},
                              {"1234", "Lang", "(1234)  Lang"},
                              {"7", "Kurz", "(7)     Kurz"},
                              {"-12", "Minus", "(-12)   Minus"},
                              {"", "Name", "Felder nicht ausgefüllt."},
                              {"12", "   ", "Felder nicht ausgefüllt."},
                              {"   ", "", "Felder nicht ausgefüllt."},
                              {"12345", "Name", "Prüfernummer darf max. 4stellig sein."},
                              {"12a", "Name", "Prüfernummer muss eine Ganzzahl sein."},
                              {"1,5", "Name", "(1,5)   Name"},
                              {"abcde", "", "Felder nicht ausgefüllt."},
                              {"abcde", "Name", "Prüfernummer darf max. 4stellig sein."}}) {
    EXPECT_EQ(outcome(NewPrueferEntry(t.numbers, c.number, c.name)), c.lineOrMessage)
        << "[" << c.number << "] [" << c.name << "]";
  }
}

TEST(CatalogEntriesTest, NestIDEntries) {
  TestEnvironment t;
  for (const EntryCase& c :
       std::vector<EntryCase>{{"3", "Nest links", "(3)     Nest links"},
                              {"12", "A)B", "(12)    A)B"},
                              {"123", "Nest", "Prüfernummer darf max. 2stellig sein."},
                              {"x", "Nest", "Prüfernummer muss eine Ganzzahl sein."},
                              {"3", "", "Felder nicht ausgefüllt."}}) {
    EXPECT_EQ(outcome(NewNestIDEntry(t.numbers, c.number, c.name)), c.lineOrMessage) << c.number;
  }
}

TEST(CatalogEntriesTest, MachineEntries) {
  struct Case {
    std::string number;
    std::int16_t maxLength;
    std::string lineOrMessage;
  };
  for (const Case& c : std::vector<Case>{{"4711", 6, "4711"},
                                         {"  4711  ", 6, "4711"},
                                         {"ABCDEF", 6, "ABCDEF"},
                                         {"1234567", 6, "Maschinennummer darf max. 6stellig sein."},
                                         {"1234567", 7, "1234567"},
                                         {"123", 2, "Maschinennummer darf max. 2stellig sein."},
                                         {"  ", 6, "Felder nicht ausgefüllt."},
                                         {"", 0, "Felder nicht ausgefüllt."}}) {
    EXPECT_EQ(outcome(NewMaschineEntry(c.number, c.maxLength)), c.lineOrMessage) << c.number;
  }
}

}  // namespace
}  // namespace kvotlk::test
