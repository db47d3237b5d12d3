#pragma once

#include <QWidget>
#include <functional>
#include <memory>
#include <string>

#include "capture/CaptureView.h"

class QGroupBox;
class QLabel;
class QPushButton;

namespace kvotlk {

class CaptureEngine;
class FrameGrid;
class WorkProgress;

// The capture window: shows the current sample against the sample size and the
// characteristics of the current sample, and forwards its buttons and its closing to the
// capture engine, which holds every rule. Geometry in twips, converted at the screen's
// logical resolution.
class frm_TuL final : public QWidget, public CaptureView {
  Q_OBJECT

 public:
  explicit frm_TuL(CaptureEngine& engine, QWidget* parent = nullptr);
  ~frm_TuL() override;
  frm_TuL(const frm_TuL&) = delete;
  frm_TuL& operator=(const frm_TuL&) = delete;
  frm_TuL(frm_TuL&&) = delete;
  frm_TuL& operator=(frm_TuL&&) = delete;

  CaptureEngine& engine() { return engine_; }

  // How many result files wait, as the main window says it; empty for none.
  void setWaitingFiles(const QString& text);
  // File work of a send, with its progress and "Abbrechen" in this window; its buttons and
  // close box do nothing meanwhile.
  void runFileWork(const std::function<void(WorkProgress&)>& work);

  // Grid cells as the rules address them: row 0 is the fixed header row.
  int gridRowCount() const;
  QString gridText(int row, int column) const;

  // CaptureView
  void prepareGrid() override;
  void setGridRowCount(int rows) override;
  void setGridCell(int row, int column, const std::string& text) override;
  void setCurrentProbe(const std::string& caption, bool repaintNow) override;
  void setNumProbes(const std::string& caption) override;
  void showWindow() override;
  void closeWindow() override;

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void buildControls();
  void fitIdColumn(int idLength);
  int twipsX(int twips) const;
  int twipsY(int twips) const;
  QRect twipsRect(int left, int top, int width, int height) const;

  CaptureEngine& engine_;
  QGroupBox* Frame1_ = nullptr;
  QLabel* lblCurrentProbe_ = nullptr;
  QLabel* lblNumProbes_ = nullptr;
  FrameGrid* FlexGridDaten_ = nullptr;
  QPushButton* CmdSendData_ = nullptr;
  QPushButton* CmdLoeschen_ = nullptr;
  QLabel* lblStatus_ = nullptr;
  QPushButton* CmdAbbrechen_ = nullptr;
  bool working_ = false;
};

// Twips (1440 to the inch) to pixels at a resolution in dots per inch, rounded.
int TwipsToPixels(int twips, double dotsPerInch);

}  // namespace kvotlk
