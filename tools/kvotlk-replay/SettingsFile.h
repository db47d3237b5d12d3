#pragma once

#include <map>
#include <string>
#include <string_view>
#include <variant>

#include "kvotlk-replay/InputFile.h"
#include "settings/SettingKeys.h"

// The settings file of kvotlk-replay: the program's settings as key=value lines, an INI
// section [Config] allowed; below [Maschine] the machine-wide defaults that IT sets for
// every account of the PC. A key without a line is a missing value, which takes its
// machine-wide default, else its built-in default, when it is read.
namespace kvotlk::replay {

struct SettingsInput {
  // The stored text of each key given, exactly as written after the "=".
  std::map<SettingKey, std::string> values;
  // The machine-wide defaults given.
  std::map<SettingKey, std::string> machineDefaults;

  bool operator==(const SettingsInput&) const = default;
};

using SettingsInputOrError = std::variant<SettingsInput, InputFileError>;

// Keys are compared without regard to case, as registry value names are. Each key may be
// given once a section; the sections are [Config] and [Maschine].
SettingsInputOrError parseSettingsFile(std::string_view content, const std::string& fileName);

}  // namespace kvotlk::replay
