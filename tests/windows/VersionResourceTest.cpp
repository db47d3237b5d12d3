#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "about/ProgramInfo.h"
#include "platform/windows/WideText.h"

// This executable carries the program's resource script (kvotlk.rc), compiled as the
// program's own: the version information and the icon are read back as Windows reads them.
namespace kvotlk::test {
namespace {

// The version information block of the running executable.
std::vector<std::byte> ownVersionInfo() {
  wchar_t path[MAX_PATH + 1] = {};
  const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH + 1);
  if (length == 0 || length > MAX_PATH) {
    return {};
  }
  DWORD ignored = 0;
  const DWORD size = GetFileVersionInfoSizeW(path, &ignored);
  std::vector<std::byte> block(size);
  if (size == 0 || GetFileVersionInfoW(path, 0, size, block.data()) == FALSE) {
    return {};
  }
  return block;
}

// One string of the German (Unicode) string table, as UTF-8.
std::optional<std::string> versionString(std::vector<std::byte>& block, const wchar_t* key) {
  const std::wstring query = std::wstring(L"\\StringFileInfo\\040704B0\\") + key;
  void* value = nullptr;
  UINT characters = 0;
  if (VerQueryValueW(block.data(), query.c_str(), &value, &characters) == FALSE ||
      value == nullptr) {
    return std::nullopt;
  }
  // The length counts the terminating NUL.
  const auto* text = static_cast<const wchar_t*>(value);
  return windows::fromWide(std::wstring_view(text, characters > 0 ? characters - 1 : 0));
}

TEST(VersionResource, FixedVersionIs1_2011_115) {
  auto block = ownVersionInfo();
  ASSERT_FALSE(block.empty());
  void* value = nullptr;
  UINT size = 0;
  ASSERT_TRUE(VerQueryValueW(block.data(), L"\\", &value, &size));
  ASSERT_GE(size, sizeof(VS_FIXEDFILEINFO));
  const auto* fixed = static_cast<const VS_FIXEDFILEINFO*>(value);
  EXPECT_EQ(fixed->dwSignature, 0xFEEF04BDU);
  EXPECT_EQ(fixed->dwFileVersionMS, MAKELONG(2011, 1));
  EXPECT_EQ(fixed->dwFileVersionLS, MAKELONG(0, 115));
  EXPECT_EQ(fixed->dwProductVersionMS, fixed->dwFileVersionMS);
  EXPECT_EQ(fixed->dwProductVersionLS, fixed->dwFileVersionLS);
  EXPECT_EQ(fixed->dwFileType, static_cast<DWORD>(VFT_APP));
}

TEST(VersionResource, GermanUnicodeStringsAreTheProgramsOwn) {
  struct Case {
    const wchar_t* key;
    std::string expected;
  };
  const Case cases[] = {
      {L"CompanyName", "Solvik Germany"},
      {L"FileDescription", KVOTLK_DESCRIPTION_TEXT},
      {L"FileVersion", "1.2011.115"},
      {L"InternalName", "kvotlk"},
      {L"LegalCopyright", KVOTLK_COPYRIGHT_TEXT},
      {L"OriginalFilename", "kvotlk.exe"},
      {L"ProductName", "Kalvero - Tessmer & Lund Konverter"},
      {L"ProductVersion", "1.2011.115"},
  };
  auto block = ownVersionInfo();
  ASSERT_FALSE(block.empty());
  // Description and copyright hold an umlaut and the copyright sign: they must arrive as
  // those characters, not as their UTF-8 bytes read in another code page.
  for (const Case& c : cases) {
    EXPECT_EQ(versionString(block, c.key), c.expected) << windows::fromWide(c.key);
  }
  void* value = nullptr;
  UINT size = 0;
  ASSERT_TRUE(VerQueryValueW(block.data(), L"\\VarFileInfo\\Translation", &value, &size));
  ASSERT_EQ(size, 4U);
  const auto* pair = static_cast<const WORD*>(value);
  EXPECT_EQ(pair[0], 0x0407U);
  EXPECT_EQ(pair[1], 1200U);
}

TEST(VersionResource, IconGroupHoldsEveryImageOfTheIconFile) {
  const HMODULE self = GetModuleHandleW(nullptr);
  HRSRC found = FindResourceW(self, L"IDI_ICON1", RT_GROUP_ICON);
  ASSERT_NE(found, nullptr);
  HGLOBAL loaded = LoadResource(self, found);
  ASSERT_NE(loaded, nullptr);
  ASSERT_GE(SizeofResource(self, found), 3 * sizeof(WORD));
  // GRPICONDIR: reserved, type (1 for icons), number of images; then one entry each.
  const auto* header = static_cast<const WORD*>(LockResource(loaded));
  ASSERT_NE(header, nullptr);
  EXPECT_EQ(header[1], 1U);
  EXPECT_EQ(header[2], KVOTLK_ICON_IMAGES);

  for (const int size : {16, 32, 48, 256}) {
    HANDLE icon = LoadImageW(self, L"IDI_ICON1", IMAGE_ICON, size, size, 0);
    EXPECT_NE(icon, nullptr) << size;
    if (icon != nullptr) {
      DestroyIcon(static_cast<HICON>(icon));
    }
  }
}

}  // namespace
}  // namespace kvotlk::test
