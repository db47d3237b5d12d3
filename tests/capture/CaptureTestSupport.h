#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "capture/CaptureEngine.h"
#include "capture/CaptureView.h"
#include "capture/FakeKalvero.h"
#include "support/TestEnvironment.h"

namespace kvotlk::test {

// Keeps what the engine shows, as the capture window and the order window would.
class RecordingView final : public CaptureView {
 public:
  void prepareGrid() override;
  void setGridRowCount(int rows) override;
  void setGridCell(int row, int column, const std::string& text) override;
  void setCurrentProbe(const std::string& caption, bool repaintNow) override;
  void setNumProbes(const std::string& caption) override;
  void setOrderProbenumfang(const std::string& text) override;
  int orderNestState() override;
  void showOrderWindow() override;
  void closeWindow() override;

  // Row 0 is the header; a fresh grid has two rows.
  std::vector<std::array<std::string, 2>> grid{2};
  int prepareGridCalls = 0;
  // Writes to a cell outside the grid; the grid of a window would refuse them.
  int cellsOutsideGrid = 0;
  std::string lblCurrentProbe;
  std::string lblNumProbes;
  // Captions of lblCurrentProbe that were repainted at once.
  std::vector<std::string> repainted;
  std::string txt_Probenumfang = "unchanged";
  int chkNest = kUnchecked;
  int orderWindowShown = 0;
  int windowClosed = 0;
};

// Shorthands for scripted commands.
ScriptedCommand Dim(std::string id, double value, std::int32_t typeCode = 1,
                    double secondary = 0.0);
ScriptedCommand Txt(std::string name, std::string text = {});
ScriptedCommand Plain(std::int32_t typeCode, std::string cmdId = {}, std::int32_t field165 = 0);
// A type-184 command without dimension, valued by field 662.
ScriptedCommand Field184(std::string cmdId, double value, std::int32_t field165 = 0);

// The samples of the state as text: "{}" per sample with "id=value" entries, for
// comparing a whole capture at once; element 0 first.
std::string Render(const modGlobaleVariablen& g);

// A running fake CMM software with "Welle.kvp" open, attached as order confirmation
// attaches, sample size 3, German number rules, and an engine with a recording view whose
// result writer records each call.
struct CaptureRig {
  CaptureRig();
  CaptureRig(const CaptureRig&) = delete;
  CaptureRig& operator=(const CaptureRig&) = delete;

  void load();
  void run(const std::vector<ScriptedCommand>& commands) { app->run(commands); }
  void execute(const ScriptedCommand& command) { app->executeCommand(command); }
  std::string samples() const { return Render(t.g); }
  // The messages shown so far, texts only.
  std::vector<std::string> messages() const;

  TestEnvironment t;
  std::shared_ptr<FakeKvoApplication> app;
  RecordingView view;
  bool writeSucceeds = true;
  int writeCalls = 0;
  // The captured samples as the writer saw them.
  std::string writtenSamples;
  CaptureEngine engine;
};

class CaptureFixture : public ::testing::Test, public CaptureRig {};

}  // namespace kvotlk::test
