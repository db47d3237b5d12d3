#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "common/Clock.h"

// The command line of kvotlk-replay.
namespace kvotlk::replay {

enum class NumberRules { German, English };

struct ReplayOptions {
  std::string orderFile;
  std::optional<std::string> settingsFile;
  std::optional<std::string> programFile;
  // The operator's steps; none: confirm, the runs, send, shut down.
  std::optional<std::string> scriptFile;
  std::int64_t runs = 1;
  std::optional<std::uint64_t> seed;
  // Empty: the folder of kvotlk-replay.
  std::string programFolder;
  // Empty: the program folder, as for a program from its ZIP.
  std::string dataFolder;
  bool increaseAnswer = false;
  bool measureMoreAnswer = false;
  bool discardAnswer = false;
  std::optional<LocalDateTime> fixedTime;
  std::optional<std::uint64_t> nameSeed;
  NumberRules numbers = NumberRules::German;
  bool verbose = false;
  bool help = false;
};

// The arguments after the program's name; a German error text when one is wrong.
std::variant<ReplayOptions, std::string> parseReplayOptions(
    const std::vector<std::string>& arguments);

// "TT.MM.JJJJ HH:MM:SS" as a date and time of the calendar.
std::optional<LocalDateTime> parseDateTime(const std::string& text);

// The usage line and the help text, German.
extern const char* const kReplayUsage;
extern const char* const kReplayHelp;

}  // namespace kvotlk::replay
