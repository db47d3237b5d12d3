#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "kalvero/CommandRecord.h"
#include "program/MeasuringProgram.h"

// Turns a measuring program into the commands its runs execute, with their values. The
// same program, seed and run number always give the same commands and values.
namespace kvotlk::program {

class ProgramExecutor {
 public:
  ProgramExecutor(MeasuringProgram program, std::uint64_t seed);

  // The commands run number runNumber executes, in order (run 1 is the first run after the
  // program was opened). Each run draws from its own stream of the seed, so run 5 has the
  // same values whether runs 1 to 4 were executed before or not. A loop pass starts with
  // the text command "SchleifeAnfang" (text: the pass number), then executes its body.
  std::vector<CommandRecord> run(std::uint64_t runNumber) const;

  const MeasuringProgram& program() const { return program_; }
  std::uint64_t seed() const { return seed_; }

 private:
  MeasuringProgram program_;
  std::uint64_t seed_;
};

// The seed of a run: the one given when the simulator started, else the program's own
// (Startwert), else 1.
std::uint64_t chooseSeed(const MeasuringProgram& program, std::optional<std::uint64_t> given);

// The number of commands one run executes.
std::size_t commandsPerRun(const MeasuringProgram& program);

}  // namespace kvotlk::program
