#include "platform/qt/QtSettingsStore.h"

namespace kvotlk {

// Without the Windows registry the settings live in an INI file per user.
std::unique_ptr<SettingsStore> makeSettingsStore(const std::string& registryRoot) {
  return std::make_unique<QtSettingsStore>(registryRoot);
}

}  // namespace kvotlk
