#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

// The locale-numbers port: the operator's decimal separator and the conversions of typed
// text to numbers under the operator's regional settings. Blanks around a number are
// ignored; a fraction is rounded half to even for the whole-number conversions; a number
// outside the target range fails (nullopt).
namespace kvotlk {

class LocaleNumbers {
 public:
  virtual ~LocaleNumbers() = default;
  virtual std::string decimalSeparator() = 0;
  virtual std::optional<std::int32_t> toInt32(std::string_view text) = 0;
  virtual std::optional<std::int16_t> toInt16(std::string_view text) = 0;
  virtual std::optional<double> toDouble(std::string_view text) = 0;
  // Whether the text is a number other than zero, read from its digits, so a number of
  // any length counts (beyond the double range too); nullopt when it is no number.
  virtual std::optional<bool> isNonZero(std::string_view text) = 0;
};

// The same grammar as the platform conversions: surrounding blanks, an optional sign,
// digits with optional group separators between digits, an optional decimal separator
// followed by digits.
class PortableLocaleNumbers final : public LocaleNumbers {
 public:
  PortableLocaleNumbers(std::string decimalSeparator, std::string groupSeparator);

  std::string decimalSeparator() override { return decimal_; }
  std::optional<std::int32_t> toInt32(std::string_view text) override;
  std::optional<std::int16_t> toInt16(std::string_view text) override;
  std::optional<double> toDouble(std::string_view text) override;
  std::optional<bool> isNonZero(std::string_view text) override;

 private:
  std::string decimal_;
  std::string group_;
};

// German separators ("," and ".") and English ones ("." and ",").
PortableLocaleNumbers germanNumbers();
PortableLocaleNumbers englishNumbers();

// The operator's number rules; defined by the platform layer.
std::unique_ptr<LocaleNumbers> makeLocaleNumbers();

}  // namespace kvotlk
