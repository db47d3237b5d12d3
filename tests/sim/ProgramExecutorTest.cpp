// Executing measuring programs: the commands of a run, loops, and values that one file and
// one seed always give alike, on every platform.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "program/ProgramExecutor.h"
#include "program/ProgramParser.h"
#include "program/SimRandom.h"
#include "sim/CommandText.h"

namespace kvotlk::program {
namespace {

using test::commandText;

MeasuringProgram parsed(const std::string& commands) {
  auto result = parseProgram("Programm A.PRG\n" + commands, "t.kmp");
  if (const auto* error = std::get_if<ProgramError>(&result)) {
    ADD_FAILURE() << error->text();
    return {};
  }
  return std::get<MeasuringProgram>(result);
}

TEST(ProgramExecutorTest, CommandsCarryWhatTheFileSays) {
  const auto commands = ProgramExecutor(parsed("Befehl Typ=1299 Id=K1 Merkmal=7 Messwert=1,5 "
                                               "Nebenwert=-2 Textname=N Text=T Feld165=2 "
                                               "Feld662=3,25\nBlockA Id=100\n"),
                                        1)
                            .run(1);
  ASSERT_EQ(commands.size(), 2U);
  EXPECT_EQ(commandText(commands[0]), "1299/K1 Mass(7 1.5 -2) Text(N T) 2 3.25");
  EXPECT_EQ(commandText(commands[1]), "1000/100 0 0");
}

TEST(ProgramExecutorTest, EveryLoopPassStartsWithSchleifeAnfang) {
  const MeasuringProgram program = parsed(
      "Mass Merkmal=1 Messwert=1\nSchleife 3\nMass Merkmal=2 Messwert=2\nSchleifeEnde\n"
      "Mass Merkmal=3 Messwert=3\n");
  const auto commands = ProgramExecutor(program, 1).run(1);
  std::vector<std::string> seen;
  seen.reserve(commands.size());
  for (const ScriptedCommand& c : commands) {
    seen.push_back(commandText(c));
  }
  const std::string pass = "2/ Text(SchleifeAnfang ";
  const std::string two = "1/ Mass(2 2 0) 0 0";
  EXPECT_EQ(seen,
            (std::vector<std::string>{"1/ Mass(1 1 0) 0 0", pass + "1) 0 0", two, pass + "2) 0 0",
                                      two, pass + "3) 0 0", two, "1/ Mass(3 3 0) 0 0"}));
  EXPECT_EQ(commandsPerRun(program), seen.size());
}

// Values of one file and one seed, written down once: they must come out bit for bit the
// same on every platform and with every compiler, whichever runs came before.
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
}

TEST(ProgramExecutorTest, DrawsAreRoundedAndStayInsideTheirRangeFixedValuesAreNotRounded) {
  const ProgramExecutor executor(parsed("Nachkommastellen 2\n"
                                        "Mass Messwert=Normal(10; 0,5) Nebenwert=Gleich(-1; 1)\n"
                                        "Feldwert Feld662=1,23456789\n"),
                                 11);
  for (std::uint64_t run = 1; run <= 2000; ++run) {
    const auto commands = executor.run(run);
    const ScriptedDimension& dimension = *commands[0].dimension;
    EXPECT_EQ(roundToDecimals(dimension.DimMeasured, 2), dimension.DimMeasured);
    EXPECT_EQ(roundToDecimals(dimension.DimSecondary, 2), dimension.DimSecondary);
    EXPECT_LE(std::fabs(dimension.DimMeasured - 10.0), 3.0);
    EXPECT_LE(std::fabs(dimension.DimSecondary), 1.0);
    EXPECT_EQ(commands[1].field662, 1.23456789);
  }
}

TEST(ProgramExecutorTest, TheSeedGivenAtTheStartWinsOverTheFile) {
  EXPECT_EQ(chooseSeed(parsed("Startwert 9\nMass Messwert=1\n"), 5), 5U);
  EXPECT_EQ(chooseSeed(parsed("Startwert 9\nMass Messwert=1\n"), std::nullopt), 9U);
  EXPECT_EQ(chooseSeed(parsed("Mass Messwert=1\n"), std::nullopt), 1U);
}

TEST(SimRandomTest, DrawsHaveTheirDistribution) {
  SimRandom random(2024, 1);
  constexpr int kDraws = 20000;
  double sum = 0.0;
  double squares = 0.0;
  int low = 0;
  int high = 0;
  for (int i = 0; i < kDraws; ++i) {
    const double value = random.normal(3.0, 2.0);
    sum += value;
    squares += value * value;
    const double unit = random.uniform01();
    ASSERT_GE(unit, 0.0);
    ASSERT_LT(unit, 1.0);
    low += unit < 0.1 ? 1 : 0;
    high += unit >= 0.9 ? 1 : 0;
  }
  const double mean = sum / kDraws;
  EXPECT_NEAR(mean, 3.0, 0.06);
  EXPECT_NEAR(std::sqrt(squares / kDraws - mean * mean), 2.0, 0.06);
  EXPECT_NEAR(low, 2000, 250);
  EXPECT_NEAR(high, 2000, 250);
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
