#pragma once

#include <memory>
#include <string>
#include <vector>

// What the drive list and the folder list of the configuration dialog show of the machine.
namespace kvotlk {

class VolumeSource {
 public:
  virtual ~VolumeSource() = default;
  // The drives in the order the drive list shows them (see config/DriveFolders.h).
  virtual std::vector<std::string> drives() = 0;
  // The names of the folders inside a folder, sorted; empty when it cannot be listed.
  virtual std::vector<std::string> subfolders(const std::string& folder) = 0;
};

// The machine's drives and folders; defined by the Qt platform layer (platform/qt).
std::unique_ptr<VolumeSource> makeSystemVolumes();

}  // namespace kvotlk
