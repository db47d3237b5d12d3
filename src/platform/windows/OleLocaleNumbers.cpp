#include "platform/windows/OleLocaleNumbers.h"

#include <oleauto.h>

#include "platform/windows/WideText.h"

namespace kvotlk::windows {
namespace {

// The name GetLocaleInfoEx expects; empty when the locale has none.
std::wstring localeName(LCID locale) {
  if (locale == LOCALE_USER_DEFAULT) {
    return {};
  }
  wchar_t name[LOCALE_NAME_MAX_LENGTH] = {};
  if (LCIDToLocaleName(locale, name, LOCALE_NAME_MAX_LENGTH, 0) == 0) {
    return {};
  }
  return name;
}

}  // namespace

OleLocaleNumbers::OleLocaleNumbers(LCID locale) : locale_(locale) {}

std::string OleLocaleNumbers::decimalSeparator() {
  const std::wstring name = localeName(locale_);
  const wchar_t* const nameOrUser = name.empty() ? LOCALE_NAME_USER_DEFAULT : name.c_str();
  wchar_t separator[8] = {};
  const int length = GetLocaleInfoEx(nameOrUser, LOCALE_SDECIMAL, separator, 8);
  if (length <= 1) {
    return ".";
  }
  return fromWide(std::wstring_view(separator, static_cast<std::size_t>(length - 1)));
}

std::optional<std::int32_t> OleLocaleNumbers::toInt32(std::string_view text) {
  auto wide = toWide(text);
  LONG value = 0;
  if (!wide || FAILED(VarI4FromStr(wide->data(), locale_, 0, &value))) {
    return std::nullopt;
  }
  return static_cast<std::int32_t>(value);
}

std::optional<std::int16_t> OleLocaleNumbers::toInt16(std::string_view text) {
  auto wide = toWide(text);
  SHORT value = 0;
  if (!wide || FAILED(VarI2FromStr(wide->data(), locale_, 0, &value))) {
    return std::nullopt;
  }
  return static_cast<std::int16_t>(value);
}

std::optional<double> OleLocaleNumbers::toDouble(std::string_view text) {
  auto wide = toWide(text);
  DOUBLE value = 0.0;
  if (!wide || FAILED(VarR8FromStr(wide->data(), locale_, 0, &value))) {
    return std::nullopt;
  }
  return value;
}

// The parse VarR8FromStr makes, without the conversion that fails beyond the double
// range. Digits that do not fit the buffer are only counted; the first ones decide.
std::optional<bool> OleLocaleNumbers::isNonZero(std::string_view text) {
  auto wide = toWide(text);
  constexpr int kDigits = 64;
  BYTE digits[kDigits] = {};
  NUMPARSE parsed = {};
  parsed.cDig = kDigits;
  parsed.dwInFlags = NUMPRS_STD;
  if (!wide || FAILED(VarParseNumFromStr(wide->data(), locale_, 0, &parsed, digits))) {
    return std::nullopt;
  }
  for (int k = 0; k < parsed.cDig && k < kDigits; ++k) {
    if (digits[k] != 0) {
      return true;
    }
  }
  return false;
}

}  // namespace kvotlk::windows

namespace kvotlk {

std::unique_ptr<LocaleNumbers> makeLocaleNumbers() {
  return std::make_unique<windows::OleLocaleNumbers>();
}

}  // namespace kvotlk
