#include "program/ProgramExecutor.h"

#include <string>
#include <utility>

#include "program/SimRandom.h"

namespace kvotlk::program {
namespace {

double draw(const ValueSpec& value, SimRandom& random, int decimals) {
  switch (value.kind) {
    case ValueSpec::Kind::Normal:
      return roundToDecimals(random.normal(value.first, value.second), decimals);
    case ValueSpec::Kind::Uniform:
      return roundToDecimals(random.uniform(value.first, value.second), decimals);
    case ValueSpec::Kind::Fixed:
      break;
  }
  return value.first;
}

// One execution of a command; values are drawn in the order measured, secondary, field 662.
FakeCommandSpec execute(const CommandSpec& command, SimRandom& random, int decimals) {
  FakeCommandSpec executed;
  executed.CmdTypeCode = command.typeCode;
  executed.CmdIdText = command.cmdIdText;
  if (command.hasDimension) {
    const double measured = draw(command.measured, random, decimals);
    const double secondary = draw(command.secondary, random, decimals);
    executed.dimension = FakeDimensionSpec{command.dimIdText, measured, secondary};
  }
  if (command.hasTextCmd) {
    executed.textCmd = FakeTextCmdSpec{command.textCmdName, command.textCmdText};
  }
  executed.field165 = command.field165;
  executed.field662 = draw(command.field662, random, decimals);
  return executed;
}

FakeCommandSpec loopMarker(int pass) {
  FakeCommandSpec marker;
  marker.CmdTypeCode = kTypeTextCommand;
  marker.textCmd = FakeTextCmdSpec{kLoopMarkerName, std::to_string(pass)};
  return marker;
}

}  // namespace

ProgramExecutor::ProgramExecutor(MeasuringProgram program, std::uint64_t seed)
    : program_(std::move(program)), seed_(seed) {}

std::vector<FakeCommandSpec> ProgramExecutor::run(std::uint64_t runNumber) const {
  SimRandom random(seed_, runNumber);
  std::vector<FakeCommandSpec> commands;
  commands.reserve(commandsPerRun(program_));
  for (const ProgramItem& item : program_.items) {
    if (const auto* command = std::get_if<CommandSpec>(&item)) {
      commands.push_back(execute(*command, random, program_.decimals));
      continue;
    }
    const auto& loop = std::get<LoopSpec>(item);
    for (int pass = 1; pass <= loop.passes; ++pass) {
      commands.push_back(loopMarker(pass));
      for (const CommandSpec& command : loop.body) {
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
    if (const auto* loop = std::get_if<LoopSpec>(&item)) {
      count += static_cast<std::size_t>(loop->passes) * (loop->body.size() + 1);
    } else {
      ++count;
    }
  }
  return count;
}

}  // namespace kvotlk::program
