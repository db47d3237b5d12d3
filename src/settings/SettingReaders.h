#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "settings/SettingKeys.h"

// Reading the program's settings (section "Config") with the key table's defaults, and
// turning stored texts into numbers. A stored text that is not a number in range counts
// as the key's default: a bad value in the registry never stops the program.
namespace kvotlk {

struct Environment;
struct SettingsRoot;
class LocaleNumbers;

std::string ReadConfig(Environment& env, const SettingsRoot& g, SettingKey key);
bool WriteConfig(Environment& env, const SettingsRoot& g, SettingKey key, std::string_view value);

// The text as a 16-bit whole number (a fraction rounded half to even), else the default's.
std::int16_t SettingAsInt16(LocaleNumbers& numbers, std::string_view text, SettingKey key);
// The text as a number, else the default's.
double SettingAsNumber(LocaleNumbers& numbers, std::string_view text, SettingKey key);
// "0" false, any other number true; a text that is not a number counts as the default.
bool SettingAsFlag(LocaleNumbers& numbers, std::string_view text, SettingKey key);

std::int16_t ReadConfigInt16(Environment& env, const SettingsRoot& g, SettingKey key);
double ReadConfigNumber(Environment& env, const SettingsRoot& g, SettingKey key);
bool ReadConfigFlag(Environment& env, const SettingsRoot& g, SettingKey key);

}  // namespace kvotlk
