#include <gtest/gtest.h>

#include <limits>

#include "output/OutputFixture.h"
#include "output/OutputMessages.h"
#include "output/ResultFileText.h"

// Result files are shown by tests/cases/senden. The capture never hands the writer broken
// data, so no case can reach these refusals; they guard the file against a future fault.
namespace kvotlk::test {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

TEST(CaptureDataProblem, RefusesDataTheWriterCannotRead) {
  using Break = void (*)(modGlobaleVariablen&);
  const std::pair<Break, const char*> cases[] = {
      {[](modGlobaleVariablen&) {}, ""},
      {[](modGlobaleVariablen& g) { g.intAnzStichproben = 0; },
       "Es wurden 2 Merkmale erfasst, aber keine Stichprobe gestartet."},
      {[](modGlobaleVariablen& g) { g.arrStichproben.resize(3); }, "Stichprobe 3 fehlt."},
      {[](modGlobaleVariablen& g) { g.arrStichproben[1].strMerkmal.resize(2); },
       "Stichprobe 1 enthält nur 1 von 2 Merkmals IDs."},
      {[](modGlobaleVariablen& g) { g.arrStichproben[2].dblMesswert.resize(2); },
       "Stichprobe 2 enthält nur 1 von 2 Messwerten."},
      {[](modGlobaleVariablen& g) { g.intAnzMerkmale = -1; },
       "Die Zähler der Messdaten sind ungültig (3 Stichproben, -1 Merkmale)."},
      {[](modGlobaleVariablen& g) { g.arrStichproben[3].dblMesswert[2] = kNaN; },
       "Der Messwert von Merkmal 20 in Stichprobe 3 ist keine gültige Zahl."},
      {[](modGlobaleVariablen& g) { g.arrStichproben[1].dblMesswert[1] = -kInf; },
       "Der Messwert von Merkmal 10 in Stichprobe 1 ist keine gültige Zahl."},
      {[](modGlobaleVariablen& g) { g.arrStichproben[1].dblMesswert.push_back(kNaN); }, ""},
  };
  for (const auto& [breakIt, problem] : cases) {
    modGlobaleVariablen g;
    setExampleOrder(g);
    breakIt(g);
    EXPECT_EQ(CaptureDataProblem(g).value_or(""), problem);
    EXPECT_EQ(ResultFileText(g, OrderForm{}, ValueFormat{3, ","}).has_value(), *problem == '\0');
  }
  // A send of such data is refused before anything is staged.
  SendWorld w;
  w.t.g.arrStichproben.resize(3);
  EXPECT_FALSE(w.send());
  ASSERT_EQ(w.t.prompts.shown.size(), 1U);
  EXPECT_EQ(w.t.prompts.shown[0].text,
            "Stichprobe 3 fehlt.\r\nDie Messdaten können so nicht gesendet werden; die "
            "Stichproben bleiben erhalten.");
  EXPECT_FALSE(w.t.files.hasFile(w.stagedPath("Solvik.txt")));
}

}  // namespace
}  // namespace kvotlk::test
