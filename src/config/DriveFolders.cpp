#include "config/DriveFolders.h"

#include <cctype>

#include "common/Paths.h"

namespace kvotlk {
namespace {

char upperLetter(char c) { return static_cast<char>(std::toupper(static_cast<unsigned char>(c))); }

// The root part of a path with its separator: "/", "C:\" or "\\server\share\"; empty
// when the path has none.
std::string rootOf(std::string_view folder) {
  if (HasDriveLetter(folder)) {
    return std::string(folder.substr(0, 2)) + kPathSeparator;
  }
  const std::string doubled(2, kPathSeparator);
  if (folder.substr(0, 2) == doubled) {
    std::size_t end = folder.find(kPathSeparator, 2);
    end = end == std::string_view::npos ? end : folder.find(kPathSeparator, end + 1);
    return std::string(folder.substr(0, end)) + kPathSeparator;
  }
  if (!folder.empty() && folder.front() == kPathSeparator) {
    return {kPathSeparator};
  }
  return {};
}

}  // namespace

bool HasDriveLetter(std::string_view drive) {
  return drive.size() >= 2 && std::isalpha(static_cast<unsigned char>(drive[0])) != 0 &&
         drive[1] == ':';
}

std::optional<std::size_t> FindDrive(const std::vector<std::string>& drives,
                                     std::string_view stored) {
  const bool byLetter = HasDriveLetter(stored);
  const std::string storedPath = withoutTrailingSeparator(stored);
  for (std::size_t i = 0; i < drives.size(); ++i) {
    const std::string& drive = drives[i];
    if (byLetter ? HasDriveLetter(drive) && upperLetter(drive[0]) == upperLetter(stored[0])
                 : !HasDriveLetter(drive) && withoutTrailingSeparator(drive) == storedPath) {
      return i;
    }
  }
  return std::nullopt;
}

std::string DriveRoot(std::string_view drive) {
  if (HasDriveLetter(drive)) {
    return std::string(drive.substr(0, 2)) + kPathSeparator;
  }
  return std::string(drive);
}

std::vector<std::string> FolderChain(std::string_view folder) {
  std::string current = rootOf(folder);
  if (current.empty()) {
    return {};
  }
  std::vector<std::string> chain{current};
  std::size_t pos = current.size();
  while (pos < folder.size()) {
    std::size_t end = folder.find(kPathSeparator, pos);
    if (end == std::string_view::npos) {
      end = folder.size();
    }
    if (end > pos) {
      if (current.back() != kPathSeparator) {
        current += kPathSeparator;
      }
      current += folder.substr(pos, end - pos);
      chain.push_back(current);
    }
    pos = end + 1;
  }
  return chain;
}

}  // namespace kvotlk
