// The main window's load and unload rules, without a window.
#include <gtest/gtest.h>

#include "RecordingStore.h"
#include "app/MainWindowRules.h"
#include "common/Paths.h"
#include "support/TestEnvironment.h"

namespace kvotlk::test {
namespace {

class MainWindowRules : public ::testing::Test, protected RecordingEnvironment {};

TEST_F(MainWindowRules, FirstStartSetsTheRootAndReadsInOrder) {
  t.g.strRegistryRoot.clear();
  ReadStartSettings(env, t.g);
  ReadNestIDVerwenden(env, t.g);

  EXPECT_EQ(t.g.strRegistryRoot, R"(HKEY_CURRENT_USER\SOFTWARE\SolvikGermany\KVOTLK\Settings\)");
  EXPECT_EQ(store.reads, (std::vector<std::string>{
                             "AuftragsNrLaenge", "LaengeArtikelNr", "AuftragsNrGanzzahl", "DIR",
                             "EinstellungenZurLaufzeitSpeichern", "DateiErweiterungVerwenden",
                             "DateiErweiterung", "MessserieUmfang", "NestIDVerwenden"}));
  EXPECT_EQ(t.g.strStandardDir, t.env.programFolder);
}

TEST_F(MainWindowRules, StoredValuesWinAndAreConvertedTextsThatAreNoNumbersCountAsTheDefault) {
  t.setSetting("AuftragsNrLaenge", "12");
  t.setSetting("LaengeArtikelNr", " 10 ");
  t.setSetting("AuftragsNrGanzzahl", "0");
  t.setSetting("DIR", "/daten/caq");
  t.setSetting("DateiErweiterungVerwenden", "-1");
  t.setSetting("DateiErweiterung", "_A");
  t.setSetting("MessserieUmfang", "2");
  t.setSetting("EinstellungenZurLaufzeitSpeichern", "abc");
  t.setSetting("NestIDVerwenden", "1");

  ReadStartSettings(env, t.g);
  ReadNestIDVerwenden(env, t.g);

  EXPECT_EQ(t.g.intAuftragsNrLaenge, 12);
  EXPECT_EQ(t.g.varLaengeArtikelNr, " 10 ") << "kept as read";
  EXPECT_EQ(t.g.intAuftragsNrGanzzahl, 0);
  EXPECT_EQ(t.g.strStandardDir, "/daten/caq");
  EXPECT_EQ(t.g.intEinstellungenZurLaufzeitSpeichern, 1) << "not a number: the default";
  EXPECT_TRUE(t.g.blnDateiErweiterungVerwenden);
  EXPECT_EQ(t.g.strDateiErweiterung, "_A");
  EXPECT_TRUE(t.g.blnMessserieUmfang);
  EXPECT_EQ(t.g.strNestIDVerwenden, "1");
}

TEST(MainWindowToolTips, FollowTheRunTimeCopies) {
  struct Case {
    std::int16_t ganzzahl;
    std::int16_t laenge;
    const char* artikel;
    std::optional<std::string> auftragTip;
    const char* artikelTip;
  };
  const Case cases[] = {
      {1, 14, "8", "Ganzzahl max. 14 Zeichen eintragen", "Alphanumerisch max. 8 Zeichen eintragen"},
      {0, 12, "10", "Alphanumerisch max. 12 Zeichen eintragen",
       "Alphanumerisch max. 10 Zeichen eintragen"},
      {2, 8, " 9", std::nullopt, "Alphanumerisch max.  9 Zeichen eintragen"},
  };
  modGlobaleVariablen g;
  for (const Case& c : cases) {
    g.intAuftragsNrGanzzahl = c.ganzzahl;
    g.intAuftragsNrLaenge = c.laenge;
    g.varLaengeArtikelNr = c.artikel;
    EXPECT_EQ(AuftragToolTip(g), c.auftragTip) << c.ganzzahl;
    EXPECT_EQ(ArtikelToolTip(g), c.artikelTip) << c.artikel;
  }
  for (const auto& [stored, toolTip] :
       {std::pair{"0", "Nur eine Zahl eingeben"}, {"1", ""}, {"7", "unchanged"}}) {
    g.strNestIDVerwenden = stored;
    const auto field = NestFieldForLoad(g);
    EXPECT_EQ(field ? field->toolTip : "unchanged", toolTip) << stored;
    EXPECT_EQ(field && field->clearNestID, *stored == '0') << stored;
  }
}

TEST(MainWindowDateTime, PresetFromTheClock) {
  struct Case {
    LocalDateTime now;
    DateTimeFields expected;
  };
  const Case cases[] = {
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
