#pragma once

#include <QList>
#include <functional>

class QLabel;
class QPushButton;
class QWidget;

namespace kvotlk {

class WorkProgress;

// Runs file work on a thread of its own while the window's event loop goes on, so the
// window keeps painting during a slow share. The status label shows the work's progress,
// the cancel button ("Abbrechen") tells the work to stop waiting; both are shown only
// meanwhile, and the given controls are disabled meanwhile. Returns when the work has
// finished.
void RunFileWork(const std::function<void(WorkProgress&)>& work, QLabel& status,
                 QPushButton& cancel, const QList<QWidget*>& disabled);

}  // namespace kvotlk
