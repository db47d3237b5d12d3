#include "platform/simlink/SimProtocol.h"

#include <cmath>

#include "common/ExactNumber.h"
#include "common/Text.h"

namespace kvotlk::simlink {
namespace {

std::string flag(bool value) { return value ? "1" : "0"; }

std::optional<bool> parseFlag(std::string_view text) {
  if (text == "1") {
    return true;
  }
  if (text == "0") {
    return false;
  }
  return std::nullopt;
}

// Positions of the fields of an OBJECT event.
enum ObjectField : std::size_t {
  kSequence = 1,
  kProgram,
  kTypeCode,
  kCmdIdText,
  kHasDimension,
  kDimIdText,
  kMeasured,
  kSecondary,
  kHasTextCmd,
  kTextCmdName,
  kTextCmdText,
  kField165,
  kField662,
  kObjectFieldCount
};

std::optional<std::int32_t> parseInt32(std::string_view text) {
  return ParseExact<std::int32_t>(text);
}

}  // namespace

std::string encodeLine(const Fields& fields) {
  std::string line;
  for (std::size_t i = 0; i < fields.size(); ++i) {
    if (i > 0) {
      line += '\t';
    }
    appendEscapedField(line, fields[i]);
  }
  line += '\n';
  return line;
}

Fields decodeLine(std::string_view line) {
  Fields fields(1);
  for (std::size_t i = 0; i < line.size(); ++i) {
    const char c = line[i];
    if (c == '\t') {
      fields.emplace_back();
    } else if (c == '\\' && i + 1 < line.size()) {
      ++i;
      fields.back() += unescapedChar(line[i]).value_or(line[i]);
    } else {
      fields.back() += c;
    }
  }
  return fields;
}

bool LineReader::append(std::string_view bytes) {
  if (overflow_) {
    return false;
  }
  if (start_ > 0 && start_ == buffer_.size()) {
    buffer_.clear();
    start_ = 0;
  }
  buffer_.append(bytes);
  const std::size_t lastEnd = buffer_.rfind('\n');
  const std::size_t openStart =
      lastEnd == std::string::npos || lastEnd < start_ ? start_ : lastEnd + 1;
  if (buffer_.size() - openStart > kMaxLineLength) {
    overflow_ = true;
    buffer_.clear();
    start_ = 0;
    return false;
  }
  return true;
}

std::optional<std::string> LineReader::nextLine() {
  const std::size_t end = buffer_.find('\n', start_);
  if (end == std::string::npos) {
    if (start_ > 0) {
      buffer_.erase(0, start_);
      start_ = 0;
    }
    return std::nullopt;
  }
  std::string line = buffer_.substr(start_, end - start_);
  start_ = end + 1;
  if (!line.empty() && line.back() == '\r') {
    line.pop_back();
  }
  return line;
}

std::string formatReal(double value) { return ExactText(value); }

std::optional<double> parseReal(std::string_view text) { return ParseExact<double>(text); }

std::optional<std::int64_t> parseInteger(std::string_view text) {
  return ParseExact<std::int64_t>(text);
}

Fields startEventFields(const StartEvent& event) {
  return {std::string(kStart), std::to_string(event.sequence), std::to_string(event.program)};
}

Fields objectEventFields(const ObjectEvent& event) {
  const CommandRecord& command = event.command;
  const DimensionRecord dimension = command.dimension.value_or(DimensionRecord{});
  const TextCmdRecord textCmd = command.textCmd.value_or(TextCmdRecord{});
  return {std::string(kObject),
          std::to_string(event.sequence),
          std::to_string(event.program),
          std::to_string(command.CmdTypeCode),
          command.CmdIdText,
          flag(command.dimension.has_value()),
          dimension.DimIdText,
          formatReal(dimension.DimMeasured),
          formatReal(dimension.DimSecondary),
          flag(command.textCmd.has_value()),
          textCmd.TextCmdName,
          textCmd.TextCmdText,
          std::to_string(command.field165),
          formatReal(command.field662)};
}

std::optional<StartEvent> parseStartEvent(const Fields& fields) {
  if (fields.size() != 3 || fields[0] != kStart) {
    return std::nullopt;
  }
  const auto sequence = parseInteger(fields[1]);
  const auto program = parseInteger(fields[2]);
  if (!sequence || !program || *program == 0) {
    return std::nullopt;
  }
  return StartEvent{*sequence, *program};
}

std::optional<ObjectEvent> parseObjectEvent(const Fields& fields) {
  if (fields.size() != kObjectFieldCount || fields[0] != kObject) {
    return std::nullopt;
  }
  const auto sequence = parseInteger(fields[kSequence]);
  const auto program = parseInteger(fields[kProgram]);
  const auto typeCode = parseInt32(fields[kTypeCode]);
  const auto hasDimension = parseFlag(fields[kHasDimension]);
  const auto measured = parseReal(fields[kMeasured]);
  const auto secondary = parseReal(fields[kSecondary]);
  const auto hasTextCmd = parseFlag(fields[kHasTextCmd]);
  const auto field165 = parseInt32(fields[kField165]);
  const auto field662 = parseReal(fields[kField662]);
  if (!sequence || !program || *program == 0 || !typeCode || !hasDimension || !measured ||
      !secondary || !hasTextCmd || !field165 || !field662) {
    return std::nullopt;
  }
  ObjectEvent event{*sequence, *program, {}};
  event.command.CmdTypeCode = *typeCode;
  event.command.CmdIdText = fields[kCmdIdText];
  if (*hasDimension) {
    event.command.dimension = DimensionRecord{fields[kDimIdText], *measured, *secondary};
  }
  if (*hasTextCmd) {
    event.command.textCmd = TextCmdRecord{fields[kTextCmdName], fields[kTextCmdText]};
  }
  event.command.field165 = *field165;
  event.command.field662 = *field662;
  return event;
}

Fields helloFields() {
  return {std::string(kHello), std::to_string(kProtocolVersion), "kalvero-sim"};
}

bool isHello(const Fields& fields) {
  return fields.size() >= 2 && fields[0] == kHello && fields[1] == std::to_string(kProtocolVersion);
}

}  // namespace kvotlk::simlink
