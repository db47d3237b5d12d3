// The main window's load and unload rules, without a window.
#include <gtest/gtest.h>

#include "RecordingStore.h"
#include "app/MainWindowRules.h"
#include "common/Paths.h"
#include "support/TestEnvironment.h"

namespace kvotlk::test {
namespace {

class MainWindowRules : public ::testing::Test {
 protected:
  MainWindowRules() { t.g.strRegistryRoot.clear(); }

  std::string stored(const std::string& key) const {
    const auto it = t.settings.values.find(std::string(kRegistryRoot) + "Config\\" + key);
    return it == t.settings.values.end() ? "<missing>" : it->second;
  }
  void setStored(const std::string& key, std::string value) {
    t.settings.values[std::string(kRegistryRoot) + "Config\\" + key] = std::move(value);
  }

  TestEnvironment t;
  RecordingStore store{t.settings};
  Environment env{store,     t.files,   t.clock,   t.random,
                  t.prompts, t.numbers, t.kalvero, t.env.programFolder};
};

TEST_F(MainWindowRules, FirstStartReadsInOrderAndWritesTheDefaultsBack) {
  ReadStartSettings(env, t.g);
  ReadNestIDVerwenden(env, t.g);

  EXPECT_EQ(t.g.strRegistryRoot, R"(HKEY_CURRENT_USER\SOFTWARE\SolvikGermany\KVOTLK\Settings\)");
  EXPECT_EQ(store.reads, (std::vector<std::string>{
                             "AuftragsNrLaenge", "LaengeArtikelNr", "AuftragsNrGanzzahl", "DIR",
                             "EinstellungenZurLaufzeitSpeichern", "DateiErweiterungVerwenden",
                             "DateiErweiterung", "MessserieUmfang", "NestIDVerwenden"}));
  const std::pair<const char*, std::string> defaults[] = {
      {"AuftragsNrLaenge", "8"},
      {"LaengeArtikelNr", "8"},
      {"AuftragsNrGanzzahl", "1"},
      {"DIR", t.env.programFolder},
      {"EinstellungenZurLaufzeitSpeichern", "1"},
      {"DateiErweiterungVerwenden", "0"},
      {"DateiErweiterung", "0"},
      {"MessserieUmfang", "0"},
      {"NestIDVerwenden", "0"}};
  for (const auto& [key, value] : defaults) {
    EXPECT_EQ(stored(key), value) << key;
  }
  EXPECT_EQ(t.settings.values.size(), std::size(defaults));

  EXPECT_EQ(t.g.intAuftragsNrLaenge, 8);
  EXPECT_EQ(t.g.varLaengeArtikelNr, "8");
  EXPECT_EQ(t.g.intAuftragsNrGanzzahl, 1);
  EXPECT_EQ(t.g.strStandardDir, t.env.programFolder);
  EXPECT_EQ(t.g.intEinstellungenZurLaufzeitSpeichern, 1);
  EXPECT_FALSE(t.g.blnDateiErweiterungVerwenden);
  EXPECT_EQ(t.g.strDateiErweiterung, "0");
  EXPECT_FALSE(t.g.blnMessserieUmfang);
  EXPECT_EQ(t.g.strNestIDVerwenden, "0");
}

TEST_F(MainWindowRules, StoredValuesWinAndAreConvertedTextsThatAreNoNumbersCountAsTheDefault) {
  setStored("AuftragsNrLaenge", "12");
  setStored("LaengeArtikelNr", " 10 ");
  setStored("AuftragsNrGanzzahl", "0");
  setStored("DIR", "/daten/caq");
  setStored("DateiErweiterungVerwenden", "-1");
  setStored("DateiErweiterung", "_A");
  setStored("MessserieUmfang", "2");
  setStored("EinstellungenZurLaufzeitSpeichern", "abc");
  setStored("NestIDVerwenden", "1");

  ReadStartSettings(env, t.g);
  ReadNestIDVerwenden(env, t.g);

  EXPECT_EQ(t.g.intAuftragsNrLaenge, 12);
  EXPECT_EQ(t.g.varLaengeArtikelNr, " 10 ") << "kept as read";
  EXPECT_EQ(t.g.intAuftragsNrGanzzahl, 0);
  EXPECT_EQ(t.g.strStandardDir, "/daten/caq");
  EXPECT_EQ(t.g.intEinstellungenZurLaufzeitSpeichern, 1) << "not a number: the default";
  EXPECT_EQ(stored("EinstellungenZurLaufzeitSpeichern"), "abc") << "nothing written over";
  EXPECT_TRUE(t.g.blnDateiErweiterungVerwenden);
  EXPECT_EQ(t.g.strDateiErweiterung, "_A");
  EXPECT_TRUE(t.g.blnMessserieUmfang);
  EXPECT_EQ(t.g.strNestIDVerwenden, "1");
}

TEST(MainWindowDateTime, PresetFromTheClock) {
  struct Case {
    LocalDateTime now;
    DateTimeFields expected;
  };
  const Case cases[] = {
      {{2026, 3, 5, 8, 7, 0}, {"05", "03", "2026", "08", "07"}},
      {{2025, 12, 31, 23, 59, 59}, {"31", "12", "2025", "23", "59"}},
      {{2026, 1, 1, 0, 0, 0}, {"01", "01", "2026", "00", "00"}},
      {{987, 10, 10, 12, 30, 0}, {"10", "10", "0987", "12", "30"}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(PresetDateTime(c.now), c.expected) << c.expected.txt_DatumJahr;
  }
}

TEST(MainWindowShutDown, RemovesTheHandoffFileWrittenLastAndReleasesKalvero) {
  TestEnvironment t;
  const std::string last = joinPath(t.env.programFolder, "TLValues_A.txt");
  const std::string fixed = joinPath(t.env.programFolder, "TLValues.txt");
  t.files.addFile(last, "Artikel=A\r\n");
  t.files.addFile(fixed, "Artikel=B\r\n");
  t.g.strValuesFile = last;
  t.g.KvoApp = t.kalvero.start();
  t.g.KvoPartProg = t.kalvero.app->openPartProgram("Teil.kvp");

  ShutDown(t.env, t.g);

  EXPECT_FALSE(t.files.hasFile(last));
  EXPECT_TRUE(t.files.hasFile(fixed)) << "only the name written last";
  EXPECT_EQ(t.g.KvoApp, nullptr);
  EXPECT_EQ(t.g.KvoPartProg, nullptr);
}

}  // namespace
}  // namespace kvotlk::test
