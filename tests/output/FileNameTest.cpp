#include <gtest/gtest.h>

#include <array>
#include <set>

#include "common/Clock.h"
#include "output/OutputFixture.h"
#include "output/modCreateFileName.h"
#include "output/modTuLOutput.h"

namespace kvotlk::test {
namespace {

TEST(CreateRandomFileName, OneDrawPerLetterFromTheOneSource) {
  SequenceRandom random;
  random.draws = {0, 25, 1, 24, 12, 13, 7, 7};
  EXPECT_EQ(CreateRandomFileName(random, "txt", 8), "AZBYMNHH.txt");
  EXPECT_EQ(random.calls, 8);
  EXPECT_EQ(CreateRandomFileName(random, "txt", 0), ".txt");
  EXPECT_EQ(CreateRandomFileName(random, "dat", -3), ".dat");
  EXPECT_EQ(random.calls, 8);
}

TEST(CreateRandomFileName, SystemSourceGivesIndependentUniformLetters) {
  auto random = makeSystemRandom();
  std::set<std::string> names;
  std::array<int, 26> counts{};
  constexpr int kNames = 3250;  // 26,000 letters, 1,000 expected per letter
  for (int k = 0; k < kNames; ++k) {
    const std::string name = CreateRandomFileName(*random, "txt", 8);
    ASSERT_EQ(name.size(), 12U);
    ASSERT_EQ(name.substr(8), ".txt");
    for (const char c : name.substr(0, 8)) {
      ASSERT_TRUE(c >= 'A' && c <= 'Z') << name;
      ++counts[static_cast<std::size_t>(c - 'A')];
    }
    names.insert(name);
  }
  // Two names alike among 3,250 happens about once in 30,000 runs; letters all drawn from
  // one reseeded clock would collide at once.
  EXPECT_GE(names.size(), static_cast<std::size_t>(kNames - 1));
  for (const int count : counts) {
    EXPECT_GT(count, 800);  // more than six standard deviations from 1,000
    EXPECT_LT(count, 1200);
  }
}

TEST(StampedFileName, LastFourCharactersStayAtTheEnd) {
  struct Case {
    const char* file;
    const char* name;
  };
  const Case cases[] = {
      {"Solvik.txt", "Solvik_20261205_093005.txt"},
      {"Daten.dat", "Daten_20261205_093005.dat"},
      {"Daten", "D_20261205_093005aten"},
      {"abcd", "_20261205_093005abcd"},
      {"Prüfung.txt", "Prüfung_20261205_093005.txt"},
      {"Maß.ölx", "Maß_20261205_093005.ölx"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(StampedFileName(c.file, "20261205", "093005"), c.name);
  }
}

TEST(FixedFileNameProblem, NamesThatCannotBeUsed) {
  struct Case {
    const char* file;
    bool stamp;
    bool usable;
  };
  const Case cases[] = {
      {"Solvik.txt", false, true}, {"Daten", true, true},        {"a b.txt", false, true},
      {"Prüf.txt", false, true},   {"abcd", true, true},         {"abc", false, true},
      {"x.y.z", false, true},      {"CONSOLE.txt", false, true}, {"", false, false},
      {"", true, false},           {"abc", true, false},         {"a/b.txt", false, false},
      {"a\\b.txt", false, false},  {"..", false, false},         {"a..txt", false, true},
      {"C:x.txt", false, false},   {"a*b", false, false},        {"a?b", false, false},
      {"a\"b", false, false},      {"a<b", false, false},        {"a>b", false, false},
      {"a|b", false, false},       {"a\tb", false, false},       {"name.", false, false},
      {"name ", false, false},     {"CON", false, false},        {"con.txt", false, false},
      {"Lpt1.dat", false, false},  {"nul", true, false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(!FixedFileNameProblem(c.file, c.stamp).has_value(), c.usable)
        << '"' << c.file << "\" stamp " << c.stamp;
  }
}

TEST(FixedFileNameProblem, MessagesNameTheSetting) {
  const std::string closing =
      "\r\nKorrigieren Sie den festen Dateinamen in der Konfiguration; es wurden keine Daten "
      "gesendet.";
  EXPECT_EQ(FixedFileNameProblem("", false),
            "Der feste Dateiname (Einstellung FILE) ist leer." + closing);
  EXPECT_EQ(FixedFileNameProblem("..\\x.txt", false),
            "Der feste Dateiname \"..\\x.txt\" (Einstellung FILE) ist als Dateiname nicht "
            "zulässig.\r\nEr darf keine Pfadangabe, keines der Zeichen \\ / : * ? \" "
            "< > | und am Ende keinen Punkt und kein Leerzeichen haben." +
                closing);
  EXPECT_EQ(FixedFileNameProblem("abc", true),
            "Der feste Dateiname \"abc\" (Einstellung FILE) ist für die Datums- und "
            "Uhrzeitergänzung zu kurz.\r\nEr muss mindestens 4 Zeichen lang sein; die letzten 4 "
            "Zeichen gelten als Dateiendung." +
                closing);
}

TEST(GetDateAndTimeString, TwoDigitsEachAndFourForTheYear) {
  FixedClock clock;
  clock.current = {2026, 1, 5, 9, 3, 7};
  EXPECT_EQ(GetDateString(clock) + GetTimeString(clock), "20260105090307");
}

// The send reads FILE and DateTimeStamp only when RANDOM is off, so a random name is
// never refused for a fixed name it does not use. The names of every setting are held by
// the send's tests and by BadSettings in tests/reliability.
TEST(ChooseResultFileName, RandomNamingLeavesFileAndStampUnread) {
  TestEnvironment t;
  t.setSetting("RANDOM", "1");
  t.setSetting("FILE", "");
  const ResultFileName chosen = ChooseResultFileName(t.env, t.g);
  EXPECT_EQ(chosen.mode, NamingMode::Random);
  EXPECT_FALSE(chosen.problem.has_value());
  EXPECT_EQ(t.settings.readCount, 1);
}

}  // namespace
}  // namespace kvotlk::test
