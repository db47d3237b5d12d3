#pragma once

#include <cstdint>
#include <optional>
#include <string>

// What the converter reads of one executed command, as a plain value: the simulator's
// protocol carries it, and runs of the simulated CMM software are lists of it.
namespace kvotlk {

struct DimensionRecord {
  std::string DimIdText;
  double DimMeasured = 0.0;
  double DimSecondary = 0.0;
};

struct TextCmdRecord {
  std::string TextCmdName;
  std::string TextCmdText;
};

struct CommandRecord {
  std::int32_t CmdTypeCode = 0;
  std::string CmdIdText;
  std::optional<DimensionRecord> dimension;
  std::optional<TextCmdRecord> textCmd;
  // Field 165 and field 662 at index 1; other fields and indexes answer 0.
  std::int32_t field165 = 0;
  double field662 = 0.0;

  // A dimension command of an ordinary type.
  static CommandRecord Dimension(std::string dimIdText, double measured, std::int32_t typeCode = 1,
                                 double secondary = 0.0);
  // A command with a text command of that name and text.
  static CommandRecord Text(std::string name, std::string text = {});
  // A command without dimension or text command, such as a block start or end.
  static CommandRecord Plain(std::int32_t typeCode, std::string cmdIdText = {},
                             std::int32_t field165 = 0);
};

}  // namespace kvotlk
