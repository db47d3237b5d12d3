#pragma once

#include <memory>
#include <string>
#include <vector>

#include "capture/CaptureEngine.h"
#include "capture/CaptureView.h"
#include "capture/FakeKalvero.h"
#include "entry/OrderForm.h"
#include "support/TestEnvironment.h"

// The converter's whole job through core, as the windows run it: start-up, order
// confirmation, handoff file, capture of the runs, send, with the test doubles of every
// port. Bad input goes in through the settings, the catalogues and the runs.
namespace kvotlk::test {

enum class JobEnd { Refused, CaptureClosed, Sent, NotSent };

struct JobResult {
  JobEnd end = JobEnd::Sent;
  std::vector<std::string> messages;      // texts of every message box, in order
  std::vector<std::string> targetFiles;   // in the program folder, the default target
  std::vector<std::string> stagedFiles;   // in TempData, besides the debug log
  std::vector<std::string> handoffFiles;  // names starting with TLValues in the program folder
};

struct JobRig {
  // Catalogues with (12) and M7; an order that is valid with the default settings,
  // sample size 3, nest box ticked with nest number 3.
  JobRig();

  std::string target() const { return env().programFolder; }
  Environment& env() const { return t->env; }
  // Start-up, confirmation and load of the capture window; false when the order was
  // refused (the failure shown).
  bool start();
  // The runs, then "Daten übertragen" unless the capture has closed.
  JobResult finish(const std::vector<std::vector<ScriptedCommand>>& runs);
  // The three runs of two dimensions that the default settings deliver.
  static std::vector<std::vector<ScriptedCommand>> threeRuns();

  std::unique_ptr<TestEnvironment> t = std::make_unique<TestEnvironment>();
  OrderForm form;
  std::shared_ptr<FakeKvoApplication> app;
  NullCaptureView view;
  std::unique_ptr<CaptureEngine> engine;
  bool refused = false;
};

}  // namespace kvotlk::test
