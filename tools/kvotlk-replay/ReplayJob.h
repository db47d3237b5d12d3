#pragma once

#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "kvotlk-replay/OrderFile.h"
#include "kvotlk-replay/ReplayOptions.h"
#include "kvotlk-replay/SettingsFile.h"
#include "kvotlk-replay/StepScript.h"
#include "program/MeasuringProgram.h"

namespace kvotlk {
class FileSystem;
class Clock;
class RandomSource;
}  // namespace kvotlk

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
  // The steps of --ablauf; used only when options.scriptFile is set.
  std::vector<Step> steps;
  // Absolute, without a trailing separator.
  std::string programFolder;
  // Empty: the program folder holds TempData and Kataloge.
  std::string dataFolder;
};

// The machine's ports the job runs on. The clock waits before a retried copy and tells the
// time without --zeit; the random source draws names without --zufall.
struct MachinePorts {
  FileSystem& files;
  Clock& clock;
  RandomSource& random;
};

// Runs the job; messages go to err as they are shown, the runs (when verbose), the shown
// capture window and the outcome to out.
int RunReplay(const ReplayInputs& inputs, const MachinePorts& machine, std::ostream& out,
              std::ostream& err);

}  // namespace kvotlk::replay
