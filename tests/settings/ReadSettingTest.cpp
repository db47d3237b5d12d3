#include <gtest/gtest.h>

#include "common/Paths.h"
#include "settings/SettingReaders.h"
#include "settings/modRegistrierung.h"
#include "support/TestEnvironment.h"

// What the settings mean is shown by the cases; here how they are kept in the store,
// which the replay job holds in memory and never shows.
namespace kvotlk::test {
namespace {

const std::string kRoot(kRegistryRoot);

TEST(ReadSetting, MissingValueGivesTheDefaultAndWritesItBackOnceTheStoreTakesIt) {
  MemorySettingsStore store;
  EXPECT_EQ(SettingPath(kRoot, "Config", "DRIVE"),
            "HKEY_CURRENT_USER\\SOFTWARE\\SolvikGermany\\KVOTLK\\Settings\\Config\\DRIVE");
  store.values[kRoot + "Config\\FILE"] = "";
  EXPECT_EQ(ReadSetting(store, kRoot, "Config", "FILE", "Solvik.txt"), "");
  store.failWrites = true;
  EXPECT_EQ(ReadSetting(store, kRoot, "Config", "NumDez", "3"), "3");
  EXPECT_FALSE(WriteSetting(store, kRoot, "Config", "DIR", "/x"));
  EXPECT_EQ(store.values.size(), 1U);
  store.failWrites = false;
  EXPECT_EQ(ReadSetting(store, kRoot, "Config", "NumDez", "3"), "3");
  EXPECT_EQ(store.values.at(kRoot + "Config\\NumDez"), "3");
  store.values[kRoot + "Config\\NumDez"] = "5";
  EXPECT_EQ(ReadSetting(store, kRoot, "Config", "NumDez", "3"), "5");
  store.failReads = true;
  EXPECT_EQ(ReadSetting(store, kRoot, "Config", "NumDez", "3"), "3") << "unreadable is missing";
}

// A program folder on a share stores the share as its drive, as a drive letter is stored.
TEST(SettingDefault, DriveOfAProgramFolder) {
  EXPECT_EQ(SettingDefault(SettingKey::DRIVE, "C:\\Programme\\KVOTLK"), "C:\\");
  const std::string share = joinPath(std::string(2, kPathSeparator) + "server", "Mess");
  EXPECT_EQ(SettingDefault(SettingKey::DRIVE, joinPath(share, "KVOTLK")), share + kPathSeparator);
}

}  // namespace
}  // namespace kvotlk::test
