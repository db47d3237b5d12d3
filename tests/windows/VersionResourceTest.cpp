#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "about/ProgramInfo.h"
#include "platform/windows/WideText.h"

// This executable carries the program's resource script (kvotlk.rc), compiled as the
// program's own: the version information and the icon are read back as Windows reads them.
namespace kvotlk::test {
namespace {

TEST(VersionResource, VersionStringsAndTranslationAreTheProgramsOwn) {
  wchar_t path[MAX_PATH + 1] = {};
  GetModuleFileNameW(nullptr, path, MAX_PATH + 1);
  DWORD ignored = 0;
  std::vector<std::byte> block(GetFileVersionInfoSizeW(path, &ignored));
  ASSERT_TRUE(GetFileVersionInfoW(path, 0, static_cast<DWORD>(block.size()), block.data()));
  const auto query = [&block](const std::wstring& key, UINT minimum) {
    void* value = nullptr;
    UINT size = 0;
    EXPECT_TRUE(VerQueryValueW(block.data(), key.c_str(), &value, &size) && size >= minimum)
        << windows::fromWide(key);
    return std::pair{value, size};
  };
  const auto* fixed =
      static_cast<const VS_FIXEDFILEINFO*>(query(L"\\", sizeof(VS_FIXEDFILEINFO)).first);
  ASSERT_NE(fixed, nullptr);
  EXPECT_EQ(
      std::vector<DWORD>({fixed->dwFileVersionMS, fixed->dwFileVersionLS, fixed->dwProductVersionMS,
                          fixed->dwProductVersionLS, fixed->dwFileType}),
      std::vector<DWORD>(
          {MAKELONG(2011, 1), MAKELONG(0, 115), MAKELONG(2011, 1), MAKELONG(0, 115), VFT_APP}));
  // Description and copyright hold an umlaut and the copyright sign: they must arrive as
  // those characters, not as their UTF-8 bytes read in another code page.
  const std::pair<const wchar_t*, std::string> strings[] = {
      {L"CompanyName", "Solvik Germany"},
      {L"FileDescription", KVOTLK_DESCRIPTION_TEXT},
      {L"FileVersion", "1.2011.115"},
      {L"InternalName", "kvotlk"},
      {L"LegalCopyright", KVOTLK_COPYRIGHT_TEXT},
      {L"OriginalFilename", "kvotlk.exe"},
      {L"ProductName", "Kalvero - Tessmer & Lund Konverter"},
      {L"ProductVersion", "1.2011.115"}};
  for (const auto& [key, expected] : strings) {
    const auto [text, length] = query(std::wstring(L"\\StringFileInfo\\040704B0\\") + key, 1);
    EXPECT_EQ(windows::fromWide({static_cast<const wchar_t*>(text), length - 1}), expected);
  }
  const auto* translation = static_cast<const WORD*>(query(L"\\VarFileInfo\\Translation", 4).first);
  EXPECT_EQ(std::vector<WORD>(translation, translation + 2), std::vector<WORD>({0x0407, 1200}));
}

// GRPICONDIR: reserved, type (1 for icons), number of images; then one entry each.
TEST(VersionResource, IconGroupHoldsEveryImageOfTheIconFile) {
  const HMODULE self = GetModuleHandleW(nullptr);
  const HRSRC found = FindResourceW(self, L"IDI_ICON1", RT_GROUP_ICON);
  ASSERT_TRUE(found != nullptr && SizeofResource(self, found) >= 3 * sizeof(WORD));
  const auto* header = static_cast<const WORD*>(LockResource(LoadResource(self, found)));
  EXPECT_EQ(std::vector<WORD>(header + 1, header + 3), std::vector<WORD>({1, KVOTLK_ICON_IMAGES}));
  const HANDLE icon = LoadImageW(self, L"IDI_ICON1", IMAGE_ICON, 256, 256, 0);
  EXPECT_NE(icon, nullptr);
  DestroyIcon(static_cast<HICON>(icon));
}

// The manifest Windows reads when it starts the program: resource 1 of type RT_MANIFEST.
TEST(VersionResource, ManifestAsksForTheOperatorsRightsWindows10DpiAndLongPaths) {
  const HMODULE self = GetModuleHandleW(nullptr);
  const HRSRC found = FindResourceW(self, MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(24));
  ASSERT_NE(found, nullptr);
  const std::string manifest(static_cast<const char*>(LockResource(LoadResource(self, found))),
                             SizeofResource(self, found));
  for (const char* expected :
       {R"(<requestedExecutionLevel level="asInvoker" uiAccess="false"/>)",
        R"(<supportedOS Id="{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}"/>)", ">true/pm</dpiAware>",
        ">PerMonitorV2</dpiAwareness>", ">true</longPathAware>"}) {
    EXPECT_NE(manifest.find(expected), std::string::npos) << expected;
  }
}

}  // namespace
}  // namespace kvotlk::test
