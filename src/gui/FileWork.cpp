#include "gui/FileWork.h"

#include <QEventLoop>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <atomic>
#include <mutex>
#include <string>
#include <thread>

#include "common/WorkProgress.h"

namespace kvotlk {
namespace {

// How often the window takes the work's progress, in ms: a frame.
constexpr int kPollMs = 30;

// Progress that the work's thread writes and the window's thread reads.
class SharedProgress final : public WorkProgress {
 public:
  void report(const std::string& text) override {
    const std::lock_guard lock(mutex_);
    text_ = text;
  }
  bool cancelled() override { return cancelled_; }

  std::string text() {
    const std::lock_guard lock(mutex_);
    return text_;
  }
  void cancel() { cancelled_ = true; }

 private:
  std::mutex mutex_;
  std::string text_;
  std::atomic<bool> cancelled_{false};
};

}  // namespace

void RunFileWork(const std::function<void(WorkProgress&)>& work, QLabel& status,
                 QPushButton& cancel, const QList<QWidget*>& disabled) {
  SharedProgress progress;
  std::atomic<bool> done{false};
  QList<QWidget*> enabled;
  for (QWidget* widget : disabled) {
    if (widget->isEnabled()) {
      enabled << widget;
      widget->setEnabled(false);
    }
  }
  const QString idleStatus = status.text();
  const bool statusShown = status.isVisible();
  status.show();
  cancel.setEnabled(true);
  cancel.show();
  QEventLoop loop;
  const auto connection = QObject::connect(&cancel, &QPushButton::clicked, &loop, [&] {
    progress.cancel();
    cancel.setEnabled(false);
  });
  QTimer poll;
  QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
    const QString text = QString::fromStdString(progress.text());
    status.setText(progress.cancelled() ? QStringLiteral("Wird abgebrochen …") : text);
    if (done) {
      loop.quit();
    }
  });
  std::thread worker([&] {
    work(progress);
    done = true;
  });
  poll.start(kPollMs);
  loop.exec();
  worker.join();
  QObject::disconnect(connection);
  cancel.hide();
  status.setText(idleStatus);
  status.setVisible(statusShown);
  for (QWidget* widget : enabled) {
    widget->setEnabled(true);
  }
}

}  // namespace kvotlk
