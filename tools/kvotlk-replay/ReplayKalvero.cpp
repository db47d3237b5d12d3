#include "kvotlk-replay/ReplayKalvero.h"

#include "program/ProgramExecutor.h"
#include "program/ProgramText.h"

namespace kvotlk::replay {

void ReplayKalvero::start() {
  app_ = connector_.start();
  runNumber_ = 0;
  if (program_) {
    app_->versionText = program_->versionText;
    app_->openPartProgram(program_->partProgName);
  }
}

void ReplayKalvero::quit() {
  app_->goAway();
  connector_.app.reset();
  connector_.windowExists = false;
  app_.reset();
}

void ReplayKalvero::executeRuns(std::int64_t runs, const std::function<bool()>& stop) {
  const program::ProgramExecutor executor(*program_, program::chooseSeed(*program_, options_.seed));
  for (std::int64_t run = 1; run <= runs; ++run) {
    if (stop && stop()) {
      return;
    }
    ++runNumber_;
    if (options_.verbose) {
      out_ << "Lauf " << runNumber_ << '\n' << std::flush;
    }
    app_->startExecution();
    for (const CommandRecord& command : executor.run(runNumber_)) {
      execute(command);
    }
  }
}

void ReplayKalvero::startEvent() {
  if (options_.verbose) {
    out_ << "Start\n" << std::flush;
  }
  app_->startExecution();
}

void ReplayKalvero::execute(const CommandRecord& command) {
  if (options_.verbose) {
    out_ << "  " << program::describeExecuted(command) << '\n' << std::flush;
  }
  app_->executeCommand(command);
}

void ReplayKalvero::perform(const Step& step) {
  switch (step.kind) {
    case StepKind::QuitKalvero:
      quit();
      break;
    case StepKind::StartKalvero:
      start();
      break;
    case StepKind::CloseProgram:
      app_->closePartProgram();
      break;
    case StepKind::OpenProgram:
      app_->openPartProgram(step.name);
      break;
    case StepKind::KalveroGoneAt:
      app_->life->goAwayAt(step.name, static_cast<int>(step.count));
      break;
    case StepKind::KalveroGoneAfter:
      app_->life->goAwayAfter(static_cast<int>(step.count));
      break;
    default:
      break;
  }
}

}  // namespace kvotlk::replay
