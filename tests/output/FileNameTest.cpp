#include <gtest/gtest.h>

#include <array>
#include <set>

#include "common/Clock.h"
#include "output/modCreateFileName.h"
#include "output/modTuLOutput.h"

// The names the send uses are shown by tests/cases/senden; here the system's random
// letters, which no case can fix, and every kind of fixed name that is refused.
namespace kvotlk::test {
namespace {

TEST(CreateRandomFileName, SystemSourceGivesIndependentUniformLetters) {
  auto random = makeSystemRandom();
  std::set<std::string> names;
  std::array<int, 26> counts{};
  constexpr int kNames = 3250;  // 26,000 letters, 1,000 expected per letter
  for (int k = 0; k < kNames; ++k) {
    const std::string name = CreateRandomFileName(*random, "txt", 8);
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

TEST(FixedFileNameProblem, NamesThatCannotBeUsed) {
  for (const char* name :
       {"Solvik.txt", "a b.txt", "Prüf.txt", "abc", "x.y.z", "CONSOLE.txt", "a..txt"}) {
    EXPECT_FALSE(FixedFileNameProblem(name, false).has_value()) << name;
  }
  for (const char* name :
       {"", "a/b.txt", "a\\b.txt", "..", ".", "C:x.txt", "a*b", "a?b", "a\"b", "a<b", "a>b", "a|b",
        "a\tb", "name.", "name ", "CON", "con.txt", "Lpt1.dat"}) {
    EXPECT_TRUE(FixedFileNameProblem(name, false).has_value()) << name;
  }
  EXPECT_FALSE(FixedFileNameProblem("abcd", true).has_value());
  for (const char* name : {"", "abc", "nul"}) {
    EXPECT_TRUE(FixedFileNameProblem(name, true).has_value()) << name;
  }
}

}  // namespace
}  // namespace kvotlk::test
