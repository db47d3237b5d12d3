// The lines between the converter's link and the simulator: fields survive every
// character, lines are cut where they end, events keep every property exactly.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

#include "platform/simlink/SimProtocol.h"
#include "sim/CommandText.h"

namespace kvotlk::simlink {
namespace {

TEST(SimProtocolTest, FieldsSurviveEveryCharacter) {
  const Fields cases[] = {
      {"CALL", "1", "AppVersionText"},
      {"a\tb", "c\nd", "e\rf", "g\\h", "\\t"},
      {"", "", ""},
      {"Gehäuse ß", "€"},
      {"ends with \\"},
  };
  for (const Fields& fields : cases) {
    const std::string line = encodeLine(fields);
    ASSERT_EQ(line.back(), '\n');
    const std::string body = line.substr(0, line.size() - 1);
    EXPECT_EQ(body.find('\n'), std::string::npos);
    EXPECT_EQ(body.find('\r'), std::string::npos);
    EXPECT_EQ(decodeLine(body), fields);
  }
  EXPECT_EQ(encodeLine({"a\tb", "c"}), "a\\tb\tc\n");
}

TEST(SimProtocolTest, LineReaderCutsLinesWhereverTheBytesEnd) {
  LineReader reader;
  ASSERT_TRUE(reader.append("HEL"));
  EXPECT_EQ(reader.nextLine(), std::nullopt);
  ASSERT_TRUE(reader.append("LO\t1\r\nACK\t"));
  EXPECT_EQ(reader.nextLine(), "HELLO\t1");
  EXPECT_EQ(reader.nextLine(), std::nullopt);
  ASSERT_TRUE(reader.append("2\n\nA\n"));
  EXPECT_EQ(reader.nextLine(), "ACK\t2");
  EXPECT_EQ(reader.nextLine(), "");
  EXPECT_EQ(reader.nextLine(), "A");
  EXPECT_EQ(reader.nextLine(), std::nullopt);
}

TEST(SimProtocolTest, LineReaderRefusesAnEndlessLine) {
  LineReader reader;
  const std::string chunk(kMaxLineLength / 4, 'x');
  for (int i = 0; i < 4; ++i) {
    ASSERT_TRUE(reader.append(chunk));
  }
  EXPECT_FALSE(reader.append("x"));
  EXPECT_FALSE(reader.append("\n"));
  EXPECT_EQ(reader.nextLine(), std::nullopt);
  // Only the open line counts: complete lines not read yet are no endless line.
  LineReader unread;
  const std::string half(kMaxLineLength / 2, 'x');
  for (int i = 0; i < 3; ++i) {
    ASSERT_TRUE(unread.append(half + "\n"));
  }
  EXPECT_EQ(unread.nextLine(), half);
}

TEST(SimProtocolTest, RealsKeepEveryBit) {
  const double cases[] = {
      0.1 + 0.2,         -0.0,   1e300, std::numeric_limits<double>::denorm_min(),
      -123456.789012345, 10.0451};
  for (const double value : cases) {
    const auto back = parseReal(formatReal(value));
    ASSERT_TRUE(back) << formatReal(value);
    EXPECT_EQ(std::signbit(*back), std::signbit(value));
    EXPECT_EQ(*back, value);
  }
  EXPECT_EQ(parseReal("1,5"), std::nullopt);
  EXPECT_EQ(parseReal(""), std::nullopt);
  EXPECT_EQ(parseInteger("12x"), std::nullopt);
}

TEST(SimProtocolTest, EventsKeepEveryPropertyOfTheCommand) {
  ScriptedCommand full = ScriptedCommand::Dimension("101", 12.3456789, 1209, -0.004);
  full.CmdIdText = "Kreis\t1";
  full.textCmd = ScriptedTextCmd{"ID", "101,102,,104"};
  full.field165 = -2;
  full.field662 = 0.1 + 0.2;
  for (const ScriptedCommand& command : {full, ScriptedCommand::Plain(1000, "100")}) {
    const std::string line = encodeLine(objectEventFields({17, 3, command}));
    const auto back = parseObjectEvent(decodeLine(line.substr(0, line.size() - 1)));
    ASSERT_TRUE(back);
    EXPECT_EQ(back->sequence, 17);
    EXPECT_EQ(back->program, 3);
    EXPECT_EQ(test::commandText(back->command), test::commandText(command));
  }
}

TEST(SimProtocolTest, MalformedEventsAreNotTakenForEvents) {
  const Fields good = objectEventFields({1, 1, ScriptedCommand{}});
  const auto with = [&good](std::size_t index, const char* value) {
    Fields fields = good;
    fields[index] = value;
    return fields;
  };
  EXPECT_TRUE(parseObjectEvent(good));
  EXPECT_FALSE(parseObjectEvent(with(0, "START")));
  EXPECT_FALSE(parseObjectEvent(with(2, "0")));
  EXPECT_FALSE(parseObjectEvent(with(3, "3000000000")));
  EXPECT_FALSE(parseObjectEvent(with(5, "2")));
  EXPECT_FALSE(parseObjectEvent(with(7, "1,5")));
  EXPECT_FALSE(parseObjectEvent(Fields(good.begin(), good.end() - 1)));
  EXPECT_EQ(parseStartEvent(startEventFields({4, 2}))->program, 2);
  EXPECT_FALSE(parseStartEvent({"START", "4"}));
  EXPECT_FALSE(parseStartEvent({"START", "4", "0"}));
}

TEST(SimProtocolTest, TheGreetingNamesTheProtocolVersion) {
  EXPECT_EQ(encodeLine(helloFields()), "HELLO\t1\tkalvero-sim\n");
  EXPECT_TRUE(isHello(helloFields()));
  EXPECT_FALSE(isHello({"HELLO", "2"}));
  EXPECT_FALSE(isHello({"REPLY"}));
}

}  // namespace
}  // namespace kvotlk::simlink
