#pragma once

#include <map>
#include <memory>
#include <optional>
#include <string>

// The settings-store port: one text value by its full path (root + section + "\" + key).
namespace kvotlk {

class SettingsStore {
 public:
  virtual ~SettingsStore() = default;
  // The stored text; nullopt when the value is missing or cannot be read.
  virtual std::optional<std::string> read(const std::string& path) = 0;
  // False when the value could not be stored.
  virtual bool write(const std::string& path, const std::string& value) = 0;
  // The machine-wide default of the value, which IT sets for every account of the PC
  // (on Windows below HKEY_LOCAL_MACHINE, same path); nullopt when none is set.
  virtual std::optional<std::string> readMachineDefault(const std::string& /*path*/) {
    return std::nullopt;
  }
};

// The store of this build for the value paths below registryRoot: the registry on
// Windows, an INI file in the user's configuration folder elsewhere. Defined by the
// platform layer.
std::unique_ptr<SettingsStore> makeSettingsStore(const std::string& registryRoot);

// Values held in memory: for tests and for tools that must not touch the user's settings.
// Reads and writes can be made to fail.
class MemorySettingsStore final : public SettingsStore {
 public:
  std::optional<std::string> read(const std::string& path) override;
  bool write(const std::string& path, const std::string& value) override;
  std::optional<std::string> readMachineDefault(const std::string& path) override;

  std::map<std::string, std::string> values;
  // The machine-wide defaults, by the same paths.
  std::map<std::string, std::string> machineDefaults;
  bool failReads = false;
  bool failWrites = false;
  int readCount = 0;
  int writeCount = 0;
};

}  // namespace kvotlk
