#include "kvotlk-replay/SettingsFile.h"

#include <optional>
#include <utility>
#include <vector>

#include "settings/modRegistrierung.h"

namespace kvotlk::replay {
namespace {

std::optional<SettingKey> findKey(std::string_view name) {
  const std::string folded = foldCase(name);
  for (const SettingInfo& info : SettingTable()) {
    if (foldCase(info.name) == folded) {
      return info.key;
    }
  }
  return std::nullopt;
}

std::string unknownKeyMessage(std::string_view name) {
  std::vector<std::string_view> names;
  names.reserve(kSettingCount);
  for (const SettingInfo& info : SettingTable()) {
    names.push_back(info.name);
  }
  return "Unbekannte Einstellung \"" + std::string(name) + "\". Bekannt sind " +
         listInGerman(names) + ".";
}

constexpr std::string_view kMachineSection = "Maschine";

// A line "[Name]": the section it opens, else what is wrong.
std::variant<bool, std::string> machineSection(std::string_view text) {
  if (text.size() < 2 || text.back() != ']') {
    return "Die Zeile \"" + std::string(text) +
           "\" ist weder Schlüssel=Wert noch ein Abschnitt wie [Config].";
  }
  const std::string name = foldCase(trimSpace(text.substr(1, text.size() - 2)));
  if (name != foldCase(kConfigSection) && name != foldCase(kMachineSection)) {
    return "Erlaubt sind die Abschnitte [Config] und [Maschine], nicht [" +
           trimSpace(text.substr(1, text.size() - 2)) + "].";
  }
  return name == foldCase(kMachineSection);
}

}  // namespace

SettingsInputOrError parseSettingsFile(std::string_view content, const std::string& fileName) {
  auto split = splitInputLines(content, fileName);
  if (auto* error = std::get_if<InputFileError>(&split)) {
    return *error;
  }
  SettingsInput input;
  std::map<std::pair<bool, SettingKey>, int> seen;
  bool machine = false;
  for (const InputLine& entry : std::get<std::vector<InputLine>>(split)) {
    if (const auto* other = std::get_if<OtherLine>(&entry)) {
      if (other->text.front() != '[') {
        return InputFileError{
            fileName, other->line,
            "Die Zeile hat kein \"=\". Erwartet wird Schlüssel=Wert, etwa NumDez=3."};
      }
      const auto section = machineSection(other->text);
      if (const auto* problem = std::get_if<std::string>(&section)) {
        return InputFileError{fileName, other->line, *problem};
      }
      machine = std::get<bool>(section);
      continue;
    }
    const auto& line = std::get<NameValueLine>(entry);
    if (line.name.empty()) {
      return InputFileError{fileName, line.line, "Vor dem \"=\" fehlt der Schlüssel."};
    }
    const auto key = findKey(line.name);
    if (!key) {
      return InputFileError{fileName, line.line, unknownKeyMessage(line.name)};
    }
    if (const auto earlier = seen.find({machine, *key}); earlier != seen.end()) {
      return InputFileError{fileName, line.line,
                            "Die Einstellung \"" + std::string(SettingName(*key)) +
                                "\" steht schon in Zeile " + std::to_string(earlier->second) + "."};
    }
    seen.emplace(std::pair{machine, *key}, line.line);
    (machine ? input.machineDefaults : input.values).emplace(*key, line.value);
  }
  return input;
}

}  // namespace kvotlk::replay
