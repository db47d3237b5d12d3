#include <gtest/gtest.h>

#include <limits>

#include "output/OutputFixture.h"
#include "output/ResultFileText.h"

namespace kvotlk::test {
namespace {

const ValueFormat kThreeComma{3, ","};
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

std::string textOf(const modGlobaleVariablen& g, const OrderForm& form,
                   const ValueFormat& format = kThreeComma) {
  return ResultFileText(g, form, format).value_or("<refused>");
}

TEST(ResultFileText, ExampleFileByteForByte) {
  modGlobaleVariablen g;
  setExampleOrder(g);
  EXPECT_EQ(textOf(g, OrderForm{}), exampleFile());
}

TEST(ResultFileText, NestIdInTheHead) {
  modGlobaleVariablen g;
  setExampleOrder(g);
  g.intNestnummerAmMerkmal = 0;
  OrderForm form;
  form.chkNest = kChecked;
  form.lblNestID = "N17";
  const std::string head = crlfLines({"BEGINN_MESSUNG", " ", "ARTIKEL=A100", "MASCHINE=M7",
                                      "PRUEFER=12", "ZEIT=05.12.2026/09:30", "AUFTRAG=40711"});
  std::string expected = exampleFile();
  expected.insert(head.size(), "CHARGE=N17\r\n\r\n");
  EXPECT_EQ(textOf(g, form), expected);
}

TEST(ResultFileText, NestNumberAlreadyOnTheCharacteristics) {
  modGlobaleVariablen g;
  setExampleOrder(g);
  g.strNestnummer = "3";
  setCapture(g, {"103", "203"}, {{12.3456, -0.0125}, {12.3449, 0.0}, {12.35, 100.0}});
  OrderForm form;
  form.chkNest = kChecked;
  form.lblNestID = "N17";
  std::string expected = exampleFile();
  expected.replace(expected.find("MERKMAL=10\r"), 11, "MERKMAL=103\r");
  expected.replace(expected.find("MERKMAL=20\r"), 11, "MERKMAL=203\r");
  EXPECT_EQ(textOf(g, form), expected);
}

TEST(ResultFileText, ChargeLineByCheckBoxAndSetting) {
  struct Case {
    int chkNest;
    std::int16_t nestAmMerkmal;
    bool charge;
  };
  const Case cases[] = {
      {kUnchecked, 0, false}, {kUnchecked, 1, false}, {kChecked, 1, false},
      {kChecked, 0, true},    {kChecked, 2, true},    {kGrayed, 0, true},
  };
  for (const Case& c : cases) {
    modGlobaleVariablen g;
    setExampleOrder(g);
    g.intNestnummerAmMerkmal = c.nestAmMerkmal;
    OrderForm form;
    form.chkNest = c.chkNest;
    const bool hasCharge =
        textOf(g, form).find("AUFTRAG=40711\r\nCHARGE=\r\n\r\nUMFANG=3") != std::string::npos;
    EXPECT_EQ(hasCharge, c.charge) << c.chkNest << " / " << c.nestAmMerkmal;
  }
}

TEST(ResultFileText, NoCharacteristicGivesTheHeadAndTheEnd) {
  modGlobaleVariablen g;
  setExampleOrder(g);
  g.intAnzMerkmale = 0;
  const std::string head = crlfLines({"BEGINN_MESSUNG", " ", "ARTIKEL=A100", "MASCHINE=M7",
                                      "PRUEFER=12", "ZEIT=05.12.2026/09:30", "AUFTRAG=40711"});
  EXPECT_EQ(textOf(g, OrderForm{}), head + "ENDE_MESSUNG\r\n");
  g.intAnzStichproben = 0;
  g.arrStichproben.resize(1);
  EXPECT_EQ(textOf(g, OrderForm{}), head + "ENDE_MESSUNG\r\n");
  OrderForm nest;
  nest.chkNest = kChecked;
  g.intNestnummerAmMerkmal = 0;
  EXPECT_EQ(textOf(g, nest), head + "CHARGE=\r\n\r\nENDE_MESSUNG\r\n");
}

TEST(ResultFileText, OnlyTheFirstMCharacteristicsOfEverySample) {
  modGlobaleVariablen g;
  setExampleOrder(g);
  setCapture(g, {"1", "2", "3"}, {{1, 2, 3}, {4, 5, 6}});
  g.intAnzMerkmale = 1;
  const std::string text = textOf(g, OrderForm{}, ValueFormat{1, "."});
  EXPECT_NE(text.find("UMFANG=2\r\nMERKMAL=1\r\n \r\nBEGINN_WERTE\r\n1.0\r\n4.0\r\nENDE_WERTE\r\n "
                      "\r\n \r\nENDE_MESSUNG\r\n"),
            std::string::npos);
  EXPECT_EQ(text.find("MERKMAL=2"), std::string::npos);
}

TEST(ResultFileText, TextsInWindows1252) {
  modGlobaleVariablen g;
  setExampleOrder(g);
  g.strArtikel = "Düse";
  g.strMaschine = "M\u4E2D";
  const std::string text = textOf(g, OrderForm{});
  EXPECT_NE(text.find("ARTIKEL=D\xFCse\r\nMASCHINE=M?\r\n"), std::string::npos);
}

TEST(ResultFileText, DecimalsFromTheSetting) {
  const std::pair<std::int16_t, int> cases[] = {{1, 1}, {2, 2}, {3, 3},  {4, 4},     {5, 5},
                                                {0, 3}, {6, 3}, {-1, 3}, {32767, 3}, {-32768, 3}};
  for (const auto& [setting, decimals] : cases) {
    EXPECT_EQ(DecimalsFor(setting), decimals) << setting;
  }
  EXPECT_EQ(MakeValueFormat(2, "\u00B7").separator, "\xB7");
}

TEST(ResultFileText, ValueLinesOfTheRoundingTable) {
  struct Case {
    double value;
    int decimals;
    const char* line;
  };
  const Case cases[] = {
      {2.675, 2, "2,68"},
      {1.005, 2, "1,01"},
      {-0.0125, 3, "-0,013"},
      {0.25, 1, "0,3"},
      {0.0, 2, "0,00"},
      {-0.0, 3, "0,000"},
      {123456789.5, 1, "123456789,5"},
      {1e15 + 0.5, 1, "1000000000000000,0"},
      {0.0005, 3, "0,001"},
      {-0.0005, 3, "-0,001"},
      {0.00049, 3, "0,000"},
      {-0.00049, 3, "0,000"},
      {12.34567, 5, "12,34567"},
  };
  for (const Case& c : cases) {
    modGlobaleVariablen g;
    setCapture(g, {"1"}, {{c.value}});
    const std::string text = textOf(g, OrderForm{}, ValueFormat{c.decimals, ","});
    EXPECT_NE(text.find("BEGINN_WERTE\r\n" + std::string(c.line) + "\r\nENDE_WERTE"),
              std::string::npos)
        << c.value;
  }
}

TEST(CaptureDataProblem, RefusesDataTheWriterCannotRead) {
  struct Case {
    const char* what;
    void (*breakIt)(modGlobaleVariablen&);
    const char* problem;
  };
  const Case cases[] = {
      {"intact", [](modGlobaleVariablen&) {}, ""},
      {"no sample", [](modGlobaleVariablen& g) { g.intAnzStichproben = 0; },
       "Es wurden 2 Merkmale erfasst, aber keine Stichprobe gestartet."},
      {"sample missing", [](modGlobaleVariablen& g) { g.arrStichproben.resize(3); },
       "Stichprobe 3 fehlt."},
      {"short names", [](modGlobaleVariablen& g) { g.arrStichproben[1].strMerkmal.resize(2); },
       "Stichprobe 1 enthält nur 1 von 2 Merkmals IDs."},
      {"no names", [](modGlobaleVariablen& g) { g.arrStichproben[1].strMerkmal.clear(); },
       "Stichprobe 1 enthält nur 0 von 2 Merkmals IDs."},
      {"short values", [](modGlobaleVariablen& g) { g.arrStichproben[2].dblMesswert.resize(2); },
       "Stichprobe 2 enthält nur 1 von 2 Messwerten."},
      {"negative m", [](modGlobaleVariablen& g) { g.intAnzMerkmale = -1; },
       "Die Zähler der Messdaten sind ungültig (3 Stichproben, -1 Merkmale)."},
      {"NaN", [](modGlobaleVariablen& g) { g.arrStichproben[3].dblMesswert[2] = kNaN; },
       "Der Messwert von Merkmal 20 in Stichprobe 3 ist keine gültige Zahl."},
      {"infinity", [](modGlobaleVariablen& g) { g.arrStichproben[1].dblMesswert[1] = -kInf; },
       "Der Messwert von Merkmal 10 in Stichprobe 1 ist keine gültige Zahl."},
      {"value beyond m ignored",
       [](modGlobaleVariablen& g) { g.arrStichproben[1].dblMesswert.push_back(kNaN); }, ""},
  };
  for (const Case& c : cases) {
    modGlobaleVariablen g;
    setExampleOrder(g);
    c.breakIt(g);
    EXPECT_EQ(CaptureDataProblem(g).value_or(""), c.problem) << c.what;
    EXPECT_EQ(ResultFileText(g, OrderForm{}, kThreeComma).has_value(), *c.problem == '\0')
        << c.what;
  }
}

}  // namespace
}  // namespace kvotlk::test
