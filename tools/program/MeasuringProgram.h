#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <variant>
#include <vector>

// A measuring program for the simulated CMM software, as read from its file: the part
// program's name and version text, and the commands it executes on every run.
namespace kvotlk::program {

// A value of a command: fixed, or drawn anew every time the command is executed.
struct ValueRule {
  enum class Kind { Fixed, Normal, Uniform };
  Kind kind = Kind::Fixed;
  // Fixed: the value. Normal: the mean. Uniform: the lower bound.
  double first = 0.0;
  // Normal: the standard deviation. Uniform: the upper bound. Unused when fixed.
  double second = 0.0;

  static ValueRule Fixed(double value) { return {Kind::Fixed, value, 0.0}; }
  bool operator==(const ValueRule&) const = default;
};

// One command as the file describes it.
struct ProgramCommand {
  // Line in the file and the statement word as written there, for the simulator's window.
  int line = 0;
  std::string statement;

  std::int32_t typeCode = 0;
  std::string cmdIdText;
  bool hasDimension = false;
  std::string dimIdText;
  ValueRule measured;
  ValueRule secondary;
  bool hasTextCmd = false;
  std::string textCmdName;
  std::string textCmdText;
  std::int32_t field165 = 0;
  ValueRule field662;

  bool operator==(const ProgramCommand&) const = default;
};

// A loop: every pass executes a text command "SchleifeAnfang", then the body.
struct ProgramLoop {
  int line = 0;
  int endLine = 0;
  int passes = 1;
  std::vector<ProgramCommand> body;

  bool operator==(const ProgramLoop&) const = default;
};

using ProgramItem = std::variant<ProgramCommand, ProgramLoop>;

struct MeasuringProgram {
  // The part program's file name with its 4-character extension, as PartProgName answers.
  std::string partProgName;
  // What AppVersionText answers while this program is open.
  std::string versionText = "Kalvero-Simulator 1.0";
  // The seed used when none is given when the simulator starts.
  std::optional<std::uint64_t> seed;
  // Drawn values are rounded to this many decimals.
  int decimals = 4;
  std::vector<ProgramItem> items;
};

// Type codes of the statement words, and the type code of the loop's text command.
inline constexpr std::int32_t kTypeDimension = 1;
inline constexpr std::int32_t kTypeTextCommand = 2;
inline constexpr std::int32_t kTypeFieldValue = 184;
inline constexpr std::int32_t kTypeBlockAStart = 1000;
inline constexpr std::int32_t kTypeBlockAEnd = 1001;
inline constexpr std::int32_t kTypeBlockBStart = 1200;
inline constexpr std::int32_t kTypeBlockBEnd = 1201;

// The most commands one run may execute, every loop pass counted. A run is held in memory
// whole, so a file of a few lines with a large loop must not ask for gigabytes.
inline constexpr std::size_t kMaxCommandsPerRun = 1'000'000;

// The name of the text command that starts every pass of a loop.
inline constexpr const char* kLoopMarkerName = "SchleifeAnfang";

}  // namespace kvotlk::program
