#include "program/ProgramExecutor.h"

#include <string>
#include <utility>

#include "program/SimRandom.h"

namespace kvotlk::program {
namespace {

double draw(const ValueRule& value, SimRandom& random, int decimals) {
  switch (value.kind) {
    case ValueRule::Kind::Normal:
      return roundToDecimals(random.normal(value.first, value.second), decimals);
    case ValueRule::Kind::Uniform:
      return roundToDecimals(random.uniform(value.first, value.second), decimals);
    case ValueRule::Kind::Fixed:
      break;
  }
  return value.first;
}

// One execution of a command; values are drawn in the order measured, secondary, field 662.
CommandRecord execute(const ProgramCommand& command, SimRandom& random, int decimals) {
  CommandRecord executed;
  executed.CmdTypeCode = command.typeCode;
  executed.CmdIdText = command.cmdIdText;
  if (command.hasDimension) {
    const double measured = draw(command.measured, random, decimals);
    const double secondary = draw(command.secondary, random, decimals);
    executed.dimension = DimensionRecord{command.dimIdText, measured, secondary};
  }
  if (command.hasTextCmd) {
    executed.textCmd = TextCmdRecord{command.textCmdName, command.textCmdText};
  }
  executed.field165 = command.field165;
  executed.field662 = draw(command.field662, random, decimals);
  return executed;
}

CommandRecord loopMarker(int pass) {
  CommandRecord marker;
  marker.CmdTypeCode = kTypeTextCommand;
  marker.textCmd = TextCmdRecord{kLoopMarkerName, std::to_string(pass)};
  return marker;
}

}  // namespace

ProgramExecutor::ProgramExecutor(MeasuringProgram program, std::uint64_t seed)
    : program_(std::move(program)), seed_(seed) {}

std::vector<CommandRecord> ProgramExecutor::run(std::uint64_t runNumber) const {
  SimRandom random(seed_, runNumber);
  std::vector<CommandRecord> commands;
  commands.reserve(commandsPerRun(program_));
  for (const ProgramItem& item : program_.items) {
    if (const auto* command = std::get_if<ProgramCommand>(&item)) {
      commands.push_back(execute(*command, random, program_.decimals));
      continue;
    }
    const auto& loop = std::get<ProgramLoop>(item);
    for (int pass = 1; pass <= loop.passes; ++pass) {
      commands.push_back(loopMarker(pass));
      for (const ProgramCommand& command : loop.body) {
        commands.push_back(execute(command, random, program_.decimals));
      }
    }
  }
  return commands;
}

std::uint64_t chooseSeed(const MeasuringProgram& program, std::optional<std::uint64_t> given) {
  if (given) {
    return *given;
  }
  return program.seed.value_or(1);
}

std::size_t commandsPerRun(const MeasuringProgram& program) {
  std::size_t count = 0;
  for (const ProgramItem& item : program.items) {
    if (const auto* loop = std::get_if<ProgramLoop>(&item)) {
      count += static_cast<std::size_t>(loop->passes) * (loop->body.size() + 1);
    } else {
      ++count;
    }
  }
  return count;
}

}  // namespace kvotlk::program
