#include <windows.h>

#include <cstring>
#include <memory>
#include <string>
#include <string_view>

#include "platform/windows/WideText.h"
#include "settings/SettingsStore.h"

// The settings as registry values below HKEY_CURRENT_USER, read and written with the
// registry API itself: a text is stored as REG_SZ exactly as typed. QSettings would
// escape a text beginning with "@" and read "@Rect(…)" or "@Invalid()" as no text. The
// machine-wide defaults that IT sets are the same paths below HKEY_LOCAL_MACHINE, read only.
namespace kvotlk {
namespace {

constexpr std::string_view kHive = "HKEY_CURRENT_USER\\";

// A value path split into the key below the hive and the value name.
struct RegistryPath {
  std::wstring key;
  std::wstring value;
};

std::optional<RegistryPath> splitPath(std::string_view path) {
  const std::size_t last = path.rfind('\\');
  if (!path.starts_with(kHive) || last == std::string_view::npos || last < kHive.size()) {
    return std::nullopt;
  }
  auto key = windows::toWide(path.substr(kHive.size(), last - kHive.size()));
  auto value = windows::toWide(path.substr(last + 1));
  if (!key || !value) {
    return std::nullopt;
  }
  return RegistryPath{std::move(*key), std::move(*value)};
}

// Text values as stored (REG_EXPAND_SZ unexpanded, up to the first NUL); a REG_DWORD
// that someone entered by hand as its decimal text, as QSettings read it. The machine's
// values are read in the 64-bit view, where a 64-bit installer writes them.
std::optional<std::string> readValue(HKEY hive, const RegistryPath& where) {
  constexpr DWORD kTypes = RRF_RT_REG_SZ | RRF_RT_REG_EXPAND_SZ | RRF_RT_REG_DWORD | RRF_NOEXPAND |
                           RRF_SUBKEY_WOW6464KEY;
  std::wstring data(64, L'\0');
  for (;;) {
    DWORD type = 0;
    auto size = static_cast<DWORD>(data.size() * sizeof(wchar_t));
    const LSTATUS status = RegGetValueW(hive, where.key.c_str(), where.value.c_str(), kTypes, &type,
                                        data.data(), &size);
    if (status == ERROR_MORE_DATA) {
      data.resize(size / sizeof(wchar_t) + 1);
      continue;
    }
    if (status != ERROR_SUCCESS) {
      return std::nullopt;
    }
    if (type == REG_DWORD) {
      DWORD number = 0;
      std::memcpy(&number, data.data(), sizeof(number));
      return std::to_string(number);
    }
    return windows::fromWide(data.c_str());
  }
}

class RegistrySettingsStore final : public SettingsStore {
 public:
  std::optional<std::string> read(const std::string& path) override {
    const auto where = splitPath(path);
    return where ? readValue(HKEY_CURRENT_USER, *where) : std::nullopt;
  }

  std::optional<std::string> readMachineDefault(const std::string& path) override {
    const auto where = splitPath(path);
    return where ? readValue(HKEY_LOCAL_MACHINE, *where) : std::nullopt;
  }

  bool write(const std::string& path, const std::string& value) override {
    const auto where = splitPath(path);
    const auto text = windows::toWide(value);
    if (!where || !text || text->size() >= (1U << 20U)) {
      return false;
    }
    HKEY key = nullptr;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, where->key.c_str(), 0, nullptr, 0, KEY_SET_VALUE,
                        nullptr, &key, nullptr) != ERROR_SUCCESS) {
      return false;
    }
    const auto bytes = static_cast<DWORD>((text->size() + 1) * sizeof(wchar_t));
    const LSTATUS status = RegSetValueExW(key, where->value.c_str(), 0, REG_SZ,
                                          reinterpret_cast<const BYTE*>(text->c_str()), bytes);
    RegCloseKey(key);
    return status == ERROR_SUCCESS;
  }
};

}  // namespace

std::unique_ptr<SettingsStore> makeSettingsStore(const std::string& /*registryRoot*/) {
  return std::make_unique<RegistrySettingsStore>();
}

}  // namespace kvotlk
