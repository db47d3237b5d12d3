#pragma once

#include <QLabel>

namespace kvotlk {

// A small window above the program's windows while a call waits for Kalvero, which
// rejects calls as long as one of its own dialogs is open. It is painted at once: the
// waiting call keeps the event loop from running.
class KalveroWaitNotice final : public QLabel {
 public:
  KalveroWaitNotice();
  void setWaiting(bool waiting);
};

}  // namespace kvotlk
