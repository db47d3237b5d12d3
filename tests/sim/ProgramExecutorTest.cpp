// Executing measuring programs. What each command carries, loops and rounding to the
// file's decimals are shown by tests/cases/messprogramm/alle-angaben.txt; here the values
// that one file and one seed give on every platform (the cross build runs this under Wine)
// and the two rules no case pins: the seed of the start wins, halves round away from zero.
#include <gtest/gtest.h>

#include <string>

#include "program/ProgramExecutor.h"
#include "program/ProgramParser.h"
#include "program/SimRandom.h"

namespace kvotlk::program {
namespace {

MeasuringProgram parsed(const std::string& commands) {
  return std::get<MeasuringProgram>(parseProgram("Programm A.PRG\n" + commands, "t.kmp"));
}

TEST(ProgramExecutorTest, DrawnValuesAreTheSameEverywhere) {
  const MeasuringProgram program = parsed(
      "Mass Messwert=Normal(10; 0,1) Nebenwert=Gleich(0; 1)\n"
      "Feldwert Feld662=Normal(2,5; 0,02)\nMass Messwert=Normal(4,2; 0) Nebenwert=Gleich(3; 3)\n");
  const auto values = [&program](std::uint64_t seed, std::uint64_t run) {
    const auto c = ProgramExecutor(program, seed).run(run);
    return std::vector<double>{c[0].dimension->DimMeasured, c[0].dimension->DimSecondary,
                               c[1].field662, c[2].dimension->DimMeasured,
                               c[2].dimension->DimSecondary};
  };
  EXPECT_EQ(values(42, 2), (std::vector<double>{10.0918, 0.2715, 2.4824, 4.2, 3.0}));
  EXPECT_EQ(values(42, 1), (std::vector<double>{9.8933, 0.0344, 2.496, 4.2, 3.0}));
  EXPECT_NE(values(43, 1), values(42, 1));
  EXPECT_EQ(chooseSeed(parsed("Startwert 9\nMass Messwert=1\n"), 5), 5U);
  EXPECT_EQ(chooseSeed(parsed("Startwert 9\nMass Messwert=1\n"), std::nullopt), 9U);
  EXPECT_EQ(chooseSeed(parsed("Mass Messwert=1\n"), std::nullopt), 1U);
}

TEST(SimRandomTest, RoundsHalfAwayFromZero) {
  EXPECT_EQ(roundToDecimals(2.5, 0), 3.0);
  EXPECT_EQ(roundToDecimals(-2.5, 0), -3.0);
  EXPECT_EQ(roundToDecimals(1.23456, 4), 1.2346);
  EXPECT_EQ(roundToDecimals(-0.00004, 4), -0.0);
  EXPECT_EQ(roundToDecimals(1e300, 4), 1e300);
  EXPECT_EQ(roundToDecimals(1.23456, 12), 1.23456);
}

}  // namespace
}  // namespace kvotlk::program
