#pragma once

#include <string>

// What the capture engine drives: the capture window frm_TuL. The window moves these texts
// into its controls and holds no rule.
namespace kvotlk {

class CaptureView {
 public:
  virtual ~CaptureView() = default;

  // FlexGridDaten: 2 columns of 600 and 3200 twips, both centred (alignment code 5), header
  // cells (0, 0) "ID" and (0, 1) "Messwert".
  virtual void prepareGrid() = 0;
  // Header row included; rows beyond are removed, new rows are empty.
  virtual void setGridRowCount(int rows) = 0;
  // Column 0 the characteristic ID, column 1 the formatted value.
  virtual void setGridCell(int row, int column, const std::string& text) = 0;

  // Caption of lblCurrentProbe; repainted before the call returns when repaintNow is set.
  virtual void setCurrentProbe(const std::string& caption, bool repaintNow) = 0;
  // Caption of lblNumProbes.
  virtual void setNumProbes(const std::string& caption) = 0;

  // Shows the loaded window, not modal.
  virtual void showWindow() = 0;
  // Closes the capture window. The engine has already done its part of closing, so a
  // close handler that calls CaptureEngine::Form_Unload finds nothing left to do.
  virtual void closeWindow() = 0;
};

// Shows nothing; for benchmarks and tools without windows.
class NullCaptureView final : public CaptureView {
 public:
  void prepareGrid() override {}
  void setGridRowCount(int /*rows*/) override {}
  void setGridCell(int /*row*/, int /*column*/, const std::string& /*text*/) override {}
  void setCurrentProbe(const std::string& /*caption*/, bool /*repaintNow*/) override {}
  void setNumProbes(const std::string& /*caption*/) override {}
  void showWindow() override {}
  void closeWindow() override {}
};

}  // namespace kvotlk
