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

// The nest ID goes into the head as "CHARGE=" when the nest box is ticked (or greyed) and
// the nest number is not on the characteristics; the IDs are written as captured, never
// with the nest number appended a second time.
TEST(ResultFileText, ExampleFileWithAndWithoutTheChargeLine) {
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
    g.strNestnummer = "3";
    g.intNestnummerAmMerkmal = c.nestAmMerkmal;
    OrderForm form;
    form.chkNest = c.chkNest;
    form.lblNestID = "N17";
    std::string expected = exampleFile();
    if (c.charge) {
      expected.insert(kExampleHead.size(), "CHARGE=N17\r\n\r\n");
    }
    EXPECT_EQ(textOf(g, form), expected) << c.chkNest << " / " << c.nestAmMerkmal;
  }
}

TEST(ResultFileText, NoCharacteristicGivesTheHeadAndTheEnd) {
  modGlobaleVariablen g;
  setExampleOrder(g);
  g.intAnzMerkmale = 0;
  EXPECT_EQ(textOf(g, OrderForm{}), kExampleHead + "ENDE_MESSUNG\r\n");
  g.intAnzStichproben = 0;
  g.arrStichproben.resize(1);
  EXPECT_EQ(textOf(g, OrderForm{}), kExampleHead + "ENDE_MESSUNG\r\n");
  OrderForm nest;
  nest.chkNest = kChecked;
  g.intNestnummerAmMerkmal = 0;
  EXPECT_EQ(textOf(g, nest), kExampleHead + "CHARGE=\r\n\r\nENDE_MESSUNG\r\n");
}

TEST(ResultFileText, OnlyTheFirstMCharacteristicsOfEverySample) {
  modGlobaleVariablen g;
  setExampleOrder(g);
  setCapture(g, {"1", "2", "3"}, {{1, 2, 3}, {4, 5, 6}});
  g.intAnzMerkmale = 1;
  EXPECT_EQ(textOf(g, OrderForm{}, ValueFormat{1, "."}),
            kExampleHead +
                "UMFANG=2\r\nMERKMAL=1\r\n \r\nBEGINN_WERTE\r\n1.0\r\n4.0\r\nENDE_WERTE\r\n \r\n "
                "\r\nENDE_MESSUNG\r\n");
}

TEST(ResultFileText, TextsInWindows1252) {
  modGlobaleVariablen g;
  setExampleOrder(g);
  g.strArtikel = "Düse";
  g.strMaschine = "M\u4E2D";
  EXPECT_NE(textOf(g, OrderForm{}).find("ARTIKEL=D\xFCse\r\nMASCHINE=M?\r\n"), std::string::npos);
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
