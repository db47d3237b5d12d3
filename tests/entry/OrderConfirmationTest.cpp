#include <gtest/gtest.h>

#include <functional>

#include "entry/OrderConfirmation.h"
#include "entry/OrderFixture.h"

namespace kvotlk::test {
namespace {

using Change = std::function<void(OrderFixture&)>;

struct FailureCase {
  const char* field;
  Change change;
  const char* message;
  MessageKind kind = MessageKind::Stop;
};

// Every message of the check sequence, in its order, with the entry that triggers it.
const FailureCase kFailures[] = {
    {"article blank", [](OrderFixture& f) { f.form.txt_Artikel = "   "; },
     "Pflichtfeld Artikel nicht eingetragen."},
    {"order empty", [](OrderFixture& f) { f.form.txt_Auftrag = ""; },
     "Pflichtfeld Auftrag nicht eingetragen."},
    {"sample size blank", [](OrderFixture& f) { f.form.txt_Probenumfang = " "; },
     "Pflichtfeld Stichprobenumfang nicht eingetragen."},
    {"day empty", [](OrderFixture& f) { f.form.txt_DatumTag = ""; },
     "Pflichtfeld Tag nicht eingetragen."},
    {"month blank", [](OrderFixture& f) { f.form.txt_DatumMonat = "  "; },
     "Pflichtfeld Monat nicht eingetragen."},
    {"year empty", [](OrderFixture& f) { f.form.txt_DatumJahr = ""; },
     "Pflichtfeld Jahr nicht eingetragen."},
    {"hour empty", [](OrderFixture& f) { f.form.txt_UhrzeitStunde = ""; },
     "Pflichtfeld Stunde nicht eingetragen."},
    {"minute blank", [](OrderFixture& f) { f.form.txt_UhrzeitMinute = "  "; },
     "Pflichtfeld Minute nicht eingetragen."},
    {"no inspector", [](OrderFixture& f) { f.form.combo_Pruefer.reset(); },
     "Pflichtfeld Prüfer nicht ausgewählt."},
    {"no machine", [](OrderFixture& f) { f.form.Combo_Maschine.reset(); },
     "Pflichtfeld Fertigungsmaschine nicht ausgewählt."},
    {"nest checked, number blank",
     [](OrderFixture& f) {
       f.form.chkNest = kChecked;
       f.form.txt_Nestnummer = "  ";
     },
     "Nestnummer nicht eingetragen."},
    {"part count asked, blank",
     [](OrderFixture& f) {
       f.g.blnMessserieUmfang = true;
       f.form.txtAnzahlDerTeile = " ";
     },
     "Anzahl der Teile nicht eingegeben."},
    {"article 9 characters", [](OrderFixture& f) { f.form.txt_Artikel = "123456789"; },
     "Artikel darf nur 8stellig sein."},
    {"article 11 characters, limit 10",
     [](OrderFixture& f) {
       f.g.varLaengeArtikelNr = "10";
       f.form.txt_Artikel = "ABCDEFGHIJK";
     },
     "Artikel darf nur 10stellig sein."},
    {"article limit not a number counts as 8",
     [](OrderFixture& f) {
       f.g.varLaengeArtikelNr = "acht";
       f.form.txt_Artikel = "123456789";
     },
     "Artikel darf nur 8stellig sein."},
    {"machine 7 characters", [](OrderFixture& f) { f.form.Combo_Maschine = "1234567"; },
     "Maschinennummer darf max. 6stellig sein."},
    {"machine limit 3",
     [](OrderFixture& f) {
       f.setSetting("MaschinenIdLaenge", "3");
       f.form.Combo_Maschine = " 4711 ";
     },
     "Maschinennummer darf max. 3stellig sein."},
    {"machine limit not a number counts as 6",
     [](OrderFixture& f) {
       f.setSetting("MaschinenIdLaenge", "sechs");
       f.form.Combo_Maschine = "1234567";
     },
     "Maschinennummer darf max. 6stellig sein."},
    {"order 9 characters", [](OrderFixture& f) { f.form.txt_Auftrag = "123456789"; },
     "Auftrag darf max. 8stellig sein."},
    {"order not numeric", [](OrderFixture& f) { f.form.txt_Auftrag = "A123"; },
     "Auftrag muss vom Typ Numeric (Ganzzahl) sein."},
    {"order 0", [](OrderFixture& f) { f.form.txt_Auftrag = "0"; },
     "Auftrag muss vom Typ Numeric (Ganzzahl) sein."},
    {"order 0000", [](OrderFixture& f) { f.form.txt_Auftrag = "0000"; },
     "Auftrag muss vom Typ Numeric (Ganzzahl) sein."},
    {"order whole-number setting not a number counts as 1",
     [](OrderFixture& f) {
       f.setSetting("AuftragsNrGanzzahl", "ja");
       f.form.txt_Auftrag = "A123";
     },
     "Auftrag muss vom Typ Numeric (Ganzzahl) sein."},
    {"sample size 12a", [](OrderFixture& f) { f.form.txt_Probenumfang = "12a"; },
     "Stichprobenumfang muss vom Typ Integer (Ganzzahl) sein.", MessageKind::Plain},
    {"sample size beyond 16 bits", [](OrderFixture& f) { f.form.txt_Probenumfang = "32768"; },
     "Stichprobenumfang muss vom Typ Integer (Ganzzahl) sein.", MessageKind::Plain},
    {"sample size below 16 bits", [](OrderFixture& f) { f.form.txt_Probenumfang = "-40000"; },
     "Stichprobenumfang muss vom Typ Integer (Ganzzahl) sein.", MessageKind::Plain},
    {"day 5", [](OrderFixture& f) { f.form.txt_DatumTag = "5"; }, "Falsches Format für Tag."},
    {"month 3", [](OrderFixture& f) { f.form.txt_DatumMonat = "3"; }, "Falsches Format für Monat."},
    {"year 26", [](OrderFixture& f) { f.form.txt_DatumJahr = "26"; }, "Falsches Format für Jahr."},
    {"day a5", [](OrderFixture& f) { f.form.txt_DatumTag = "a5"; }, "Falsches Format für Tag."},
    {"month x3", [](OrderFixture& f) { f.form.txt_DatumMonat = "x3"; },
     "Falsches Format für Monat."},
    {"year 20x6", [](OrderFixture& f) { f.form.txt_DatumJahr = "20x6"; },
     "Falsches Format für Jahr."},
    {"day 32", [](OrderFixture& f) { f.form.txt_DatumTag = "32"; }, "Falscher Wert für Tag."},
    {"month 13", [](OrderFixture& f) { f.form.txt_DatumMonat = "13"; }, "Falscher Wert für Monat."},
    {"hour 7 and minute 5",
     [](OrderFixture& f) {
       f.form.txt_UhrzeitStunde = "7";
       f.form.txt_UhrzeitMinute = "5";
     },
     "Falsches Format für Minute."},
    {"hour 7", [](OrderFixture& f) { f.form.txt_UhrzeitStunde = "7"; },
     "Falsches Format für Stunde."},
    {"hour a7 and minute b7",
     [](OrderFixture& f) {
       f.form.txt_UhrzeitStunde = "a7";
       f.form.txt_UhrzeitMinute = "b7";
     },
     "Falsches Format für Stunde."},
    {"minute b7", [](OrderFixture& f) { f.form.txt_UhrzeitMinute = "b7"; },
     "Falsches Format für Minute."},
    {"hour 24 and minute 60",
     [](OrderFixture& f) {
       f.form.txt_UhrzeitStunde = "24";
       f.form.txt_UhrzeitMinute = "60";
     },
     "Falscher Wert für Stunde."},
    {"minute 60", [](OrderFixture& f) { f.form.txt_UhrzeitMinute = "60"; },
     "Falscher Wert für Minute."},
    {"inspector (12345)", [](OrderFixture& f) { f.form.combo_Pruefer = "(12345) Name"; },
     "Prüfernummer darf nur 4stellig sein."},
    {"inspector (12a4)", [](OrderFixture& f) { f.form.combo_Pruefer = "(12a4)  Name"; },
     "Prüfernummer muss vom Typ Integer (Ganzzahl) sein."},
    {"inspector entry without )", [](OrderFixture& f) { f.form.combo_Pruefer = "(12  Name"; },
     "Prüfernummer muss vom Typ Integer (Ganzzahl) sein."},
    {"inspector entry empty", [](OrderFixture& f) { f.form.combo_Pruefer = ""; },
     "Prüfernummer muss vom Typ Integer (Ganzzahl) sein."},
    {"inspector entry only )", [](OrderFixture& f) { f.form.combo_Pruefer = ")"; },
     "Prüfernummer muss vom Typ Integer (Ganzzahl) sein."},
    {"nest number x",
     [](OrderFixture& f) {
       f.form.chkNest = kChecked;
       f.form.txt_Nestnummer = "x";
     },
     "Nestnummer muss vom Typ Integer (Ganzzahl) sein."},
    {"nest number 12 without nest IDs",
     [](OrderFixture& f) {
       f.form.chkNest = kChecked;
       f.form.txt_Nestnummer = "12";
     },
     "Nestnummer darf nur 1stellig sein."},
    {"nest number 123 with nest IDs",
     [](OrderFixture& f) {
       f.g.strNestIDVerwenden = "1";
       f.form.chkNest = kChecked;
       f.form.txt_Nestnummer = "123";
       f.form.lblNestID = "Form-3";
     },
     "Nestnummer darf nur 2stellig sein."},
    {"nest number without nest ID",
     [](OrderFixture& f) {
       f.g.strNestIDVerwenden = "1";
       f.form.chkNest = kChecked;
       f.form.txt_Nestnummer = "7";
     },
     "Für die eingegebe Nestnummer, wurde noch keine Nest ID eingerichtet."},
    {"CMM software not running",
     [](OrderFixture& f) {
       f.kalvero.windowExists = false;
       f.kalvero.app.reset();
     },
     "Kalvero muss zuerst gestartet sein."},
    {"no measuring program open", [](OrderFixture& f) { f.app->closePartProgram(); },
     "Kalvero Messprogramm muss zuerst geöffnet sein."},
};

TEST(ConfirmOrder, EveryCheckReportsItsOwnMessage) {
  for (const FailureCase& c : kFailures) {
    OrderFixture f;
    c.change(f);
    const auto failure = ConfirmOrder(f.env, f.g, f.form);
    ASSERT_TRUE(failure.has_value()) << c.field;
    EXPECT_EQ(*failure, (OrderFailure{c.message, c.kind})) << c.field;
    EXPECT_TRUE(f.prompts.shown.empty()) << c.field;
  }
}

// Entries at the edges of the rules that pass every check.
const std::pair<const char*, Change> kPasses[] = {
    {"valid order", [](OrderFixture&) {}},
    {"blanks around texts", [](OrderFixture& f) { f.form.txt_Artikel = "  A-100  "; }},
    {"article 8 characters", [](OrderFixture& f) { f.form.txt_Artikel = "12345678"; }},
    {"article of 8 characters with umlauts",
     [](OrderFixture& f) { f.form.txt_Artikel = "Müßiggän"; }},
    {"article limit compared as a number",
     [](OrderFixture& f) {
       f.g.varLaengeArtikelNr = "10";
       f.form.txt_Artikel = "123456789";
     }},
    {"machine of letters", [](OrderFixture& f) { f.form.Combo_Maschine = "ABCDEF"; }},
    {"order of 14 digits",
     [](OrderFixture& f) {
       f.setSetting("AuftragsNrLaenge", "14");
       f.form.txt_Auftrag = "12345678901234";
     }},
    {"any order text without the whole-number rule",
     [](OrderFixture& f) {
       f.setSetting("AuftragsNrGanzzahl", "0");
       f.form.txt_Auftrag = "A123";
     }},
    {"sample size 0", [](OrderFixture& f) { f.form.txt_Probenumfang = "0"; }},
    {"sample size -3", [](OrderFixture& f) { f.form.txt_Probenumfang = "-3"; }},
    {"sample size 32767", [](OrderFixture& f) { f.form.txt_Probenumfang = "32767"; }},
    {"31.02.2026",
     [](OrderFixture& f) {
       f.form.txt_DatumTag = "31";
       f.form.txt_DatumMonat = "02";
     }},
    {"00.00.0000 00:00",
     [](OrderFixture& f) {
       f.form.txt_DatumTag = "00";
       f.form.txt_DatumMonat = "00";
       f.form.txt_DatumJahr = "0000";
       f.form.txt_UhrzeitStunde = "00";
       f.form.txt_UhrzeitMinute = "00";
     }},
    {"23:59",
     [](OrderFixture& f) {
       f.form.txt_UhrzeitStunde = "23";
       f.form.txt_UhrzeitMinute = "59";
     }},
    {"part count not asked and empty", [](OrderFixture& f) { f.form.txtAnzahlDerTeile = ""; }},
    {"inspector (1234)", [](OrderFixture& f) { f.form.combo_Pruefer = "(1234)  Name"; }},
    {"nest number 3 without nest IDs",
     [](OrderFixture& f) {
       f.form.chkNest = kChecked;
       f.form.txt_Nestnummer = " 3 ";
     }},
    {"nest number 12 with its nest ID",
     [](OrderFixture& f) {
       f.g.strNestIDVerwenden = "1";
       f.form.chkNest = kChecked;
       f.form.txt_Nestnummer = "12";
       f.form.lblNestID = "Form-12";
     }},
    {"nest number 123 with another nest-ID setting",
     [](OrderFixture& f) {
       f.g.strNestIDVerwenden = "2";
       f.form.chkNest = kChecked;
       f.form.txt_Nestnummer = "123";
     }},
    {"invalid nest number with the box unchecked",
     [](OrderFixture& f) { f.form.txt_Nestnummer = "x"; }},
};

TEST(ConfirmOrder, EntriesAtTheEdgesPass) {
  for (const auto& [name, change] : kPasses) {
    OrderFixture f;
    change(f);
    EXPECT_EQ(ConfirmOrder(f.env, f.g, f.form), std::nullopt) << name;
  }
}

TEST(ConfirmOrder, SuccessAssignsEveryOrderVariable) {
  OrderFixture f;
  f.form.txt_Artikel = " A-100 ";
  f.form.Combo_Maschine = " M7 ";
  f.form.txt_Auftrag = " 4711 ";
  f.form.txt_Probenumfang = " 5 ";
  f.form.chkNest = kChecked;
  f.form.txt_Nestnummer = " 3 ";
  ASSERT_EQ(ConfirmOrder(f.env, f.g, f.form), std::nullopt);
  EXPECT_EQ(f.g.strArtikel, "A-100");
  EXPECT_EQ(f.g.strMaschine, "M7");
  EXPECT_EQ(f.g.strAuftrag, "4711");
  EXPECT_EQ(f.g.intStichprobenumfang, 5);
  EXPECT_EQ(f.g.strDatum, "05.03.2026");
  EXPECT_EQ(f.g.strUhrzeit, "08:07");
  EXPECT_EQ(f.g.strPruefer, "12");
  EXPECT_EQ(f.g.strNestnummer, "3");
  EXPECT_EQ(f.g.strMessprogrammName, "Teil");
  EXPECT_NE(f.g.KvoPartProg, nullptr);
}

TEST(ConfirmOrder, DateAndTimeKeepTheTextsAsTyped) {
  OrderFixture f;
  f.form.txt_DatumTag = " 5";
  f.form.txt_UhrzeitMinute = "7 ";
  ASSERT_EQ(ConfirmOrder(f.env, f.g, f.form), std::nullopt);
  EXPECT_EQ(f.g.strDatum, " 5.03.2026");
  EXPECT_EQ(f.g.strUhrzeit, "08:7 ");
}

TEST(ConfirmOrder, SampleSizeRoundsAFractionHalfToEven) {
  OrderFixture f;
  f.form.txt_Probenumfang = "2,5";
  ASSERT_EQ(ConfirmOrder(f.env, f.g, f.form), std::nullopt);
  EXPECT_EQ(f.g.intStichprobenumfang, 2);
}

struct Previous {
  std::string text = "alt";
  std::int16_t number = 99;
};

void presetOrderVariables(modGlobaleVariablen& g, const Previous& p) {
  g.strArtikel = g.strMaschine = g.strAuftrag = g.strDatum = g.strUhrzeit = g.strPruefer =
      g.strNestnummer = p.text;
  g.intStichprobenumfang = p.number;
}

TEST(ConfirmOrder, FailurePartWayKeepsTheAssignmentsMadeBeforeIt) {
  const Previous p;
  OrderFixture f;
  presetOrderVariables(f.g, p);
  f.form.txt_Auftrag = "123456789";
  ASSERT_TRUE(ConfirmOrder(f.env, f.g, f.form).has_value());
  EXPECT_EQ(f.g.strArtikel, "A-100");
  EXPECT_EQ(f.g.strMaschine, "M7");
  EXPECT_EQ(f.g.strAuftrag, "123456789") << "assigned before its own length check";
  EXPECT_EQ(f.g.intStichprobenumfang, p.number);
  EXPECT_EQ(f.g.strDatum, p.text);

  f.form = ValidOrderForm();
  f.form.txt_UhrzeitMinute = "60";
  ASSERT_TRUE(ConfirmOrder(f.env, f.g, f.form).has_value());
  EXPECT_EQ(f.g.intStichprobenumfang, 5);
  EXPECT_EQ(f.g.strDatum, "05.03.2026");
  EXPECT_EQ(f.g.strUhrzeit, p.text);
  EXPECT_EQ(f.g.strPruefer, p.text);

  f.form = ValidOrderForm();
  f.form.combo_Pruefer = "(12a4)  Name";
  ASSERT_TRUE(ConfirmOrder(f.env, f.g, f.form).has_value());
  EXPECT_EQ(f.g.strUhrzeit, "08:07");
  EXPECT_EQ(f.g.strPruefer, "12a4");
  EXPECT_EQ(f.g.strNestnummer, p.text);
}

TEST(ConfirmOrder, FailedSampleSizeKeepsTheEarlierNumber) {
  OrderFixture f;
  presetOrderVariables(f.g, {});
  f.form.txt_Probenumfang = "40000";
  ASSERT_TRUE(ConfirmOrder(f.env, f.g, f.form).has_value());
  EXPECT_EQ(f.g.intStichprobenumfang, 99);
}

TEST(ConfirmOrder, UncheckedNestBoxLeavesTheEarlierNestNumber) {
  OrderFixture f;
  f.form.chkNest = kChecked;
  f.form.txt_Nestnummer = "4";
  ASSERT_EQ(ConfirmOrder(f.env, f.g, f.form), std::nullopt);
  f.form.chkNest = kUnchecked;
  f.form.txt_Nestnummer = "7";
  ASSERT_EQ(ConfirmOrder(f.env, f.g, f.form), std::nullopt);
  EXPECT_EQ(f.g.strNestnummer, "4");
}

TEST(ConfirmOrder, ReadsTheLengthSettingsAfreshEachTime) {
  OrderFixture f;
  ASSERT_EQ(ConfirmOrder(f.env, f.g, f.form), std::nullopt);
  f.setSetting("AuftragsNrLaenge", "3");
  const auto failure = ConfirmOrder(f.env, f.g, f.form);
  ASSERT_TRUE(failure.has_value());
  EXPECT_EQ(failure->message, "Auftrag darf max. 3stellig sein.");
}

TEST(ShowOrderFailure, StopOrPlainAsTheFailureSays) {
  OrderFixture f;
  ShowOrderFailure(f.prompts, {"Pflichtfeld Artikel nicht eingetragen.", MessageKind::Stop});
  ShowOrderFailure(f.prompts,
                   {"Stichprobenumfang muss vom Typ Integer (Ganzzahl) sein.", MessageKind::Plain});
  const std::vector<ShownPrompt> expected = {
      {PromptKind::Stop, "Pflichtfeld Artikel nicht eingetragen."},
      {PromptKind::Plain, "Stichprobenumfang muss vom Typ Integer (Ganzzahl) sein."},
  };
  EXPECT_EQ(f.prompts.shown, expected);
}

TEST(SuccessSteps, ResetSamplesLeavesOneEmptyRecord) {
  OrderFixture f;
  f.g.arrStichproben.resize(4);
  f.g.arrStichproben[1].strMerkmal.emplace_back("M1");
  f.g.arrStichproben[1].dblMesswert.push_back(1.5);
  f.g.arrStichproben[0].strMerkmal[0] = "x";
  ResetSamples(f.g);
  ASSERT_EQ(f.g.arrStichproben.size(), 1U);
  EXPECT_EQ(f.g.arrStichproben[0].strMerkmal, std::vector<std::string>({""}));
  EXPECT_EQ(f.g.arrStichproben[0].dblMesswert, std::vector<double>({0.0}));
}

TEST(SuccessSteps, NestnummerAmMerkmalFromTheSettings) {
  const std::pair<const char*, std::int16_t> cases[] = {{"3", 3}, {"0", 0}, {"drei", 1}};
  for (const auto& [stored, expected] : cases) {
    OrderFixture f;
    f.setSetting("NestnummerAmMerkmal", stored);
    ReadNestnummerAmMerkmal(f.env, f.g);
    EXPECT_EQ(f.g.intNestnummerAmMerkmal, expected) << stored;
  }
  OrderFixture f;
  ReadNestnummerAmMerkmal(f.env, f.g);
  EXPECT_EQ(f.g.intNestnummerAmMerkmal, 1) << "missing setting";
}

}  // namespace
}  // namespace kvotlk::test
