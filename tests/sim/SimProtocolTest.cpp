// The lines between the converter's link and the simulator: fields survive every
// character, lines are cut where they end, events keep every property exactly, and what
// a peer sends wrong is not taken. The end-to-end sessions (tests/tools/data) run the
// protocol between both programs.
// Executing measuring programs. What each command carries, loops and rounding to the
// file's decimals are shown by tests/cases/messprogramm/alle-angaben.txt; here the values
// that one file and one seed give on every platform (the cross build runs this under Wine)
// and the two rules no case pins: the seed of the start wins, halves round away from zero.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

#include "platform/simlink/SimProtocol.h"
#include "program/ProgramExecutor.h"
#include "program/ProgramParser.h"
#include "program/SimRandom.h"

namespace kvotlk {
namespace {

using namespace simlink;
using namespace program;

TEST(SimProtocolTest, FieldsSurviveEveryCharacter) {
  const Fields cases[] = {
      {"a\tb", "c\nd", "e\rf", "g\\h", "\\t"}, {"", "", ""}, {"Gehäuse ß", "ends with \\"}};
  for (const Fields& fields : cases) {
    const std::string line = encodeLine(fields);
    EXPECT_EQ(line.find_first_of("\r\n"), line.size() - 1);
    EXPECT_EQ(decodeLine(line.substr(0, line.size() - 1)), fields);
  }
}

TEST(SimProtocolTest, LineReaderCutsLinesAndRefusesAnEndlessOne) {
  LineReader reader;
  ASSERT_TRUE(reader.append("HEL"));
  EXPECT_EQ(reader.nextLine(), std::nullopt);
  ASSERT_TRUE(reader.append("LO\r\n\nA"));
  EXPECT_EQ(reader.nextLine(), "HELLO");
  EXPECT_EQ(reader.nextLine(), "");
  EXPECT_EQ(reader.nextLine(), std::nullopt);
  // Only the open line counts: complete lines not read yet are no endless line.
  const std::string half(kMaxLineLength / 2, 'x');
  ASSERT_TRUE(reader.append("\n" + half + "\n" + half + "\n"));
  EXPECT_EQ(reader.nextLine(), "A");
  ASSERT_TRUE(reader.append(half + half));
  EXPECT_FALSE(reader.append("x"));
  EXPECT_EQ(reader.nextLine(), std::nullopt);
}

TEST(SimProtocolTest, RealsKeepEveryBit) {
  for (const double value : {0.1 + 0.2, -0.0, 1e300, std::numeric_limits<double>::denorm_min()}) {
    const auto back = parseReal(formatReal(value));
    ASSERT_TRUE(back) << formatReal(value);
    EXPECT_EQ(std::signbit(*back), std::signbit(value));
    EXPECT_EQ(*back, value);
  }
  EXPECT_EQ(parseReal("1,5"), std::nullopt);
  EXPECT_EQ(parseInteger("12x"), std::nullopt);
}

TEST(SimProtocolTest, EventsKeepEveryPropertyAndMalformedOnesAreRefused) {
  CommandRecord full = CommandRecord::Dimension("101", 12.3456789, 1209, -0.004);
  full.CmdIdText = "Kreis\t1";
  full.textCmd = TextCmdRecord{"ID", "101,102,,104"};
  full.field165 = -2;
  full.field662 = 0.1 + 0.2;
  const Fields good = objectEventFields({17, 3, full});
  const auto back = parseObjectEvent(good);
  ASSERT_TRUE(back && back->command.dimension && back->command.textCmd);
  EXPECT_EQ(objectEventFields(*back), good);
  EXPECT_EQ(back->command.dimension->DimSecondary, -0.004);
  EXPECT_EQ(back->command.textCmd->TextCmdText, "101,102,,104");
  EXPECT_EQ(back->command.field662, 0.1 + 0.2);
  for (const auto& [index, value] : {std::pair<std::size_t, const char*>{0, "START"},
                                     {2, "0"},
                                     {3, "3000000000"},
                                     {5, "2"},
                                     {7, "1,5"}}) {
    Fields bad = objectEventFields({1, 1, CommandRecord{}});
    bad[index] = value;
    EXPECT_FALSE(parseObjectEvent(bad)) << index;
  }
  EXPECT_FALSE(parseObjectEvent(Fields(good.begin(), good.end() - 1)));
  EXPECT_EQ(parseStartEvent(startEventFields({4, 2}))->program, 2);
  EXPECT_FALSE(parseStartEvent({"START", "4", "0"}));
}

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
}  // namespace kvotlk
