#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <ostream>

#include "fake-kalvero/FakeKalvero.h"
#include "kvotlk-replay/ReplayOptions.h"
#include "kvotlk-replay/StepScript.h"
#include "program/MeasuringProgram.h"

// The CMM software of a kvotlk-replay job: a fake that runs the measuring program of the
// job, is started and quit by the steps, and goes away when a step says so.
namespace kvotlk::replay {

class ReplayKalvero {
 public:
  // With --ausfuehrlich the runs and commands are written to out.
  ReplayKalvero(const std::optional<program::MeasuringProgram>& program,
                const ReplayOptions& options, std::ostream& out)
      : program_(program), options_(options), out_(out) {}

  // What the converter finds running.
  KvoConnector& connector() { return connector_; }

  bool running() const { return app_ != nullptr; }
  bool programOpen() const { return app_ && app_->currentPartProg; }

  // A fresh CMM software, with the measuring program open when there is one.
  void start();
  // Runs of the open measuring program, each started with OnStartExecution; before each
  // run, stop() may end them.
  void executeRuns(std::int64_t runs, const std::function<bool()>& stop);
  // OnStartExecution alone.
  void startEvent();
  // One executed command.
  void execute(const CommandRecord& command);
  // The steps kalvero-beenden, kalvero-starten, programm-schliessen, kalvero-weg-bei and
  // kalvero-weg-nach.
  void perform(const Step& step);

 private:
  void quit();

  const std::optional<program::MeasuringProgram>& program_;
  const ReplayOptions& options_;
  std::ostream& out_;
  FakeKvoConnector connector_;
  std::shared_ptr<FakeKvoApplication> app_;
  std::uint64_t runNumber_ = 0;
};

}  // namespace kvotlk::replay
