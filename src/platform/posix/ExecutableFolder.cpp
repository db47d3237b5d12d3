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

}  // namespace kvotlk
