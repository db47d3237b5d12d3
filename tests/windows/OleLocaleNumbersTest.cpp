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

void checkTable(LocaleNumbers& numbers, std::span<const NumberCase> cases) {
  for (const NumberCase& c : cases) {
    SCOPED_TRACE(std::string("text \"") + c.text + "\"");
    EXPECT_EQ(numbers.toInt32(c.text), c.asInt32);
    EXPECT_EQ(numbers.toInt16(c.text), c.asInt16);
    EXPECT_EQ(numbers.toDouble(c.text), c.asDouble);
  }
}

TEST(OleLocaleNumbers, GermanTable) {
  OleLocaleNumbers numbers(kGerman);
  checkTable(numbers, kGermanNumberCases);
}

TEST(OleLocaleNumbers, EnglishTable) {
  OleLocaleNumbers numbers(kEnglish);
  checkTable(numbers, kEnglishNumberCases);
}

TEST(OleLocaleNumbers, DecimalSeparatorOfTheLocale) {
  EXPECT_EQ(OleLocaleNumbers(kGerman).decimalSeparator(), ",");
  EXPECT_EQ(OleLocaleNumbers(kEnglish).decimalSeparator(), ".");
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
  const auto numbers = makeLocaleNumbers();
  if (language == LANG_GERMAN) {
    EXPECT_EQ(numbers->decimalSeparator(), ",");
    checkTable(*numbers, kGermanNumberCases);
  } else if (language == LANG_ENGLISH) {
    EXPECT_EQ(numbers->decimalSeparator(), ".");
    checkTable(*numbers, kEnglishNumberCases);
  } else {
    GTEST_SKIP() << "user locale neither German nor English";
  }
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
