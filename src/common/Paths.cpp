#include "common/Paths.h"

#include "common/Text.h"

namespace kvotlk {

std::string StagingFolderOf(std::string_view dataFolder) {
  return joinPath(dataFolder, "TempData") + kPathSeparator;
}

std::string joinPath(std::string_view folder, std::string_view name) {
  std::string path(folder);
  path += kPathSeparator;
  path += name;
  return path;
}

std::string withoutTrailingSeparator(std::string_view folder) {
  const bool isDriveRoot = folder.size() == 3 && folder[1] == ':';
  if (folder.size() > 1 && folder.back() == kPathSeparator && !isDriveRoot) {
    folder.remove_suffix(1);
  }
  return std::string(folder);
}

bool SameFolder(std::string_view a, std::string_view b) {
  const auto normal = [](std::string_view text) {
    std::string path = lowerCase(toUtf8(toFsPath(text).lexically_normal()));
    while (path.size() > 1 && path.back() == kPathSeparator) {
      path.pop_back();
    }
    return path;
  };
  return !a.empty() && normal(a) == normal(b);
}

std::filesystem::path toFsPath(std::string_view utf8) {
  return {std::u8string(utf8.begin(), utf8.end())};
}

std::string toUtf8(const std::filesystem::path& path) {
  const std::u8string text = path.u8string();
  return {text.begin(), text.end()};
}

bool hasCharNotAllowedInFileName(std::string_view text) {
  constexpr std::string_view kForbidden = "\\/:*?\"<>|";
  for (const char c : text) {
    if (static_cast<unsigned char>(c) < 0x20 || kForbidden.find(c) != std::string_view::npos) {
      return true;
    }
  }
  return false;
}

}  // namespace kvotlk
