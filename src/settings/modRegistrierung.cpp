#include "settings/modRegistrierung.h"

namespace kvotlk {

std::string SettingPath(std::string_view strRegistryRoot, std::string_view section,
                        std::string_view key) {
  std::string path(strRegistryRoot);
  path += section;
  path += '\\';
  path += key;
  return path;
}

std::string ReadSetting(SettingsStore& store, std::string_view strRegistryRoot,
                        std::string_view section, std::string_view key, std::string_view deflt) {
  const std::string path = SettingPath(strRegistryRoot, section, key);
  if (auto stored = store.read(path)) {
    return *stored;
  }
  const std::string taken = store.readMachineDefault(path).value_or(std::string(deflt));
  store.write(path, taken);
  return taken;
}

bool WriteSetting(SettingsStore& store, std::string_view strRegistryRoot, std::string_view section,
                  std::string_view key, std::string_view value) {
  return store.write(SettingPath(strRegistryRoot, section, key), std::string(value));
}

}  // namespace kvotlk
