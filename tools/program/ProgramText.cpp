#include "program/ProgramText.h"

#include <algorithm>
#include <charconv>

namespace kvotlk::program {
namespace {

TableRow commandRow(const ProgramCommand& command) {
  TableRow row;
  row[0] = std::to_string(command.line);
  row[1] = command.statement;
  row[2] = std::to_string(command.typeCode);
  row[3] = command.cmdIdText;
  if (command.hasDimension) {
    row[4] = command.dimIdText;
    row[5] = describeValue(command.measured);
    row[6] = describeValue(command.secondary);
  }
  if (command.hasTextCmd) {
    row[7] = command.textCmdName;
    row[8] = command.textCmdText;
  }
  row[9] = std::to_string(command.field165);
  row[10] = describeValue(command.field662);
  return row;
}

TableRow loopRow(int line, const std::string& text) {
  TableRow row;
  row[0] = std::to_string(line);
  row[1] = text;
  return row;
}

}  // namespace

std::string formatNumber(double value) {
  std::array<char, 32> buffer{};
  const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value);
  std::string text(buffer.data(), result.ptr);
  std::replace(text.begin(), text.end(), '.', ',');
  return text;
}

std::string describeValue(const ValueRule& value) {
  switch (value.kind) {
    case ValueRule::Kind::Normal:
      return "Normal(" + formatNumber(value.first) + "; " + formatNumber(value.second) + ")";
    case ValueRule::Kind::Uniform:
      return "Gleich(" + formatNumber(value.first) + "; " + formatNumber(value.second) + ")";
    case ValueRule::Kind::Fixed:
      break;
  }
  return formatNumber(value.first);
}

std::string describeExecuted(const CommandRecord& command) {
  std::string text = "Typ " + std::to_string(command.CmdTypeCode);
  if (!command.CmdIdText.empty()) {
    text += ", Id " + command.CmdIdText;
  }
  if (command.dimension) {
    if (!command.dimension->DimIdText.empty()) {
      text += ", Merkmal " + command.dimension->DimIdText;
    }
    text += ", Messwert " + formatNumber(command.dimension->DimMeasured);
    if (command.dimension->DimSecondary != 0.0) {
      text += ", Nebenwert " + formatNumber(command.dimension->DimSecondary);
    }
  }
  if (command.textCmd) {
    text += ", Textbefehl " + command.textCmd->TextCmdName + " \"" + command.textCmd->TextCmdText +
            "\"";
  }
  if (command.field165 != 0) {
    text += ", Feld165 " + std::to_string(command.field165);
  }
  if (command.field662 != 0.0 || command.CmdTypeCode == kTypeFieldValue) {
    text += ", Feld662 " + formatNumber(command.field662);
  }
  return text;
}

std::vector<TableRow> programTable(const MeasuringProgram& program) {
  std::vector<TableRow> rows;
  for (const ProgramItem& item : program.items) {
    if (const auto* command = std::get_if<ProgramCommand>(&item)) {
      rows.push_back(commandRow(*command));
      continue;
    }
    const auto& loop = std::get<ProgramLoop>(item);
    rows.push_back(loopRow(loop.line, "Schleife " + std::to_string(loop.passes)));
    for (const ProgramCommand& command : loop.body) {
      rows.push_back(commandRow(command));
    }
    rows.push_back(loopRow(loop.endLine, "SchleifeEnde"));
  }
  return rows;
}

}  // namespace kvotlk::program
