#pragma once

#include <QString>
#include <memory>

#include "settings/SettingsStore.h"

class QSettings;

namespace kvotlk {

// Settings through QSettings: on Windows the registry below the program's root key (the
// section a subkey, text values as REG_SZ); elsewhere an INI file in the user's
// configuration folder with the section as its group.
class QtSettingsStore final : public SettingsStore {
 public:
  // root: the registry root the value paths begin with.
  explicit QtSettingsStore(std::string root);
  // An INI file at the given place instead of the user's (for tests).
  QtSettingsStore(std::string root, QString iniFile);
  ~QtSettingsStore() override;
  QtSettingsStore(const QtSettingsStore&) = delete;
  QtSettingsStore& operator=(const QtSettingsStore&) = delete;

  std::optional<std::string> read(const std::string& path) override;
  bool write(const std::string& path, const std::string& value) override;

 private:
  struct Location {
    std::unique_ptr<QSettings> settings;
    QString key;
  };
  Location locate(const std::string& path) const;

  std::string root_;
  QString iniFile_;
};

}  // namespace kvotlk
