#include <gtest/gtest.h>

#include "common/Paths.h"
#include "common/Text.h"

namespace kvotlk::test {
namespace {

TEST(Cp1252, EveryByteRoundTripsAndWhatItCannotHoldBecomesAQuestionMark) {
  std::string all;
  for (int b = 0; b < 256; ++b) {
    all += static_cast<char>(b);
  }
  EXPECT_EQ(toCp1252(fromCp1252(all)), all);
  EXPECT_EQ(toCp1252("€ „x“ – ß Ä Ÿ"), "\x80 \x84x\x93 \x96 \xDF \xC4 \x9F");
  // Not in the code page, broken, a lone continuation byte, cut, overlong, beyond the BMP
  // (the first such character), a surrogate.
  EXPECT_EQ(toCp1252("a\u4E2Db|a\xFF|\x80|\xC3|\xC0\xAF|\U00010000|\xED\xA0\x80"),
            "a?b|a?|?|?|??|?|???");
}

TEST(TextHelpers, CharactersNotBytes) {
  EXPECT_EQ(trimBlanks("  a b  ") + "|" + trimBlanks("\ta ") + "|" + trimBlanks("   "), "a b|\ta|");
  EXPECT_EQ(leftChars("Prüfer", 3) + midChars("äöü", 1) + rightChars("ab", 4), "Prüöüab");
  EXPECT_EQ(lowerCase("AB Ä Ö Ü × 9 @[\u0800\x80"), "ab ä ö ü × 9 @[\u0800\uFFFD");
  EXPECT_EQ(joinPath("dir", "f.txt"), "dir" + std::string(1, kPathSeparator) + "f.txt");
}

}  // namespace
}  // namespace kvotlk::test
