// Reading measuring-program files: what a valid file gives, and every refusal with its
// file, line and German text.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "program/ProgramParser.h"

namespace kvotlk::program {
namespace {

MeasuringProgram parsed(const std::string& content) {
  auto result = parseProgram(content, "t.kmp");
  if (const auto* error = std::get_if<ProgramError>(&result)) {
    ADD_FAILURE() << error->text();
    return {};
  }
  return std::get<MeasuringProgram>(result);
}

// The text of the file's refusal; empty when it was read.
std::string refusal(const std::string& content) {
  const auto result = parseProgram(content, "t.kmp");
  const auto* error = std::get_if<ProgramError>(&result);
  return error == nullptr ? std::string() : error->text();
}

const ProgramCommand& command(const MeasuringProgram& program, std::size_t index) {
  return std::get<ProgramCommand>(program.items.at(index));
}

TEST(ProgramParserTest, ReadsHeaderAndEveryPartOfACommand) {
  const MeasuringProgram program = parsed(
      "# Kopf\n"
      "Programm \"Welle 4711.PRG\"\n"
      "Version \"Kalvero 5.2 (Simulator)\"\n"
      "Startwert 18446744073709551615\n"
      "Nachkommastellen 3\n"
      "Befehl Typ=1299 Id=\"Kreis 1\" Merkmal=\"\" Messwert=-1,5 Nebenwert=Gleich(0; 0.5) "
      "Textname=Hinweis Text=\"a \"\"b\"\" # c\" Feld165=-4 Feld662=Normal( 2,5 ; 0,1 )\n");
  EXPECT_EQ(program.partProgName, "Welle 4711.PRG");
  EXPECT_EQ(program.versionText, "Kalvero 5.2 (Simulator)");
  EXPECT_EQ(program.seed, 18446744073709551615ULL);
  EXPECT_EQ(program.decimals, 3);
  ASSERT_EQ(program.items.size(), 1U);
  const ProgramCommand& c = command(program, 0);
  EXPECT_EQ(c.line, 6);
  EXPECT_EQ(c.statement, "Befehl");
  EXPECT_EQ(c.typeCode, 1299);
  EXPECT_EQ(c.cmdIdText, "Kreis 1");
  EXPECT_TRUE(c.hasDimension);
  EXPECT_EQ(c.dimIdText, "");
  EXPECT_EQ(c.measured, ValueRule::Fixed(-1.5));
  EXPECT_EQ(c.secondary, (ValueRule{ValueRule::Kind::Uniform, 0.0, 0.5}));
  EXPECT_TRUE(c.hasTextCmd);
  EXPECT_EQ(c.textCmdName, "Hinweis");
  EXPECT_EQ(c.textCmdText, "a \"b\" # c");
  EXPECT_EQ(c.field165, -4);
  EXPECT_EQ(c.field662, (ValueRule{ValueRule::Kind::Normal, 2.5, 0.1}));
}

TEST(ProgramParserTest, DefaultsWhenTheHeaderLeavesThemOut) {
  const MeasuringProgram program = parsed("Programm A.PRG\nMass Messwert=1\n");
  EXPECT_EQ(program.versionText, "Kalvero-Simulator 1.0");
  EXPECT_EQ(program.seed, std::nullopt);
  EXPECT_EQ(program.decimals, 4);
}

struct KindCase {
  const char* line;
  std::int32_t typeCode;
  bool hasDimension;
  bool hasTextCmd;
  const char* statement;
};

TEST(ProgramParserTest, EachStatementGivesItsTypeAndParts) {
  const KindCase cases[] = {
      {"Mass Messwert=1", 1, true, false, "Mass"},
      {"maß Nebenwert=1", 1, true, false, "Mass"},
      {"MASS Typ=1209 Messwert=1", 1209, true, false, "Mass"},
      {"Textbefehl Textname=ID Text=\"1,,2\"", 2, false, true, "Textbefehl"},
      {"Feldwert Id=7 Feld662=1", 184, false, false, "Feldwert"},
      {"Feldwert Id=7 Feld662=1 Merkmal=7", 184, true, false, "Feldwert"},
      {"BlockA Id=100", 1000, false, false, "BlockA"},
      {"blockaende", 1001, false, false, "BlockAEnde"},
      {"BlockB Id=200 Feld165=2", 1200, false, false, "BlockB"},
      {"BlockBEnde", 1201, false, false, "BlockBEnde"},
      {"Befehl Typ=5", 5, false, false, "Befehl"},
      {"Befehl Typ=5 Merkmal=3", 5, true, false, "Befehl"},
      {"Befehl Typ=5 Textname=SchleifeAnfang", 5, false, true, "Befehl"},
  };
  for (const KindCase& kind : cases) {
    SCOPED_TRACE(kind.line);
    const MeasuringProgram program = parsed(std::string("Programm A.PRG\n") + kind.line + "\n");
    const ProgramCommand& c = command(program, 0);
    EXPECT_EQ(c.typeCode, kind.typeCode);
    EXPECT_EQ(c.hasDimension, kind.hasDimension);
    EXPECT_EQ(c.hasTextCmd, kind.hasTextCmd);
    EXPECT_EQ(c.statement, kind.statement);
  }
}

TEST(ProgramParserTest, ReadsBothDecimalSeparatorsAndSigns) {
  const MeasuringProgram program = parsed(
      "Programm A.PRG\nMass Messwert=10,5 Nebenwert=+.25\nMass Messwert=-3. Nebenwert=10.5\n");
  EXPECT_EQ(command(program, 0).measured.first, 10.5);
  EXPECT_EQ(command(program, 0).secondary.first, 0.25);
  EXPECT_EQ(command(program, 1).measured.first, -3.0);
  EXPECT_EQ(command(program, 1).secondary.first, 10.5);
}

TEST(ProgramParserTest, LoopsHoldTheirBody) {
  const MeasuringProgram program = parsed(
      "Programm A.PRG\n"
      "Mass Merkmal=1 Messwert=1\n"
      "Schleife 3\n"
      "  Mass Merkmal=2 Messwert=2\n"
      "  Mass Merkmal=3 Messwert=3\n"
      "SchleifeEnde\n"
      "Mass Merkmal=4 Messwert=4\n");
  ASSERT_EQ(program.items.size(), 3U);
  const auto& loop = std::get<ProgramLoop>(program.items[1]);
  EXPECT_EQ(loop.line, 3);
  EXPECT_EQ(loop.endLine, 6);
  EXPECT_EQ(loop.passes, 3);
  ASSERT_EQ(loop.body.size(), 2U);
  EXPECT_EQ(loop.body[1].dimIdText, "3");
  EXPECT_EQ(command(program, 2).dimIdText, "4");
}

TEST(ProgramParserTest, ReadsWindows1252AndSkipsAByteOrderMark) {
  const MeasuringProgram latin = parsed("Programm Geh\xE4use.PRG\nMass Merkmal=\xDF Messwert=1\n");
  EXPECT_EQ(latin.partProgName, "Gehäuse.PRG");
  EXPECT_EQ(command(latin, 0).dimIdText, "ß");
  const MeasuringProgram utf8 = parsed("\xEF\xBB\xBFProgramm Gehäuse.PRG\r\nMass Messwert=1\r\n");
  EXPECT_EQ(utf8.partProgName, "Gehäuse.PRG");
}

struct ErrorCase {
  const char* content;
  const char* text;
};

TEST(ProgramParserTest, RefusesAFileWithFileLineAndReason) {
  const ErrorCase cases[] = {
      {"Programm A.PRG\nMas Merkmal=1",
       R"(t.kmp, Zeile 2: Unbekannte Anweisung "Mas". Bekannt sind Programm, Version, Startwert, )"
       "Nachkommastellen, Befehl, Mass, Textbefehl, Feldwert, BlockA, BlockAEnde, BlockB, "
       "BlockBEnde, Schleife und SchleifeEnde."},
      {"Mass Merkmal=1 Wert=1",
       R"(t.kmp, Zeile 1: Unbekannte Angabe "Wert". Bekannt sind Typ, Id, Merkmal, Messwert, )"
       "Nebenwert, Textname, Text, Feld165 und Feld662."},
      {"Mass Messwert=1 messwert=2",
       R"(t.kmp, Zeile 1: Die Angabe "messwert" steht zweimal in der Zeile.)"},
      {"Mass Messwert=1,2,3",
       R"(t.kmp, Zeile 1: "Messwert": "1,2,3" ist kein gültiger Wert. Erlaubt sind eine Zahl )"
       "wie 10,005, Normal(Mittelwert; Standardabweichung) und Gleich(Untergrenze; Obergrenze)."},
      {"Mass Messwert=Poisson(1;2)",
       R"-(t.kmp, Zeile 1: "Messwert": "Poisson(1;2)" ist kein gültiger Wert. Erlaubt sind )-"
       "eine Zahl wie 10,005, Normal(Mittelwert; Standardabweichung) und Gleich(Untergrenze; "
       "Obergrenze)."},
      {"Mass Messwert=1e5",
       R"(t.kmp, Zeile 1: "Messwert": "1e5" ist kein gültiger Wert. Erlaubt sind eine Zahl wie )"
       "10,005, Normal(Mittelwert; Standardabweichung) und Gleich(Untergrenze; Obergrenze)."},
      {"Mass Messwert=Normal(1; -0,1)",
       R"(t.kmp, Zeile 1: "Messwert": Die Standardabweichung darf nicht negativ sein.)"},
      {"Feldwert Feld662=Gleich(2; 1)",
       R"(t.kmp, Zeile 1: "Feld662": Die Untergrenze ist größer als die Obergrenze.)"},
      {"Befehl Typ=abc", R"(t.kmp, Zeile 1: "Typ": "abc" ist keine ganze Zahl.)"},
      {"Befehl Typ=2147483648", R"(t.kmp, Zeile 1: "Typ": "2147483648" ist keine ganze Zahl.)"},
      {"Mass Feld165=1,5 Messwert=1", R"(t.kmp, Zeile 1: "Feld165": "1,5" ist keine ganze Zahl.)"},
      {"Befehl Id=1",
       R"(t.kmp, Zeile 1: "Befehl" braucht die Angabe Typ, z. B. Befehl Typ=1 Id=Ebene1.)"},
      {"Mass Merkmal=1", R"(t.kmp, Zeile 1: "Mass" braucht einen Messwert oder einen Nebenwert.)"},
      {"Feldwert Id=1",
       R"(t.kmp, Zeile 1: "Feldwert" braucht die Angabe Feld662 mit dem Wert, z. B. Feldwert )"
       "Id=301 Feld662=2,5."},
      {R"(Textbefehl Text="1,2")",
       R"(t.kmp, Zeile 1: "Textbefehl" braucht die Angabe Textname, z. B. Textbefehl )"
       R"(Textname=ID Text="101,102".)"},
      {"Befehl Typ=5 Text=x",
       R"(t.kmp, Zeile 1: "Befehl" braucht die Angabe Textname, z. B. Textbefehl Textname=ID )"
       R"(Text="101,102".)"},
      {"BlockA Typ=5",
       R"(t.kmp, Zeile 1: Bei "BlockA" ist der Typ fest 1000; für einen anderen Typ schreiben )"
       R"(Sie "Befehl Typ=...".)"},
      {"Mass 101", R"(t.kmp, Zeile 1: "Mass" erwartet Angaben der Form Name=Wert, nicht "101".)"},
      {"Mass Merkmal= Messwert=1",
       R"(t.kmp, Zeile 1: Die Angabe "Merkmal" braucht einen Wert; einen leeren Text schreiben )"
       R"(Sie als Merkmal="".)"},
      {R"(Mass Merkmal="101 Messwert=1)",
       "t.kmp, Zeile 1: Ein Anführungszeichen wird nicht geschlossen."},
      {"Merkmal=1",
       "t.kmp, Zeile 1: Eine Zeile beginnt mit einer Anweisung, nicht mit einer Angabe "
       R"("Merkmal=1".)"},
      {R"("Mass")",
       "t.kmp, Zeile 1: Eine Zeile beginnt mit einer Anweisung, nicht mit einem Text in "
       "Anführungszeichen."},
      {"Mass =1", R"(t.kmp, Zeile 1: Vor dem "=" fehlt der Name der Angabe.)"},
      {"Programm A.PRG\nProgramm B.PRG", R"(t.kmp, Zeile 2: "Programm" steht schon in Zeile 1.)"},
      {"Programm",
       R"(t.kmp, Zeile 1: "Programm" erwartet genau einen Wert, z. B. Programm Welle-4711.PRG.)"},
      {"Version a b",
       R"(t.kmp, Zeile 1: "Version" erwartet genau einen Wert, z. B. Version "Kalvero 5.2 )"
       R"(Simulator".)"},
      {"Programm Welle",
       R"(t.kmp, Zeile 1: Der Programmname "Welle" braucht eine Endung aus Punkt und drei )"
       "Zeichen, z. B. Welle-4711.PRG."},
      {"Programm .PRG",
       R"(t.kmp, Zeile 1: Der Programmname ".PRG" braucht eine Endung aus Punkt und drei )"
       "Zeichen, z. B. Welle-4711.PRG."},
      {"Startwert -1", R"(t.kmp, Zeile 1: "Startwert": "-1" ist keine ganze Zahl von 0 bis )"
                       "18446744073709551615."},
      {"Nachkommastellen 10",
       R"(t.kmp, Zeile 1: "Nachkommastellen": "10" ist keine ganze Zahl von 0 bis 9.)"},
      {"Schleife 0",
       R"(t.kmp, Zeile 1: "Schleife" erwartet die Anzahl der Durchläufe (1 bis 10000), z. B. )"
       "Schleife 3."},
      {"Schleife",
       R"(t.kmp, Zeile 1: "Schleife" erwartet die Anzahl der Durchläufe (1 bis 10000), z. B. )"
       "Schleife 3."},
      {"Programm A.PRG\nSchleife 2\nSchleife 3",
       "t.kmp, Zeile 3: Schleifen lassen sich nicht verschachteln; die Schleife aus Zeile 2 ist "
       "noch offen."},
      {"SchleifeEnde", R"(t.kmp, Zeile 1: "SchleifeEnde" ohne vorangehende "Schleife".)"},
      {"Schleife 2\nSchleifeEnde 2", R"(t.kmp, Zeile 2: "SchleifeEnde" erwartet keine Werte.)"},
      {"Programm A.PRG\nSchleife 2\nMass Messwert=1\n# Ende",
       R"(t.kmp, Zeile 2: Die Schleife wird nicht mit "SchleifeEnde" abgeschlossen.)"},
      {"Mass Messwert=1\n\n",
       R"(t.kmp, Zeile 2: Die Anweisung "Programm" mit dem Namen des Messprogramms fehlt.)"},
      {"Programm A.PRG\n# nichts", "t.kmp, Zeile 2: Das Messprogramm enthält keinen Befehl."},
      {"", R"(t.kmp: Die Anweisung "Programm" mit dem Namen des Messprogramms fehlt.)"},
  };
  for (const ErrorCase& error : cases) {
    EXPECT_EQ(refusal(error.content), error.text) << error.content;
  }
}

// Every value a run draws is a number: a range whose draws could overflow is refused.
TEST(ProgramParserTest, RefusesValuesThatCouldLeaveTheNumberRange) {
  const std::string huge = "1" + std::string(308, '0');  // 1e308
  const std::string hugeRange = huge + "; " + huge + ")";
  const std::vector<std::string> beyond = {"Gleich(-" + hugeRange, "Normal(" + hugeRange,
                                           "Normal(0; " + huge + ")"};
  const std::vector<std::string> within = {"Gleich(0; " + huge + ")", "Normal(" + huge + "; 0)",
                                           "Normal(1; 1" + std::string(306, '0') + ")"};
  for (const std::string& value : beyond) {
    EXPECT_EQ(refusal("Programm A.PRG\nMass Messwert=" + value),
              "t.kmp, Zeile 2: \"Messwert\": Die gezogenen Werte können den Zahlenbereich "
              "verlassen; wählen Sie kleinere Werte.");
  }
  for (const std::string& value : within) {
    EXPECT_EQ(refusal("Programm A.PRG\nMass Messwert=" + value), "");
  }
}

// A run is held in memory whole: a file of a few lines must not ask for gigabytes.
TEST(ProgramParserTest, RefusesARunOfMoreThanAMillionCommands) {
  std::string body;
  for (int i = 0; i < 99; ++i) {
    body += "Mass Messwert=1\n";
  }
  const std::string loop = "Programm A.PRG\nSchleife 10000\n" + body + "SchleifeEnde\n";
  EXPECT_EQ(refusal(loop), "");  // exactly 1000000 commands
  EXPECT_EQ(refusal(loop + "Mass Messwert=1\n"),
            "t.kmp, Zeile 103: Ein Lauf des Messprogramms führte bis hier 1000001 Befehle aus, "
            "jeder Schleifendurchlauf mitgezählt; höchstens 1000000 sind möglich.");
  EXPECT_EQ(refusal(loop + loop.substr(15)).substr(0, 18), "t.kmp, Zeile 203: ");
}

TEST(ProgramParserTest, ReportsAFileThatCannotBeRead) {
  const auto missing = std::filesystem::temp_directory_path() / "kvotlk-fehlt" / "x.kmp";
  const auto result = readProgramFile(missing);
  ASSERT_TRUE(std::holds_alternative<ProgramError>(result));
  const auto u8 = missing.u8string();
  EXPECT_EQ(std::get<ProgramError>(result).text(),
            std::string(u8.begin(), u8.end()) + ": Die Datei kann nicht gelesen werden.");
}

}  // namespace
}  // namespace kvotlk::program
