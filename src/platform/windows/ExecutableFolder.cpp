#include <windows.h>

#include <filesystem>
#include <string>

#include "common/Paths.h"

namespace kvotlk {

std::string executableFolder() {
  // The buffer grows until the whole path fits; long paths exceed MAX_PATH.
  std::wstring buffer(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length =
        GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
    if (length == 0) {
      return {};
    }
    if (length < buffer.size()) {
      buffer.resize(length);
      break;
    }
    buffer.resize(buffer.size() * 2);
  }
  return toUtf8(std::filesystem::path(buffer).parent_path());
}

}  // namespace kvotlk
