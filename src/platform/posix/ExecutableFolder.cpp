#include <filesystem>
#include <system_error>

#include "common/Paths.h"
#include "common/SingleInstance.h"

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

// Elsewhere than Windows the program is a tool for development and training, where the
// tests start several converters at once: every one may run.
std::unique_ptr<WorkstationClaim> claimWorkstation() {
  return std::make_unique<WorkstationClaim>();
}

}  // namespace kvotlk
