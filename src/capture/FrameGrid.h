#pragma once

#include <QTableWidget>
#include <QTimer>

namespace kvotlk {

// A frame of the capture window's grid: changes within it are laid out and painted together.
inline constexpr int kGridFrameMs = 30;

// The capture window's grid, FlexGridDaten. Its cells and rows change at once, so whoever
// reads the grid sees every value as it arrives; laying out and painting them waits for the
// end of the frame that the first change started, and then shows every change made in it.
class FrameGrid final : public QTableWidget {
 public:
  FrameGrid(int rows, int columns, QWidget* parent);

  // Called before every change of cells or rows: starts a frame unless one is running.
  void hold();
  // Qt's delayed layout after a change of rows waits for the end of the frame.
  void doItemsLayout() override;

 protected:
  // So does the repainting of a changed cell.
  void dataChanged(const QModelIndex& topLeft, const QModelIndex& bottomRight,
                   const QList<int>& roles) override;

 private:
  void release();

  QTimer frame_;
  bool held_ = false;
  bool layoutPending_ = false;
};

}  // namespace kvotlk
