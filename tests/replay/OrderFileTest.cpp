#include <gtest/gtest.h>

#include <string>
#include <variant>

#include "kvotlk-replay/OrderFile.h"

namespace kvotlk::replay {
namespace {

OrderInput parsed(const std::string& content) {
  auto result = parseOrderFile(content, "auftrag.txt");
  if (const auto* error = std::get_if<InputFileError>(&result)) {
    ADD_FAILURE() << error->text();
    return {};
  }
  return std::get<OrderInput>(result);
}

TEST(OrderFileTest, TakesEveryControlWithItsTextAsTyped) {
  const OrderInput input = parsed(
      "\xEF\xBB\xBF# Auftrag\r\n"
      "txt_Artikel= A100 \r\n"
      "Combo_Maschine=M7\r\n"
      "txt_Auftrag=40711\r\n"
      "\r\n"
      "txt_Probenumfang=5\n"
      "txtAnzahlDerTeile=12\n"
      "txt_DatumTag=05\n"
      "txt_DatumMonat=12\n"
      "txt_DatumJahr=2026\n"
      "txt_UhrzeitStunde=9\n"
      "  ; Minute fehlt absichtlich nicht\n"
      "txt_UhrzeitMinute=30\n"
      "combo_Prüfer=(12)    Müller\n"
      "chkNest=1\n"
      "txt_Nestnummer=a=b\t");
  OrderInput expected;
  expected.form.txt_Artikel = " A100 ";
  expected.form.Combo_Maschine = "M7";
  expected.form.txt_Auftrag = "40711";
  expected.form.txt_Probenumfang = "5";
  expected.form.txtAnzahlDerTeile = "12";
  expected.form.txt_DatumTag = "05";
  expected.form.txt_DatumMonat = "12";
  expected.form.txt_DatumJahr = "2026";
  expected.form.txt_UhrzeitStunde = "9";
  expected.form.txt_UhrzeitMinute = "30";
  expected.form.combo_Pruefer = "(12)    Müller";
  expected.form.chkNest = kChecked;
  expected.form.txt_Nestnummer = "a=b\t";
  expected.comboMaschineLine = 3;
  expected.comboPrueferLine = 14;
  EXPECT_EQ(input, expected);
}

TEST(OrderFileTest, AControlWithoutALineIsEmptyOrNotSelected) {
  EXPECT_EQ(parsed(""), OrderInput{});
  EXPECT_EQ(parsed("# nur ein Kommentar\n   \n"), OrderInput{});
}

TEST(OrderFileTest, AnEmptyValueSelectsTheEmptyEntry) {
  const OrderInput input = parsed("Combo_Maschine=\ncombo_Prüfer=\n");
  EXPECT_EQ(input.form.Combo_Maschine, std::optional<std::string>(""));
  EXPECT_EQ(input.form.combo_Pruefer, std::optional<std::string>(""));
  EXPECT_EQ(input.comboPrueferLine, 2);
}

TEST(OrderFileTest, NamesIgnoreCaseAndBlanksAroundThem) {
  struct Case {
    const char* line;
    std::string OrderForm::*field;
  };
  const Case cases[] = {
      {"TXT_ARTIKEL=x", &OrderForm::txt_Artikel},
      {"  txt_auftrag\t=x", &OrderForm::txt_Auftrag},
      {"txtanzahlderteile=x", &OrderForm::txtAnzahlDerTeile},
      {"TXT_NESTNUMMER=x", &OrderForm::txt_Nestnummer},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(parsed(c.line).form.*c.field, "x") << c.line;
  }
  EXPECT_EQ(parsed("COMBO_PRÜFER=(1) A").form.combo_Pruefer, "(1) A");
  EXPECT_EQ(parsed("combo_Pruefer=(1) A").form.combo_Pruefer, "(1) A");
  EXPECT_EQ(parsed("combo_maschine=M1").form.Combo_Maschine, "M1");
  EXPECT_EQ(parsed("CHKNEST=0").form.chkNest, kUnchecked);
}

TEST(OrderFileTest, RefusesWithLineAndReason) {
  struct Case {
    std::string content;
    int line;
    std::string message;
  };
  const Case cases[] = {
      {"# Kopf\n\ntxt_Artikel A100\n", 3,
       "Die Zeile hat kein \"=\". Erwartet wird Name=Wert, etwa txt_Artikel=A100."},
      {" =A100", 1, "Vor dem \"=\" fehlt der Name des Feldes."},
      {"txt_Artikel=1\ntxt_Artikell=A100", 2,
       "Unbekanntes Feld \"txt_Artikell\". Bekannt sind txt_Artikel, Combo_Maschine, "
       "txt_Auftrag, txt_Probenumfang, txtAnzahlDerTeile, txt_DatumTag, txt_DatumMonat, "
       "txt_DatumJahr, txt_UhrzeitStunde, txt_UhrzeitMinute, combo_Prüfer, chkNest und "
       "txt_Nestnummer."},
      {"lblNestID=Form-3", 1,
       "\"lblNestID\" ist keine Eingabe: Die Nest ID wird wie im Fenster zur Nestnummer im "
       "Nest-ID-Katalog gesucht."},
      {"txt_Auftrag=1\n# x\ntxt_Auftrag=2", 3, "Das Feld \"txt_Auftrag\" steht schon in Zeile 1."},
      {"combo_Prüfer=(1) A\ncombo_Pruefer=(2) B", 2,
       "Das Feld \"combo_Prüfer\" steht schon in Zeile 1."},
      {"chkNest=2", 1,
       "\"chkNest\": \"2\" ist kein Zustand des Kästchens. Erlaubt sind 0 (leer) und 1 "
       "(angekreuzt)."},
      {"chkNest= 1", 1,
       "\"chkNest\": \" 1\" ist kein Zustand des Kästchens. Erlaubt sind 0 (leer) und 1 "
       "(angekreuzt)."},
      {"chkNest=", 1,
       "\"chkNest\": \"\" ist kein Zustand des Kästchens. Erlaubt sind 0 (leer) und 1 "
       "(angekreuzt)."},
      {"txt_Artikel=A\ncombo_Prüfer=(12) M\xFCller", 2,
       "Die Zeile ist kein gültiges UTF-8. Speichern Sie die Datei als UTF-8."},
      {"# \xC3\n", 1, "Die Zeile ist kein gültiges UTF-8. Speichern Sie die Datei als UTF-8."},
      {"txt_Artikel=A\rB\n", 2,
       "Die Zeile hat kein \"=\". Erwartet wird Name=Wert, etwa txt_Artikel=A100."},
      {std::string("txt_Artikel=A\0B", 15), 1,
       "Die Zeile enthält das Steuerzeichen mit dem Code 0; ein Wert besteht aus einer Zeile "
       "Text."},
      {"txt_Artikel=A\x7F", 1,
       "Die Zeile enthält das Steuerzeichen mit dem Code 127; ein Wert besteht aus einer Zeile "
       "Text."},
  };
  for (const Case& c : cases) {
    const auto result = parseOrderFile(c.content, "auftrag.txt");
    ASSERT_TRUE(std::holds_alternative<InputFileError>(result)) << c.content;
    EXPECT_EQ(std::get<InputFileError>(result), (InputFileError{"auftrag.txt", c.line, c.message}));
  }
}

}  // namespace
}  // namespace kvotlk::replay
