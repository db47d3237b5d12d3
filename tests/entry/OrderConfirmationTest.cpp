#include <gtest/gtest.h>

#include "entry/OrderConfirmation.h"
#include "entry/OrderFixture.h"

namespace kvotlk::test {
namespace {

constexpr const char* kSampleSize = "Stichprobenumfang muss vom Typ Integer (Ganzzahl) sein.";

// Every message of the check sequence, in its order, with the entries that trigger it.
const std::pair<const char*, const char*> kFailures[] = {
    {"txt_Artikel=   ", "Pflichtfeld Artikel nicht eingetragen."},
    {"txt_Auftrag=", "Pflichtfeld Auftrag nicht eingetragen."},
    {"txt_Probenumfang= ", "Pflichtfeld Stichprobenumfang nicht eingetragen."},
    {"txt_DatumTag=", "Pflichtfeld Tag nicht eingetragen."},
    {"txt_DatumMonat=  ", "Pflichtfeld Monat nicht eingetragen."},
    {"txt_DatumJahr=", "Pflichtfeld Jahr nicht eingetragen."},
    {"txt_UhrzeitStunde=", "Pflichtfeld Stunde nicht eingetragen."},
    {"txt_UhrzeitMinute=  ", "Pflichtfeld Minute nicht eingetragen."},
    {"combo_Pruefer=-", "Pflichtfeld Prüfer nicht ausgewählt."},
    {"Combo_Maschine=-", "Pflichtfeld Fertigungsmaschine nicht ausgewählt."},
    {"chkNest=1|txt_Nestnummer=  ", "Nestnummer nicht eingetragen."},
    {"blnMessserieUmfang=1|txtAnzahlDerTeile= ", "Anzahl der Teile nicht eingegeben."},
    {"txt_Artikel=123456789", "Artikel darf nur 8stellig sein."},
    {"varLaengeArtikelNr=10|txt_Artikel=ABCDEFGHIJK", "Artikel darf nur 10stellig sein."},
    {"varLaengeArtikelNr=acht|txt_Artikel=123456789", "Artikel darf nur 8stellig sein."},
    {"Combo_Maschine=1234567", "Maschinennummer darf max. 6stellig sein."},
    {"MaschinenIdLaenge=3|Combo_Maschine= 4711 ", "Maschinennummer darf max. 3stellig sein."},
    {"MaschinenIdLaenge=x|Combo_Maschine=1234567", "Maschinennummer darf max. 6stellig sein."},
    {"txt_Auftrag=123456789", "Auftrag darf max. 8stellig sein."},
    {"txt_Auftrag=A123", "Auftrag muss vom Typ Numeric (Ganzzahl) sein."},
    {"txt_Auftrag=0000", "Auftrag muss vom Typ Numeric (Ganzzahl) sein."},
    {"AuftragsNrGanzzahl=ja|txt_Auftrag=A123", "Auftrag muss vom Typ Numeric (Ganzzahl) sein."},
    {"txt_Probenumfang=12a", kSampleSize},
    {"txt_Probenumfang=32768", kSampleSize},
    {"txt_DatumTag=5", "Falsches Format für Tag."},
    {"txt_DatumMonat=3", "Falsches Format für Monat."},
    {"txt_DatumJahr=26", "Falsches Format für Jahr."},
    {"txt_DatumTag=a5|txt_DatumJahr=26", "Falsches Format für Jahr."},
    {"txt_DatumTag=a5", "Falsches Format für Tag."},
    {"txt_DatumMonat=x3", "Falsches Format für Monat."},
    {"txt_DatumJahr=20x6", "Falsches Format für Jahr."},
    {"txt_DatumTag=32|txt_DatumJahr=20x6", "Falsches Format für Jahr."},
    {"txt_DatumTag=32", "Falscher Wert für Tag."},
    {"txt_DatumMonat=13", "Falscher Wert für Monat."},
    {"txt_UhrzeitStunde=7|txt_UhrzeitMinute=5", "Falsches Format für Minute."},
    {"txt_UhrzeitStunde=7", "Falsches Format für Stunde."},
    {"txt_UhrzeitStunde=a7|txt_UhrzeitMinute=b7", "Falsches Format für Stunde."},
    {"txt_UhrzeitMinute=b7", "Falsches Format für Minute."},
    {"txt_UhrzeitStunde=24|txt_UhrzeitMinute=60", "Falscher Wert für Stunde."},
    {"txt_UhrzeitMinute=60", "Falscher Wert für Minute."},
    {"combo_Pruefer=(12345) Name", "Prüfernummer darf nur 4stellig sein."},
    {"combo_Pruefer=(12a4)  Name", "Prüfernummer muss vom Typ Integer (Ganzzahl) sein."},
    {"combo_Pruefer=(12  Name", "Prüfernummer muss vom Typ Integer (Ganzzahl) sein."},
    {"chkNest=1|txt_Nestnummer=x", "Nestnummer muss vom Typ Integer (Ganzzahl) sein."},
    {"chkNest=1|txt_Nestnummer=12", "Nestnummer darf nur 1stellig sein."},
    {"strNestIDVerwenden=1|chkNest=1|txt_Nestnummer=123|lblNestID=N",
     "Nestnummer darf nur 2stellig sein."},
    {"strNestIDVerwenden=1|chkNest=1|txt_Nestnummer=7",
     "Für die eingegebe Nestnummer, wurde noch keine Nest ID eingerichtet."},
    {"Kalvero=aus", "Kalvero muss zuerst gestartet sein."},
    {"Kalvero=leer", "Kalvero Messprogramm muss zuerst geöffnet sein."},
};

TEST(ConfirmOrder, EveryCheckReportsItsOwnMessage) {
  for (const auto& [changes, message] : kFailures) {
    OrderFixture f;
    f.apply(changes);
    const auto kind = message == kSampleSize ? MessageKind::Plain : MessageKind::Stop;
    EXPECT_EQ(ConfirmOrder(f.env, f.g, f.form), (OrderFailure{message, kind})) << changes;
    EXPECT_TRUE(f.prompts.shown.empty());
  }
}

TEST(ConfirmOrder, EntriesAtTheEdgesPass) {
  for (const char* changes :
       {"txt_Artikel=12345678", "txt_Artikel=Müßiggän",
        "varLaengeArtikelNr=10|txt_Artikel=123456789", "Combo_Maschine=ABCDEF",
        "AuftragsNrLaenge=14|txt_Auftrag=12345678901234", "AuftragsNrGanzzahl=0|txt_Auftrag=A123",
        "txt_Probenumfang=0", "txt_Probenumfang=-3", "txt_Probenumfang=32767",
        "txt_DatumTag=31|txt_DatumMonat=02", "txt_DatumTag=00|txt_DatumMonat=00|txt_DatumJahr=0000",
        "txt_UhrzeitStunde=00|txt_UhrzeitMinute=00", "txt_UhrzeitStunde=23|txt_UhrzeitMinute=59",
        "combo_Pruefer=(1234)  Name", "chkNest=1|txt_Nestnummer= 3 ", "txt_Nestnummer=x",
        "strNestIDVerwenden=1|chkNest=1|txt_Nestnummer=12|lblNestID=Form-12",
        "strNestIDVerwenden=2|chkNest=1|txt_Nestnummer=123"}) {
    OrderFixture f;
    f.apply(changes);
    EXPECT_EQ(ConfirmOrder(f.env, f.g, f.form), std::nullopt) << changes;
  }
}

TEST(ConfirmOrder, SuccessAssignsEveryOrderVariable) {
  OrderFixture f;
  f.apply("txt_Artikel= A-100 |Combo_Maschine= M7 |txt_Auftrag= 4711 |txt_Probenumfang= 2,5 ");
  f.apply("txt_DatumTag= 5|chkNest=1|txt_Nestnummer= 3 ");
  ASSERT_EQ(ConfirmOrder(f.env, f.g, f.form), std::nullopt);
  const auto& g = f.g;
  EXPECT_EQ(std::tie(g.strArtikel, g.strMaschine, g.strAuftrag, g.strDatum, g.strUhrzeit),
            std::tie("A-100", "M7", "4711", " 5.03.2026", "08:07"));
  EXPECT_EQ(std::tie(g.strPruefer, g.strNestnummer, g.strMessprogrammName),
            std::tie("12", "3", "Teil"));
  EXPECT_EQ(g.intStichprobenumfang, 2) << "half to even";
}

TEST(ConfirmOrder, FailurePartWayKeepsTheAssignmentsMadeBeforeIt) {
  OrderFixture f;
  auto& g = f.g;
  g.strAuftrag = g.strDatum = g.strUhrzeit = g.strPruefer = g.strNestnummer = "alt";
  g.intStichprobenumfang = 99;
  f.apply("txt_Artikel=B|txt_Probenumfang=40000");
  ASSERT_TRUE(ConfirmOrder(f.env, f.g, f.form).has_value());
  EXPECT_EQ(std::tie(g.strArtikel, g.strAuftrag, g.strDatum), std::tie("B", "4711", "alt"));
  EXPECT_EQ(g.intStichprobenumfang, 99);
  f.apply("txt_Probenumfang=5|txt_UhrzeitMinute=60");
  ASSERT_TRUE(ConfirmOrder(f.env, f.g, f.form).has_value());
  EXPECT_EQ(std::tie(g.strDatum, g.strUhrzeit), std::tie("05.03.2026", "alt"));
  f.apply("txt_UhrzeitMinute=07|combo_Pruefer=(12a4)  Name");
  ASSERT_TRUE(ConfirmOrder(f.env, f.g, f.form).has_value());
  EXPECT_EQ(std::tie(g.strUhrzeit, g.strPruefer, g.strNestnummer),
            std::tie("08:07", "12a4", "alt"));
  f.apply("combo_Pruefer=(12)    Name");
  ASSERT_EQ(ConfirmOrder(f.env, f.g, f.form), std::nullopt);
  EXPECT_EQ(g.strNestnummer, "alt") << "nest box unchecked";
}

TEST(ConfirmOrder, ReadsTheLengthSettingsAfreshEachTime) {
  OrderFixture f;
  ASSERT_EQ(ConfirmOrder(f.env, f.g, f.form), std::nullopt);
  f.apply("AuftragsNrLaenge=3");
  EXPECT_EQ(ConfirmOrder(f.env, f.g, f.form)->message, "Auftrag darf max. 3stellig sein.");
}

TEST(ShowOrderFailure, StopOrPlainAsTheFailureSays) {
  OrderFixture f;
  ShowOrderFailure(f.prompts, {"a", MessageKind::Stop});
  ShowOrderFailure(f.prompts, {"b", MessageKind::Plain});
  EXPECT_EQ(f.prompts.shown,
            (std::vector<ShownPrompt>{{PromptKind::Stop, "a"}, {PromptKind::Plain, "b"}}));
}

TEST(SuccessSteps, ResetSamplesAndNestnummerAmMerkmal) {
  OrderFixture f;
  f.g.arrStichproben.resize(4);
  f.g.arrStichproben[0].strMerkmal[0] = "x";
  f.g.intAnzMerkmale = 3;
  ResetSamples(f.g);
  ASSERT_EQ(f.g.arrStichproben.size(), 1U);
  EXPECT_EQ(f.g.intAnzMerkmale, 0);
  EXPECT_EQ(f.g.arrStichproben[0].strMerkmal, std::vector<std::string>{""});
  EXPECT_EQ(f.g.arrStichproben[0].dblMesswert, std::vector<double>{0.0});
  for (const auto& [stored, expected] : {std::pair{"3", 3}, {"0", 0}, {"drei", 1}}) {
    f.apply(std::string("NestnummerAmMerkmal=") + stored);
    ReadNestnummerAmMerkmal(f.env, f.g);
    EXPECT_EQ(f.g.intNestnummerAmMerkmal, expected) << stored;
  }
}

}  // namespace
}  // namespace kvotlk::test
