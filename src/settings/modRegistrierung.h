#pragma once

#include <string>
#include <string_view>

#include "settings/SettingsStore.h"

// Reading a setting with its default (written back at once when the value is missing)
// and writing a setting.
namespace kvotlk {

// The registry key below which the program keeps its settings, with its trailing "\".
inline constexpr std::string_view kRegistryRoot =
    R"(HKEY_CURRENT_USER\SOFTWARE\SolvikGermany\KVOTLK\Settings\)";

// The one section of the program's settings.
inline constexpr std::string_view kConfigSection = "Config";

// strRegistryRoot + section + "\" + key.
std::string SettingPath(std::string_view strRegistryRoot, std::string_view section,
                        std::string_view key);

// The stored text, or the default when the value cannot be read: the machine-wide default
// that IT set for the PC, else the one given. A missing value gets the default taken
// written back at once (a failed write-back is silent, the next read tries again). An
// existing empty value is returned as it is.
std::string ReadSetting(SettingsStore& store, std::string_view strRegistryRoot,
                        std::string_view section, std::string_view key, std::string_view deflt);

// Stores the value as text; false when it could not be stored.
bool WriteSetting(SettingsStore& store, std::string_view strRegistryRoot, std::string_view section,
                  std::string_view key, std::string_view value);

}  // namespace kvotlk
