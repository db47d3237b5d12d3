#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <span>
#include <string>
#include <thread>

#include "common/Clock.h"
#include "common/FileSystem.h"
#include "common/NumberCases.h"
#include "common/Paths.h"
#include "common/WorkProgress.h"
#include "output/WaitingFiles.h"
#include "platform/windows/OleLocaleNumbers.h"
#include "platform/windows/WideText.h"
#include "settings/SettingsStore.h"
#include "settings/modRegistrierung.h"
#include "support/TestEnvironment.h"

// The Windows implementations of the file-system, number and settings ports on Wine's
// (or Windows') file system, locales and registry. The send itself on disk is
// SendOnDiskTest.
namespace kvotlk::test {
namespace {

class Win32FileSystemTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = toUtf8(std::filesystem::temp_directory_path()) + "kvotlk Prüfdaten " +
              std::to_string(GetCurrentProcessId()) + "-" + std::to_string(GetTickCount64());
    ASSERT_TRUE(files_->createFolder(toFsPath(folder_)));
    ASSERT_TRUE(files_->createFolder(at("TempData")));
  }
  void TearDown() override {
    std::error_code ignored;
    std::filesystem::remove_all(toFsPath(folder_), ignored);
  }

  Path at(std::string_view name) const { return toFsPath(joinPath(folder_, name)); }
  bool write(std::string_view name, std::string_view bytes) {
    return writeWholeFile(*files_, at(name), bytes);
  }

  std::unique_ptr<FileSystem> files_ = makeFileSystem();
  std::string folder_;
};

// Binary bytes, more than one write call, a shorter content over a longer one; a closed
// file takes no more bytes.
TEST_F(Win32FileSystemTest, ContentRoundTripsByteForByte) {
  const std::string bytes("BEGINN_MESSUNG\r\nK0001 12,5\r\n\0\xFF\xE4\n\r", 33);
  std::string large(5U << 19U, 'x');  // past the size of one write call
  large.back() = '!';
  for (const std::string& content : {bytes, large, std::string()}) {
    ASSERT_TRUE(write("Prüfer.dat", content));
    EXPECT_EQ(files_->readFile(at("Prüfer.dat")), content);
  }
  auto file = files_->createFile(at("a.txt"));
  ASSERT_TRUE(file != nullptr && file->write("x") && file->close());
  EXPECT_FALSE(file->write("y"));
  EXPECT_FALSE(file->close());
  EXPECT_EQ(files_->readFile(at("a.txt")), "x");
}

// The journal's file: opened again at its end, flushed to the disk while it stays open, and
// read meanwhile; a missing file is not created.
TEST_F(Win32FileSystemTest, AppendsToAnExistingFileAndFlushesWhileOpen) {
  ASSERT_TRUE(write("Erfassung.journal", "eins\n"));
  auto file = files_->openForAppend(at("Erfassung.journal"));
  ASSERT_TRUE(file != nullptr && file->write("zwei\n") && file->flush());
  EXPECT_EQ(files_->readFile(at("Erfassung.journal")), "eins\nzwei\n");
  EXPECT_TRUE(file->write("drei\n") && file->close());
  EXPECT_EQ(files_->readFile(at("Erfassung.journal")), "eins\nzwei\ndrei\n");
  EXPECT_EQ(files_->openForAppend(at("fehlt.journal")), nullptr);
  EXPECT_FALSE(files_->fileExists(at("fehlt.journal")));
}

TEST_F(Win32FileSystemTest, FilesAndFoldersAreToldApartAndOnlyFilesRenamed) {
  ASSERT_TRUE(write("file.txt", "x"));
  EXPECT_FALSE(files_->createFolder(at("TempData")));
  EXPECT_EQ(files_->createFile(at("missing\\file.txt")), nullptr);
  EXPECT_FALSE(files_->folderExists(at("file.txt")));
  EXPECT_FALSE(files_->fileExists(at("TempData")));
  EXPECT_EQ(files_->readFile(at("TempData")), std::nullopt);
  EXPECT_FALSE(files_->removeFile(at("TempData")));
  // A new file never opens an existing one.
  EXPECT_FALSE(writeNewFile(*files_, at("file.txt"), "y"));
  EXPECT_EQ(files_->readFile(at("file.txt")), "x");
  EXPECT_TRUE(writeNewFile(*files_, at("new.txt"), "y"));
  EXPECT_TRUE(files_->removeFile(at("file.txt")));
  EXPECT_FALSE(files_->fileExists(at("file.txt")));
  EXPECT_FALSE(files_->removeFile(at("file.txt")));

  // Only a file is renamed; the plain rename never replaces, the replacing one does. A
  // folder refused or lost shows in the last rename onto its name.
  ASSERT_TRUE(write("staged.tmp", "new values"));
  ASSERT_TRUE(write("Solvik.txt", "collected earlier"));
  EXPECT_FALSE(files_->renameNoReplace(at("staged.tmp"), at("Solvik.txt")));
  EXPECT_FALSE(files_->renameNoReplace(at("TempData"), at("Moved")));
  EXPECT_FALSE(files_->renameReplacing(at("staged.tmp"), at("TempData")));
  EXPECT_TRUE(files_->renameReplacing(at("staged.tmp"), at("Solvik.txt")));
  EXPECT_EQ(files_->readFile(at("Solvik.txt")), "new values");
  EXPECT_FALSE(files_->renameReplacing(at("staged.tmp"), at("Solvik.txt")));
}

// The shared table and the decimal separator of a German or an English locale; text the
// wide API would cut short or misread (a NUL, broken UTF-8) never converts.
void checkLanguage(LocaleNumbers& numbers, LANGID language) {
  const bool german = language == LANG_GERMAN;
  EXPECT_EQ(numbers.decimalSeparator(), german ? "," : ".");
  for (const NumberCase& c : german ? std::span<const NumberCase>(kGermanNumberCases)
                                    : std::span<const NumberCase>(kEnglishNumberCases)) {
    EXPECT_EQ(numbers.toInt32(c.text), c.asInt32) << c.text;
    EXPECT_EQ(numbers.toInt16(c.text), c.asInt16) << c.text;
    EXPECT_EQ(numbers.toDouble(c.text), c.asDouble) << c.text;
    EXPECT_EQ(numbers.isNonZero(c.text), nonZeroOf(c)) << c.text;
  }
  for (const std::string& text : {std::string{'1', '2', '\0', '3', '4'}, std::string("12\xC3")}) {
    EXPECT_EQ(numbers.toInt32(text), std::nullopt);
    EXPECT_EQ(numbers.toInt16(text), std::nullopt);
    EXPECT_EQ(numbers.toDouble(text), std::nullopt);
  }
}

// Another program holding a file without sharing it (a virus scanner, the CAQ system): the
// calls fail with the cause "held", and a waiting result file is delivered once it is let
// go within the wait. Windows applies sharing per handle, so a second handle of this
// process stands for the other program.
TEST_F(Win32FileSystemTest, AFileAnotherProgramHoldsIsToldAndWaitedFor) {
  ASSERT_TRUE(write("TempData/Warten.txt", "BEGINN_MESSUNG\r\nENDE_MESSUNG\r\n"));
  ASSERT_TRUE(files_->createFolder(at("Ziel")));
  HANDLE held = CreateFileW(at("TempData/Warten.txt").c_str(), GENERIC_READ, 0, nullptr,
                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  EXPECT_FALSE(files_->removeFile(at("TempData/Warten.txt")));
  EXPECT_EQ(LastFileFault(), FileFault::Held);
  EXPECT_FALSE(files_->readFile(at("TempData/Warten.txt")));
  EXPECT_EQ(LastFileFault(), FileFault::Held);

  std::thread release([held] {
    Sleep(1200);
    CloseHandle(held);
  });
  TestEnvironment t(folder_);
  t.setSetting("DIR", toUtf8(at("Ziel")));
  const auto clock = makeSystemClock();
  Environment env{t.settings, *files_, *clock, t.random, t.prompts, t.numbers, t.kalvero, folder_};
  NoProgress progress;
  EXPECT_EQ(DeliverWaitingFilesNow(env, t.g, progress), 0U);
  release.join();
  EXPECT_TRUE(files_->fileExists(at("Ziel/Warten.txt")));
  EXPECT_FALSE(files_->fileExists(at("TempData/Warten.txt")));
  const auto log = files_->readFile(at("TempData/TLZustellung.txt"));
  EXPECT_NE(log.value_or("").find("anderen Programm verwendet"), std::string::npos);
}

TEST(OleLocaleNumbers, GermanAndEnglishTables) {
  windows::OleLocaleNumbers german(MAKELCID(MAKELANGID(LANG_GERMAN, SUBLANG_GERMAN), SORT_DEFAULT));
  checkLanguage(german, LANG_GERMAN);
  for (const auto& [text, nonZero] : longGermanNumbers()) {
    EXPECT_EQ(german.isNonZero(text), nonZero) << text.size();
  }
  windows::OleLocaleNumbers english(
      MAKELCID(MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US), SORT_DEFAULT));
  checkLanguage(english, LANG_ENGLISH);
}

// The program's conversions follow the user's locale. Under Wine the user's locale comes
// from LC_ALL when the process starts; CTest runs this case once with a German and once
// with an English one and names the expected language in KVOTLK_EXPECTED_LANGUAGE.
TEST(UserLocaleNumbers, FollowTheUsersLocale) {
  const LANGID language = PRIMARYLANGID(LANGIDFROMLCID(GetUserDefaultLCID()));
  if (const char* const expected = std::getenv("KVOTLK_EXPECTED_LANGUAGE")) {
    EXPECT_EQ(language, std::string(expected) == "de" ? LANG_GERMAN : LANG_ENGLISH);
  }
  if (language != LANG_GERMAN && language != LANG_ENGLISH) {
    GTEST_SKIP() << "user locale neither German nor English";
  }
  checkLanguage(*makeLocaleNumbers(), language);
}

const std::string kRoot(kRegistryRoot);
constexpr const wchar_t* kConfigKey = L"SOFTWARE\\SolvikGermany\\KVOTLK\\Settings\\Config";

// Text is stored as REG_SZ and read back exactly as typed, also what QSettings would
// escape ("@…") or read as another type ("@Rect(…)", "@Invalid()", as another tool may
// write them), and a text longer than the first read buffer.
TEST(RegistrySettingsStore, TextIsStoredAndReadExactlyAsTyped) {
  RegDeleteTreeW(HKEY_CURRENT_USER, L"SOFTWARE\\SolvikGermany\\KVOTLK");
  const auto store = makeSettingsStore(kRoot);
  EXPECT_EQ(store->read(kRoot + "Config\\FILE"), std::nullopt);
  for (const std::string& text :
       std::initializer_list<std::string>{"@Rect(0 0 10 10)", std::string(300, '@'), "@Invalid()",
                                          "C:\\Prüfdaten\\Ölwanne\\", "Größe äöüß", ""}) {
    ASSERT_TRUE(store->write(kRoot + "Config\\FILE", text)) << text;
    wchar_t raw[320] = {};
    DWORD size = sizeof(raw);
    EXPECT_EQ(RegGetValueW(HKEY_CURRENT_USER, kConfigKey, L"FILE", RRF_RT_REG_SZ | RRF_NOEXPAND,
                           nullptr, raw, &size),
              ERROR_SUCCESS);
    EXPECT_EQ(std::wstring(raw), windows::toWide(text)) << text;
    EXPECT_EQ(store->read(kRoot + "Config\\FILE"), text);
  }
  // A number entered by hand as REG_DWORD reads as its decimal text; other types not at all.
  const DWORD four = 4;
  for (const DWORD type : {DWORD{REG_DWORD}, DWORD{REG_BINARY}}) {
    RegSetKeyValueW(HKEY_CURRENT_USER, kConfigKey, L"NumDez", type, &four, sizeof(four));
    EXPECT_EQ(store->read(kRoot + "Config\\NumDez"),
              type == REG_DWORD ? std::optional<std::string>("4") : std::nullopt);
  }
}

// IT's defaults for every account of the PC: a value the user has not got yet is taken from
// the machine's key (64-bit view) and written back to the user's; the user's own wins. A
// second operator account, whose key is empty, gets the machine's DIR.
TEST(RegistrySettingsStore, AMissingValueIsTakenFromTheMachine) {
  const wchar_t* const machineKey = L"SOFTWARE\\SolvikGermany\\KVOTLK\\Settings\\Config";
  const std::wstring share = L"\\\\server\\caq\\import";
  HKEY key = nullptr;
  ASSERT_EQ(RegCreateKeyExW(HKEY_LOCAL_MACHINE, machineKey, 0, nullptr, 0,
                            KEY_SET_VALUE | KEY_WOW64_64KEY, nullptr, &key, nullptr),
            ERROR_SUCCESS);
  RegSetValueExW(key, L"DIR", 0, REG_SZ, reinterpret_cast<const BYTE*>(share.c_str()),
                 static_cast<DWORD>((share.size() + 1) * sizeof(wchar_t)));
  RegCloseKey(key);
  const auto store = makeSettingsStore(kRoot);
  for (int account = 0; account < 2; ++account) {
    RegDeleteTreeW(HKEY_CURRENT_USER, L"SOFTWARE\\SolvikGermany\\KVOTLK");
    EXPECT_EQ(ReadSetting(*store, kRoot, "Config", "DIR", "C:\\KVOTLK"), windows::fromWide(share));
    EXPECT_EQ(store->read(kRoot + "Config\\DIR"), windows::fromWide(share));
  }
  ASSERT_TRUE(store->write(kRoot + "Config\\DIR", "D:\\eigen"));
  EXPECT_EQ(ReadSetting(*store, kRoot, "Config", "DIR", "C:\\KVOTLK"), "D:\\eigen");
  EXPECT_EQ(ReadSetting(*store, kRoot, "Config", "NumDez", "3"), "3");
  ASSERT_EQ(RegOpenKeyExW(HKEY_LOCAL_MACHINE, machineKey, 0, KEY_SET_VALUE | KEY_WOW64_64KEY, &key),
            ERROR_SUCCESS);
  RegDeleteValueW(key, L"DIR");
  RegCloseKey(key);
}

// The installer names the data folder of an installation for all accounts; without it (the
// ZIP) the data stay beside the program.
TEST(DataFolder, IsTheOneTheInstallerNamesElseTheProgramFolder) {
  const wchar_t* const installKey = L"SOFTWARE\\SolvikGermany\\KVOTLK\\Installation";
  // The 64-bit installer writes in the 64-bit view, which a 32-bit build must name.
  HKEY key = nullptr;
  ASSERT_EQ(RegCreateKeyExW(HKEY_LOCAL_MACHINE, installKey, 0, nullptr, 0,
                            KEY_SET_VALUE | KEY_WOW64_64KEY, nullptr, &key, nullptr),
            ERROR_SUCCESS);
  RegDeleteValueW(key, L"Datenordner");
  EXPECT_EQ(dataFolderFor("C:\\Programme\\KVOTLK"), "C:\\Programme\\KVOTLK");
  const std::wstring named = L"C:\\ProgramData\\KVOTLK\\";
  RegSetValueExW(key, L"Datenordner", 0, REG_SZ, reinterpret_cast<const BYTE*>(named.c_str()),
                 static_cast<DWORD>((named.size() + 1) * sizeof(wchar_t)));
  EXPECT_EQ(dataFolderFor("C:\\Programme\\KVOTLK"), "C:\\ProgramData\\KVOTLK");
  RegDeleteValueW(key, L"Datenordner");
  RegCloseKey(key);
}

}  // namespace
}  // namespace kvotlk::test
