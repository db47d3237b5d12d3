#include <windows.h>

#include <cwchar>
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

// The installer writes the data folder's full path for a program installed for all accounts;
// a program unpacked from its ZIP has no such value and keeps its data beside itself.
std::string dataFolderFor(const std::string& programFolder) {
  constexpr const wchar_t* kKey = L"SOFTWARE\\SolvikGermany\\KVOTLK\\Installation";
  constexpr DWORD kTypes = RRF_RT_REG_SZ | RRF_SUBKEY_WOW6464KEY;
  std::wstring data(MAX_PATH, L'\0');
  for (;;) {
    auto size = static_cast<DWORD>(data.size() * sizeof(wchar_t));
    const LSTATUS status =
        RegGetValueW(HKEY_LOCAL_MACHINE, kKey, L"Datenordner", kTypes, nullptr, data.data(), &size);
    if (status == ERROR_MORE_DATA) {
      data.resize(size / sizeof(wchar_t) + 1);
      continue;
    }
    if (status != ERROR_SUCCESS || data[0] == L'\0') {
      return programFolder;
    }
    data.resize(std::wcslen(data.c_str()));
    std::filesystem::path folder = std::filesystem::path(data).lexically_normal();
    // A trailing separator would double the next one.
    if (!folder.has_filename() && folder != folder.root_path()) {
      folder = folder.parent_path();
    }
    return toUtf8(folder);
  }
}

}  // namespace kvotlk
