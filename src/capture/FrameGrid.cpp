#include "capture/FrameGrid.h"

namespace kvotlk {

// The CMM software waits for each event's handler, so the event loop is idle between two
// values and would lay out and paint the grid after each: the grid, not the CMM software,
// would set the pace of a run.
FrameGrid::FrameGrid(int rows, int columns, QWidget* parent) : QTableWidget(rows, columns, parent) {
  frame_.setSingleShot(true);
  frame_.setInterval(kGridFrameMs);
  connect(&frame_, &QTimer::timeout, this, &FrameGrid::release);
}

void FrameGrid::hold() {
  if (held_) {
    return;
  }
  held_ = true;
  frame_.start();
}

void FrameGrid::doItemsLayout() {
  if (held_) {
    layoutPending_ = true;
    return;
  }
  QTableWidget::doItemsLayout();
}

// Updates are not switched off while held: a window drawn during a frame (uncovered, or
// grabbed for a picture) shows the grid as it is, only the layout may be a frame late.
void FrameGrid::dataChanged(const QModelIndex& topLeft, const QModelIndex& bottomRight,
                            const QList<int>& roles) {
  if (!held_) {
    QTableWidget::dataChanged(topLeft, bottomRight, roles);
  }
}

// The rows are painted when the loop is next idle; what changes until then is held again
// and shown with them.
void FrameGrid::release() {
  held_ = false;
  if (layoutPending_) {
    layoutPending_ = false;
    QTableWidget::doItemsLayout();
  }
  viewport()->update();
}

}  // namespace kvotlk
