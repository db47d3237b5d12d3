#include <gtest/gtest.h>

#include "common/Paths.h"
#include "common/Text.h"

namespace kvotlk::test {
namespace {

TEST(Cp1252, EveryByteSurvivesTheRoundTrip) {
  std::string all;
  for (int b = 0; b < 256; ++b) {
    all += static_cast<char>(b);
  }
  EXPECT_EQ(toCp1252(fromCp1252(all)), all);
}

TEST(Cp1252, KnownCharacters) {
  EXPECT_EQ(toCp1252("Prüfer"),
            "Pr\xFC"
            "fer");
  EXPECT_EQ(fromCp1252("\x80"), "€");
  EXPECT_EQ(toCp1252("€ „x“ – ß Ä"), "\x80 \x84x\x93 \x96 \xDF \xC4");
  EXPECT_EQ(fromCp1252("\x9F"), "Ÿ");
}

TEST(Cp1252, WhatItCannotHoldBecomesAQuestionMark) {
  EXPECT_EQ(toCp1252("a\u4E2Db"), "a?b");
  EXPECT_EQ(toCp1252("a\xFF"
                     "b"),
            "a?b");                       // broken UTF-8
  EXPECT_EQ(toCp1252("\xC3"), "?");       // cut sequence
  EXPECT_EQ(toCp1252("\xC0\xAF"), "??");  // overlong
  EXPECT_EQ(toCp1252("\U0001F600"), "?");
}

TEST(Lines, EndsAndLastLine) {
  struct Case {
    std::string content;
    std::vector<std::string> lines;
  };
  const Case cases[] = {
      {"", {}},
      {"a", {"a"}},
      {"a\r\nb\r\n", {"a", "b"}},
      {"a\nb", {"a", "b"}},
      {"\r\n\r\n", {"", ""}},
      {"a\r\n\r\nb", {"a", "", "b"}},
      {"x\ry\r\n", {"x", "y"}},
      {"a\r\rb", {"a", "", "b"}},
      {"a\n\r\nb\r", {"a", "", "b"}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(splitLines(c.content), c.lines) << c.content;
  }
  std::string out;
  appendLine(out, "A");
  appendLine(out, "");
  EXPECT_EQ(out, "A\r\n\r\n");
}

TEST(TextHelpers, CharactersNotBytes) {
  EXPECT_EQ(trimBlanks("  a b  "), "a b");
  EXPECT_EQ(trimBlanks("\ta "), "\ta");
  EXPECT_EQ(trimBlanks("   "), "");
  EXPECT_EQ(charCount("Prüfer"), 6U);
  EXPECT_EQ(leftChars("Prüfer", 3), "Prü");
  EXPECT_EQ(rightChars("Daten", 4), "aten");
  EXPECT_EQ(rightChars("ab", 4), "ab");
  EXPECT_EQ(midChars("(1234)  Name", 1, 4), "1234");
  EXPECT_EQ(midChars("äöü", 1), "öü");
  EXPECT_EQ(lowerCase("AB Ä Ö Ü × 9"), "ab ä ö ü × 9");
}

TEST(Paths, JoinAndTrailingSeparator) {
  const std::string sep(1, kPathSeparator);
  EXPECT_EQ(joinPath("dir", "f.txt"), "dir" + sep + "f.txt");
  EXPECT_EQ(withoutTrailingSeparator("dir" + sep), "dir");
  EXPECT_EQ(withoutTrailingSeparator(sep), sep);
  EXPECT_EQ(toUtf8(toFsPath("Prüfer/ä")), "Prüfer/ä");
}

}  // namespace
}  // namespace kvotlk::test
