#pragma once

#include <QString>
#include <memory>

#include "settings/SettingsStore.h"

class QSettings;

namespace kvotlk {

// Settings in an INI file through QSettings, for machines without the Windows registry:
// the user's configuration folder, the section as the group. QSettings escapes what it
// writes and reads it back as written; the rules for editing the file by hand are in
// docs/decisions.md.
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
