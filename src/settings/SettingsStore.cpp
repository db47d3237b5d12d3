#include "settings/SettingsStore.h"

namespace kvotlk {

std::optional<std::string> MemorySettingsStore::read(const std::string& path) {
  ++readCount;
  if (failReads) {
    return std::nullopt;
  }
  const auto found = values.find(path);
  if (found == values.end()) {
    return std::nullopt;
  }
  return found->second;
}

std::optional<std::string> MemorySettingsStore::readMachineDefault(const std::string& path) {
  const auto found = machineDefaults.find(path);
  return found == machineDefaults.end() ? std::nullopt : std::optional(found->second);
}

bool MemorySettingsStore::write(const std::string& path, const std::string& value) {
  ++writeCount;
  if (failWrites) {
    return false;
  }
  values[path] = value;
  return true;
}

}  // namespace kvotlk
