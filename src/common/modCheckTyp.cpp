#include "common/modCheckTyp.h"

#include "common/LocaleNumbers.h"
#include "common/Text.h"

namespace kvotlk {

bool IsLong(LocaleNumbers& numbers, std::string_view text) {
  return numbers.toInt32(text).has_value();
}

bool IsNonZeroNumber(LocaleNumbers& numbers, std::string_view text) {
  const std::string word = lowerCase(trimBlanks(text));
  if (word == "true") {
    return true;
  }
  if (word == "false") {
    return false;
  }
  return numbers.isNonZero(text).value_or(false);
}

}  // namespace kvotlk
