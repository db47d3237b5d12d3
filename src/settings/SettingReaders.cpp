#include "settings/SettingReaders.h"

#include "common/Environment.h"
#include "common/LocaleNumbers.h"
#include "settings/modRegistrierung.h"
#include "state/modGlobaleVariablen.h"

namespace kvotlk {
namespace {

// Numeric keys have fixed defaults, so the program folder plays no part here.
std::string numericDefault(SettingKey key) { return SettingDefault(key, {}); }

}  // namespace

std::string ReadConfig(Environment& env, const SettingsRoot& g, SettingKey key) {
  return ReadSetting(env.settings, g.strRegistryRoot, kConfigSection, SettingName(key),
                     SettingDefault(key, env.programFolder));
}

bool WriteConfig(Environment& env, const SettingsRoot& g, SettingKey key, std::string_view value) {
  return WriteSetting(env.settings, g.strRegistryRoot, kConfigSection, SettingName(key), value);
}

std::int16_t SettingAsInt16(LocaleNumbers& numbers, std::string_view text, SettingKey key) {
  if (const auto value = numbers.toInt16(text)) {
    return *value;
  }
  return numbers.toInt16(numericDefault(key)).value_or(0);
}

double SettingAsNumber(LocaleNumbers& numbers, std::string_view text, SettingKey key) {
  if (const auto value = numbers.toDouble(text)) {
    return *value;
  }
  return numbers.toDouble(numericDefault(key)).value_or(0.0);
}

bool SettingAsFlag(LocaleNumbers& numbers, std::string_view text, SettingKey key) {
  return SettingAsNumber(numbers, text, key) != 0.0;
}

std::int16_t ReadConfigInt16(Environment& env, const SettingsRoot& g, SettingKey key) {
  return SettingAsInt16(env.numbers, ReadConfig(env, g, key), key);
}

double ReadConfigNumber(Environment& env, const SettingsRoot& g, SettingKey key) {
  return SettingAsNumber(env.numbers, ReadConfig(env, g, key), key);
}

bool ReadConfigFlag(Environment& env, const SettingsRoot& g, SettingKey key) {
  return SettingAsFlag(env.numbers, ReadConfig(env, g, key), key);
}

}  // namespace kvotlk
