#include <gtest/gtest.h>

#include <cstdlib>
#include <span>
#include <string>

#include "common/NumberCases.h"
#include "platform/windows/OleLocaleNumbers.h"

namespace kvotlk::test {
namespace {

using windows::OleLocaleNumbers;

const LCID kGerman = MAKELCID(MAKELANGID(LANG_GERMAN, SUBLANG_GERMAN), SORT_DEFAULT);
const LCID kEnglish = MAKELCID(MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US), SORT_DEFAULT);

// The shared table and the decimal separator of a German or an English locale.
void checkLanguage(LocaleNumbers& numbers, LANGID language) {
  const bool german = language == LANG_GERMAN;
  EXPECT_EQ(numbers.decimalSeparator(), german ? "," : ".");
  for (const NumberCase& c : german ? std::span<const NumberCase>(kGermanNumberCases)
                                    : std::span<const NumberCase>(kEnglishNumberCases)) {
    SCOPED_TRACE(std::string("text \"") + c.text + "\"");
    EXPECT_EQ(numbers.toInt32(c.text), c.asInt32);
    EXPECT_EQ(numbers.toInt16(c.text), c.asInt16);
    EXPECT_EQ(numbers.toDouble(c.text), c.asDouble);
    EXPECT_EQ(numbers.isNonZero(c.text), nonZeroOf(c));
  }
}

TEST(OleLocaleNumbers, GermanAndEnglishTables) {
  OleLocaleNumbers german(kGerman);
  checkLanguage(german, LANG_GERMAN);
  for (const auto& [text, nonZero] : longGermanNumbers()) {
    EXPECT_EQ(german.isNonZero(text), nonZero) << text;
  }
  OleLocaleNumbers english(kEnglish);
  checkLanguage(english, LANG_ENGLISH);
}

// The program's conversions follow the user's locale. Under Wine the user's locale comes
// from LC_ALL when the process starts; CTest runs this case once with a German and once
// with an English one and names the expected language in KVOTLK_EXPECTED_LANGUAGE.
TEST(UserLocaleNumbers, FollowTheUsersLocale) {
  const LANGID language = PRIMARYLANGID(LANGIDFROMLCID(GetUserDefaultLCID()));
  const char* const expected = std::getenv("KVOTLK_EXPECTED_LANGUAGE");
  if (expected != nullptr) {
    EXPECT_EQ(language, std::string(expected) == "de" ? LANG_GERMAN : LANG_ENGLISH);
  }
  if (language != LANG_GERMAN && language != LANG_ENGLISH) {
    GTEST_SKIP() << "user locale neither German nor English";
  }
  checkLanguage(*makeLocaleNumbers(), language);
}

// Text the wide API would cut short or misread never converts.
TEST(OleLocaleNumbers, BrokenTextFails) {
  OleLocaleNumbers numbers(kGerman);
  const std::string withNul(
      "12\0"
      "34",
      5);
  const std::string brokenUtf8 = "12\xC3";
  for (const std::string& text : {withNul, brokenUtf8}) {
    EXPECT_EQ(numbers.toInt32(text), std::nullopt);
    EXPECT_EQ(numbers.toInt16(text), std::nullopt);
    EXPECT_EQ(numbers.toDouble(text), std::nullopt);
  }
}

}  // namespace
}  // namespace kvotlk::test
