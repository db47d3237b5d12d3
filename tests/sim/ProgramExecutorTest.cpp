// Executing measuring programs: the commands of a run, loops, and values that one file and
// one seed always give alike, on every platform.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "program/ProgramExecutor.h"
#include "program/ProgramParser.h"
#include "program/SimRandom.h"

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

std::vector<ScriptedCommand> firstRun(const std::string& content, std::uint64_t seed = 1) {
  return ProgramExecutor(parsed("Programm A.PRG\n" + content), seed).run(1);
}

TEST(ProgramExecutorTest, CommandsCarryWhatTheFileSays) {
  const auto commands = firstRun(
      "Befehl Typ=1299 Id=K1 Merkmal=7 Messwert=1,5 Nebenwert=-2 Textname=N Text=T Feld165=2 "
      "Feld662=3,25\n"
      "BlockA Id=100\n");
  ASSERT_EQ(commands.size(), 2U);
  const ScriptedCommand& full = commands[0];
  EXPECT_EQ(full.CmdTypeCode, 1299);
  EXPECT_EQ(full.CmdIdText, "K1");
  ASSERT_TRUE(full.dimension);
  EXPECT_EQ(full.dimension->DimIdText, "7");
  EXPECT_EQ(full.dimension->DimMeasured, 1.5);
  EXPECT_EQ(full.dimension->DimSecondary, -2.0);
  ASSERT_TRUE(full.textCmd);
  EXPECT_EQ(full.textCmd->TextCmdName, "N");
  EXPECT_EQ(full.textCmd->TextCmdText, "T");
  EXPECT_EQ(full.field165, 2);
  EXPECT_EQ(full.field662, 3.25);
  const ScriptedCommand& block = commands[1];
  EXPECT_EQ(block.CmdTypeCode, 1000);
  EXPECT_EQ(block.CmdIdText, "100");
  EXPECT_FALSE(block.dimension);
  EXPECT_FALSE(block.textCmd);
}

TEST(ProgramExecutorTest, EveryLoopPassStartsWithSchleifeAnfang) {
  const MeasuringProgram program = parsed(
      "Programm A.PRG\nMass Merkmal=1 Messwert=1\nSchleife 3\nMass Merkmal=2 Messwert=2\n"
      "SchleifeEnde\nMass Merkmal=3 Messwert=3\n");
  const auto commands = ProgramExecutor(program, 1).run(1);
  std::vector<std::string> seen;
  for (const ScriptedCommand& c : commands) {
    seen.push_back(c.textCmd ? c.textCmd->TextCmdName + " " + c.textCmd->TextCmdText
                             : c.dimension->DimIdText);
  }
  const std::vector<std::string> expected = {"1", "SchleifeAnfang 1", "2", "SchleifeAnfang 2",
                                             "2", "SchleifeAnfang 3", "2", "3"};
  EXPECT_EQ(seen, expected);
  EXPECT_EQ(commandsPerRun(program), expected.size());
  EXPECT_EQ(commands[1].CmdTypeCode, kTypeTextCommand);
  EXPECT_FALSE(commands[1].dimension);
}

// Values of one file and one seed, written down once: they must come out bit for bit the
// same on every platform and with every compiler.
TEST(ProgramExecutorTest, DrawnValuesAreTheSameEverywhere) {
  const std::string content =
      "Mass Messwert=Normal(10; 0,1) Nebenwert=Gleich(0; 1)\nFeldwert Feld662=Normal(2,5; 0,02)\n";
  const auto run1 = firstRun(content, 42);
  EXPECT_EQ(run1[0].dimension->DimMeasured, 9.8933);
  EXPECT_EQ(run1[0].dimension->DimSecondary, 0.0344);
  EXPECT_EQ(run1[1].field662, 2.496);
  const auto run2 = ProgramExecutor(parsed("Programm A.PRG\n" + content), 42).run(2);
  EXPECT_EQ(run2[0].dimension->DimMeasured, 10.0918);
  EXPECT_EQ(run2[0].dimension->DimSecondary, 0.2715);
  EXPECT_EQ(run2[1].field662, 2.4824);
}

TEST(ProgramExecutorTest, ARunDependsOnlyOnProgramSeedAndRunNumber) {
  const MeasuringProgram program = parsed("Programm A.PRG\nMass Messwert=Normal(5; 1)\n");
  const ProgramExecutor executor(program, 7);
  const auto value = [](const std::vector<ScriptedCommand>& run) {
    return run[0].dimension->DimMeasured;
  };
  EXPECT_EQ(value(executor.run(5)), value(ProgramExecutor(program, 7).run(5)));
  EXPECT_NE(value(executor.run(5)), value(executor.run(6)));
  EXPECT_NE(value(executor.run(5)), value(ProgramExecutor(program, 8).run(5)));
}

TEST(ProgramExecutorTest, DrawnValuesAreRoundedFixedOnesAreNot) {
  const MeasuringProgram program = parsed(
      "Programm A.PRG\nNachkommastellen 2\nMass Messwert=Normal(1; 0,3) Nebenwert=1,23456789\n");
  const ProgramExecutor executor(program, 3);
  for (std::uint64_t run = 1; run <= 50; ++run) {
    const auto dimension = *executor.run(run)[0].dimension;
    EXPECT_EQ(roundToDecimals(dimension.DimMeasured, 2), dimension.DimMeasured);
    EXPECT_EQ(dimension.DimSecondary, 1.23456789);
  }
}

TEST(ProgramExecutorTest, DrawsStayInsideTheirRange) {
  const MeasuringProgram program = parsed(
      "Programm A.PRG\nNachkommastellen 9\n"
      "Mass Messwert=Normal(10; 0,5) Nebenwert=Gleich(-1; 1)\n");
  const ProgramExecutor executor(program, 11);
  for (std::uint64_t run = 1; run <= 2000; ++run) {
    const auto dimension = *executor.run(run)[0].dimension;
    EXPECT_LE(std::fabs(dimension.DimMeasured - 10.0), 3.0);
    EXPECT_GE(dimension.DimSecondary, -1.0);
    EXPECT_LE(dimension.DimSecondary, 1.0);
  }
}

TEST(ProgramExecutorTest, AZeroSpreadGivesTheNominal) {
  const auto commands = firstRun("Mass Messwert=Normal(4,2; 0) Nebenwert=Gleich(3; 3)\n");
  EXPECT_EQ(commands[0].dimension->DimMeasured, 4.2);
  EXPECT_EQ(commands[0].dimension->DimSecondary, 3.0);
}

TEST(ProgramExecutorTest, TheSeedGivenAtTheStartWinsOverTheFile) {
  EXPECT_EQ(chooseSeed(parsed("Programm A.PRG\nStartwert 9\nMass Messwert=1\n"), 5), 5U);
  EXPECT_EQ(chooseSeed(parsed("Programm A.PRG\nStartwert 9\nMass Messwert=1\n"), std::nullopt), 9U);
  EXPECT_EQ(chooseSeed(parsed("Programm A.PRG\nMass Messwert=1\n"), std::nullopt), 1U);
}

TEST(SimRandomTest, NormalDrawsHaveTheirMeanAndDeviation) {
  SimRandom random(2024, 1);
  constexpr int kDraws = 20000;
  double sum = 0.0;
  double squares = 0.0;
  for (int i = 0; i < kDraws; ++i) {
    const double value = random.normal(3.0, 2.0);
    sum += value;
    squares += value * value;
  }
  const double mean = sum / kDraws;
  const double deviation = std::sqrt(squares / kDraws - mean * mean);
  EXPECT_NEAR(mean, 3.0, 0.06);
  EXPECT_NEAR(deviation, 2.0, 0.06);
}

TEST(SimRandomTest, UniformDrawsFillTheirRange) {
  SimRandom random(1, 1);
  int low = 0;
  int high = 0;
  for (int i = 0; i < 10000; ++i) {
    const double value = random.uniform01();
    ASSERT_GE(value, 0.0);
    ASSERT_LT(value, 1.0);
    low += value < 0.1 ? 1 : 0;
    high += value >= 0.9 ? 1 : 0;
  }
  EXPECT_NEAR(low, 1000, 150);
  EXPECT_NEAR(high, 1000, 150);
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
