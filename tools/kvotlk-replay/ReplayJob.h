#pragma once

#include <optional>
#include <ostream>
#include <string>

#include "kvotlk-replay/OrderFile.h"
#include "kvotlk-replay/ReplayOptions.h"
#include "kvotlk-replay/SettingsFile.h"
#include "program/MeasuringProgram.h"

// The converter's whole job without windows: start-up, order confirmation, capture of the
// runs, send and shutdown, all through the program's own core.
namespace kvotlk::replay {

// How the job ended.
enum ExitCode : int {
  kDelivered = 0,
  kOrderRefused = 1,
  kCaptureEnded = 2,
  kNotSent = 3,
  kNotDelivered = 4,
  kInputError = 5,
};

struct ReplayInputs {
  ReplayOptions options;
  OrderInput order;
  SettingsInput settings;
  // None: no measuring program is open in the CMM software.
  std::optional<program::MeasuringProgram> program;
  // Absolute, without a trailing separator.
  std::string programFolder;
};

// Runs the job; messages go to err as they are shown, the runs (when verbose) and the
// outcome to out.
int RunReplay(const ReplayInputs& inputs, std::ostream& out, std::ostream& err);

}  // namespace kvotlk::replay
