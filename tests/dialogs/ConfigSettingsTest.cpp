#include <gtest/gtest.h>

#include "RecordingMainWindow.h"
#include "app/RecordingStore.h"
#include "config/ConfigSettings.h"

namespace kvotlk::test {
namespace {

// The operator's entries of a save: every check box checked, every text its own.
const ConfigEntries kEntries{"/",  "/daten", "Pruef.txt", "4", "1", "1", "7", "1", "5",
                             "10", "12",     "1",         "1", "1", "1", "1", "x", "1"};

TEST(ConfigSettingsTest, CheckBoxesShowStoredFlags) {
  TestEnvironment t;
  struct Case {
    std::string stored;
    SettingKey key;
    bool checked;
  };
  for (const Case& c : std::vector<Case>{{"0", SettingKey::RANDOM, false},
                                         {"1", SettingKey::RANDOM, true},
                                         {"2", SettingKey::SCHLEIFE, true},
                                         {"", SettingKey::RANDOM, false},
                                         {"", SettingKey::AuftragsNrGanzzahl, true},
                                         {"ja", SettingKey::NestnummerAmMerkmal, true},
                                         {"ja", SettingKey::MessserieUmfang, false}}) {
    EXPECT_EQ(CheckedBySetting(t.numbers, c.stored, c.key), c.checked)
        << c.stored << " " << SettingName(c.key);
  }
}

TEST(ConfigSettingsTest, AnOrderLengthThatIsNoNumberCountsAsItsDefault) {
  for (const auto& [typed, length] : std::vector<std::pair<std::string, std::int16_t>>{
           {"12", 12}, {"", 8}, {"zwölf", 8}, {"40000", 8}}) {
    RecordingEnvironment r;
    ConfigEntries entries = kEntries;
    EntryOf(entries, SettingKey::AuftragsNrLaenge) = typed;
    ASSERT_EQ(SaveConfig(r.env, r.t.g, entries), std::nullopt);
    EXPECT_EQ(r.t.g.intAuftragsNrLaenge, length) << typed;
    EXPECT_EQ(r.t.settings.values.at(r.t.settingPath("AuftragsNrLaenge")), typed);
  }
}

TEST(ConfigSettingsTest, TheMainWindowFollowsTheCopies) {
  struct Case {
    bool partCount;
    std::string nestID;
    std::vector<std::string> calls;
  };
  for (const Case& c :
       std::vector<Case>{{true, "1", {"setPartCountVisible(true)", "SetToolTips"}},
                         {false, "0", {"setPartCountVisible(false)", "clearNestID", "SetToolTips"}},
                         {true, "", {"setPartCountVisible(true)", "SetToolTips"}}}) {
    modGlobaleVariablen g;
    g.blnMessserieUmfang = c.partCount;
    g.strNestIDVerwenden = c.nestID;
    RecordingMainWindow main;
    RefreshMainWindow(g, main);
    EXPECT_EQ(main.calls, c.calls) << c.partCount << c.nestID;
  }
}

}  // namespace
}  // namespace kvotlk::test
