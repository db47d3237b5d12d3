#include "about/ProgramInfo.h"

namespace kvotlk {

std::string VersionCaption(int major, int minor, int revision) {
  return "Version " + std::to_string(major) + "." + std::to_string(minor) + "." +
         std::to_string(revision);
}

std::string ProgramVersionCaption() {
  return VersionCaption(KVOTLK_VERSION_MAJOR, KVOTLK_VERSION_MINOR, KVOTLK_VERSION_PATCH);
}

}  // namespace kvotlk
