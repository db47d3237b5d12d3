// Input at and beyond the program's limits, through the whole job: characteristic IDs of
// 1,000 characters, 32,767 samples, a loop of 100,000 commands. The job ends, and where a
// limit is passed the operator gets its message and keeps what was captured. A measuring
// program of 100,000 commands in one run is replayed by ReplayToolTest in tests/replay.
#include <gtest/gtest.h>

#include "capture/CaptureMessages.h"
#include "common/Paths.h"
#include "program/ProgramExecutor.h"
#include "program/ProgramParser.h"
#include "reliability/JobRig.h"

namespace kvotlk::test {
namespace {

using Names = std::vector<std::string>;
using Runs = std::vector<std::vector<ScriptedCommand>>;

// A job with the nest box clear, so that the IDs are checked against IdLaenge alone.
struct Job : JobRig {
  explicit Job(const std::string& sampleSize = "3") {
    form.chkNest = kUnchecked;
    view.chkNest = kUnchecked;
    form.txt_Probenumfang = sampleSize;
  }
  JobResult run(const Runs& runs) {
    start();
    return finish(runs);
  }
  std::string delivered(const JobResult& result) const {
    return result.targetFiles.size() == 1
               ? t->files.content(joinPath(target(), result.targetFiles[0]))
               : std::string();
  }
};

std::size_t count(const std::string& text, const std::string& part) {
  std::size_t found = 0;
  for (auto at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) {
    ++found;
  }
  return found;
}

TEST(LargeInput, CharacteristicIdsOfAThousandCharacters) {
  const std::string digits(1000, '1');
  const std::string padded = std::string(999, '0') + "7";
  const std::string letters(1000, 'x');
  using Cmd = ScriptedCommand;
  struct Case {
    const char* label;
    const char* idLaenge;
    std::vector<ScriptedCommand> commands;
    Names messages;
    std::string idInFile;  // empty: nothing sent
  };
  const Case cases[] = {
      {"Ziffern", "6", {Cmd::Dimension(digits, 1)}, Names{WholeNumberMessage(digits)}, ""},
      {"1000 Buchstaben",
       "6",
       {Cmd::Dimension(letters, 1)},
       Names{WholeNumberMessage(letters)},
       ""},
      {"führende Nullen", "6", {Cmd::Dimension(padded, 1)}, Names{LengthMessage(padded, 6)}, ""},
      {"führende Nullen erlaubt", "1000", {Cmd::Dimension(padded, 1)}, Names{}, padded},
      {"aus der ID-Liste", "1000",
       std::vector<ScriptedCommand>{Cmd::Text("ID", padded + "," + padded + "8"),
                                    Cmd::Plain(1000, "5"), Cmd::Dimension("", 1), Cmd::Plain(1001)},
       Names{}, padded},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    Job job;
    job.t->setSetting("IdLaenge", c.idLaenge);
    const JobResult result = job.run({c.commands, c.commands, c.commands});
    EXPECT_EQ(result.messages, c.messages);
    EXPECT_EQ(result.end, c.idInFile.empty() ? JobEnd::CaptureClosed : JobEnd::Sent);
    if (!c.idInFile.empty()) {
      EXPECT_NE(job.delivered(result).find("MERKMAL=" + c.idInFile + "\r\n \r\n"),
                std::string::npos);
    }
  }
}

TEST(LargeInput, ThirtyTwoThousandSevenHundredSixtySevenSamplesAndNotOneMore) {
  Job job("32767");
  Runs runs;
  for (int k = 1; k <= 32768; ++k) {
    runs.push_back({ScriptedCommand::Dimension("10", k)});
  }
  const JobResult result = job.run(runs);
  EXPECT_EQ(result.messages, Names{TooManySamplesMessage()});
  EXPECT_EQ(result.end, JobEnd::Sent);
  const std::string file = job.delivered(result);
  const auto values = file.find("BEGINN_WERTE\r\n") + 14;
  const std::string lines = file.substr(values, file.find("ENDE_WERTE") - values);
  EXPECT_EQ(count(lines, "\r\n"), 32767U);
  EXPECT_TRUE(lines.starts_with("1,000\r\n2,000\r\n"));
  EXPECT_TRUE(lines.ends_with("32766,000\r\n32767,000\r\n"));
  EXPECT_NE(file.find("UMFANG=32767\r\n"), std::string::npos);
}

TEST(LargeInput, ALoopOfAHundredThousandCommandsInLoopMode) {
  std::string text = "Programm Gross.PRG\nSchleife 10000\n";
  for (int k = 1; k <= 9; ++k) {
    text += "Mass Merkmal=" + std::to_string(k) + " Messwert=" + std::to_string(k - 1) + ",5\n";
  }
  const auto parsed = program::parseProgram(text + "SchleifeEnde\n", "gross.kmp");
  ASSERT_TRUE(std::holds_alternative<program::MeasuringProgram>(parsed));
  const std::vector<ScriptedCommand> commands =
      program::ProgramExecutor(std::get<program::MeasuringProgram>(parsed), 1).run(1);
  ASSERT_EQ(commands.size(), 100000U);

  Job job("10000");
  job.t->setSetting("SCHLEIFE", "1");
  const JobResult result = job.run({commands});
  EXPECT_EQ(result.messages, Names{});
  EXPECT_EQ(result.end, JobEnd::Sent);
  const std::string file = job.delivered(result);
  EXPECT_EQ(count(file, "UMFANG=10000\r\n"), 9U);
  EXPECT_EQ(count(file, "\r\n8,500\r\n"), 10000U);
}

}  // namespace
}  // namespace kvotlk::test
