#include <gtest/gtest.h>

#include "common/Paths.h"
#include "settings/SettingKeys.h"
#include "settings/SettingReaders.h"
#include "settings/modRegistrierung.h"
#include "support/TestEnvironment.h"

namespace kvotlk::test {
namespace {

const std::string kRoot(kRegistryRoot);

TEST(ReadSetting, PathHasOneSeparatorBetweenRootSectionAndKey) {
  EXPECT_EQ(SettingPath(kRoot, "Config", "DRIVE"),
            "HKEY_CURRENT_USER\\SOFTWARE\\SolvikGermany\\KVOTLK\\Settings\\Config\\DRIVE");
}

TEST(ReadSetting, MissingValueGivesDefaultAndWritesItBackEmptyValueIsKept) {
  MemorySettingsStore store;
  store.values[kRoot + "Config\\FILE"] = "";
  EXPECT_EQ(ReadSetting(store, kRoot, "Config", "FILE", "Solvik.txt"), "");
  EXPECT_EQ(store.writeCount, 0);
  EXPECT_EQ(ReadSetting(store, kRoot, "Config", "NumDez", "3"), "3");
  EXPECT_EQ(store.values.at(kRoot + "Config\\NumDez"), "3");
  store.values[kRoot + "Config\\NumDez"] = "5";
  EXPECT_EQ(ReadSetting(store, kRoot, "Config", "NumDez", "3"), "5");
}

TEST(ReadSetting, FailedWriteBackIsSilentAndRetriedOnTheNextRead) {
  MemorySettingsStore store;
  store.failWrites = true;
  EXPECT_EQ(ReadSetting(store, kRoot, "Config", "IdLaenge", "6"), "6");
  EXPECT_EQ(ReadSetting(store, kRoot, "Config", "IdLaenge", "6"), "6");
  EXPECT_EQ(store.writeCount, 2);
  EXPECT_TRUE(store.values.empty());
  store.failWrites = false;
  EXPECT_EQ(ReadSetting(store, kRoot, "Config", "IdLaenge", "6"), "6");
  EXPECT_EQ(store.values.at(kRoot + "Config\\IdLaenge"), "6");
}

TEST(ReadSetting, UnreadableValueCountsAsMissing) {
  MemorySettingsStore store;
  store.values[kRoot + "Config\\RANDOM"] = "1";
  store.failReads = true;
  EXPECT_EQ(ReadSetting(store, kRoot, "Config", "RANDOM", "0"), "0");
  EXPECT_EQ(store.writeCount, 1);
}

TEST(WriteSetting, ReportsAFailedWrite) {
  MemorySettingsStore store;
  EXPECT_TRUE(WriteSetting(store, kRoot, "Config", "DIR", "/daten"));
  EXPECT_EQ(store.values.at(kRoot + "Config\\DIR"), "/daten");
  store.failWrites = true;
  EXPECT_FALSE(WriteSetting(store, kRoot, "Config", "DIR", "/x"));
}

TEST(SettingTable, EighteenKeysInDialogOrderWithTheirDefaults) {
  const std::pair<const char*, const char*> keys[] = {{"DRIVE", "/"},
                                                      {"DIR", "/opt/kvotlk"},
                                                      {"FILE", "Solvik.txt"},
                                                      {"NumDez", "3"},
                                                      {"RANDOM", "0"},
                                                      {"SCHLEIFE", "0"},
                                                      {"IdLaenge", "6"},
                                                      {"DateTimeStamp", "0"},
                                                      {"MaschinenIdLaenge", "6"},
                                                      {"AuftragsNrLaenge", "8"},
                                                      {"LaengeArtikelNr", "8"},
                                                      {"AuftragsNrGanzzahl", "1"},
                                                      {"NestnummerAmMerkmal", "1"},
                                                      {"EinstellungenZurLaufzeitSpeichern", "1"},
                                                      {"NestIDVerwenden", "0"},
                                                      {"DateiErweiterungVerwenden", "0"},
                                                      {"DateiErweiterung", "0"},
                                                      {"MessserieUmfang", "0"}};
  const auto& table = SettingTable();
  ASSERT_EQ(table.size(), std::size(keys));
  for (std::size_t i = 0; i < table.size(); ++i) {
    EXPECT_EQ(table[i].name, keys[i].first);
    EXPECT_EQ(static_cast<std::size_t>(table[i].key), i);
    EXPECT_EQ(SettingDefault(table[i].key, "/opt/kvotlk"), keys[i].second) << keys[i].first;
  }
  EXPECT_EQ(SettingDefault(SettingKey::DRIVE, "C:\\Programme\\KVOTLK"), "C:\\");
  const std::string share = joinPath(std::string(2, kPathSeparator) + "server", "Mess");
  EXPECT_EQ(SettingDefault(SettingKey::DRIVE, joinPath(share, "KVOTLK")), share + kPathSeparator);
}

TEST(SettingReaders, FirstStartWritesEveryDefaultItReads) {
  TestEnvironment t;
  EXPECT_EQ(ReadConfig(t.env, t.g, SettingKey::DIR), t.env.programFolder);
  EXPECT_EQ(ReadConfigInt16(t.env, t.g, SettingKey::AuftragsNrLaenge), 8);
  EXPECT_TRUE(ReadConfigFlag(t.env, t.g, SettingKey::AuftragsNrGanzzahl));
  EXPECT_EQ(t.settings.values.at(t.settingPath("DIR")), t.env.programFolder);
  EXPECT_EQ(t.settings.values.at(t.settingPath("AuftragsNrLaenge")), "8");
  EXPECT_EQ(t.settings.values.at(t.settingPath("AuftragsNrGanzzahl")), "1");
}

// A stored text that is not a number must never stop the program: it counts as the
// key's default, and the stored text stays as it is.
TEST(SettingReaders, TextThatIsNotANumberCountsAsTheDefault) {
  const char* notNumbers[] = {"", "abc", "12a", "1e3", "--1"};
  const char* beyond16Bits[] = {"40000", "-40000"};
  for (const SettingInfo& info : SettingTable()) {
    const SettingKey key = info.key;
    const std::string name(info.name);
    if (name == "DRIVE" || name == "DIR" || name == "FILE" || name == "DateiErweiterung") {
      continue;  // texts
    }
    auto numbers = germanNumbers();
    const std::int16_t expected = *numbers.toInt16(SettingDefault(key, ""));
    for (const char* bad : notNumbers) {
      TestEnvironment t;
      t.setSetting(name, bad);
      SCOPED_TRACE(name + " = \"" + bad + "\"");
      EXPECT_EQ(ReadConfigInt16(t.env, t.g, key), expected);
      EXPECT_EQ(ReadConfigFlag(t.env, t.g, key), expected != 0);
      EXPECT_EQ(ReadConfigNumber(t.env, t.g, key), static_cast<double>(expected));
      EXPECT_EQ(t.settings.values.at(t.settingPath(name)), bad);
      EXPECT_EQ(t.settings.writeCount, 0);
    }
    for (const char* big : beyond16Bits) {
      TestEnvironment t;
      t.setSetting(name, big);
      SCOPED_TRACE(name + " = \"" + big + "\"");
      EXPECT_EQ(ReadConfigInt16(t.env, t.g, key), expected);
      EXPECT_TRUE(ReadConfigFlag(t.env, t.g, key)) << "a number other than 0 means on";
    }
  }
}

TEST(SettingReaders, NumbersFollowTheOperatorsRules) {
  TestEnvironment t;
  t.setSetting("NumDez", " 4 ");
  EXPECT_EQ(ReadConfigInt16(t.env, t.g, SettingKey::NumDez), 4);
  t.setSetting("NumDez", "2,5");
  EXPECT_EQ(ReadConfigInt16(t.env, t.g, SettingKey::NumDez), 2);
  t.setSetting("RANDOM", "2");
  EXPECT_TRUE(ReadConfigFlag(t.env, t.g, SettingKey::RANDOM));
  t.setSetting("RANDOM", "0,0");
  EXPECT_FALSE(ReadConfigFlag(t.env, t.g, SettingKey::RANDOM));
}

}  // namespace
}  // namespace kvotlk::test
