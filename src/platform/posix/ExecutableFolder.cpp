#include <filesystem>
#include <system_error>

#include "common/Paths.h"

namespace kvotlk {

std::string executableFolder() {
  std::error_code error;
  const auto exe = std::filesystem::read_symlink("/proc/self/exe", error);
  if (error) {
    return toUtf8(std::filesystem::current_path(error));
  }
  return toUtf8(exe.parent_path());
}

// Installed elsewhere than Windows, the program keeps its data beside itself.
std::string dataFolderFor(const std::string& programFolder) { return programFolder; }

}  // namespace kvotlk
