#pragma once

#include <windows.h>

#include "common/LocaleNumbers.h"

namespace kvotlk::windows {

// The OLE Automation conversions (VarI4FromStr, VarI2FromStr, VarR8FromStr, and
// VarParseNumFromStr for the digits alone) under one
// locale, with the user's own changes to its separators. The program uses the user's
// default locale; tests pass a fixed one.
class OleLocaleNumbers final : public LocaleNumbers {
 public:
  explicit OleLocaleNumbers(LCID locale = LOCALE_USER_DEFAULT);

  std::string decimalSeparator() override;
  std::optional<std::int32_t> toInt32(std::string_view text) override;
  std::optional<std::int16_t> toInt16(std::string_view text) override;
  std::optional<double> toDouble(std::string_view text) override;
  std::optional<bool> isNonZero(std::string_view text) override;

 private:
  LCID locale_;
};

}  // namespace kvotlk::windows
