#include "kalvero-sim/StdinReader.h"

#include <QMetaObject>
#include <QObject>
#include <iostream>
#include <mutex>
#include <thread>
#include <utility>

namespace kvotlk::sim {

// What the reading thread and the reader share; the receiver is cleared when the reader
// goes, under the lock, so the thread never posts to a receiver that is gone.
struct StdinReader::Shared {
  std::mutex mutex;
  QObject* receiver = nullptr;
  std::function<void(const std::string&)> onLine;
};

StdinReader::StdinReader(QObject& receiver, std::function<void(const std::string&)> onLine)
    : shared_(std::make_shared<Shared>()) {
  shared_->receiver = &receiver;
  shared_->onLine = std::move(onLine);
  std::thread([shared = shared_] {
    std::string line;
    while (std::getline(std::cin, line)) {
      const std::lock_guard lock(shared->mutex);
      if (shared->receiver == nullptr) {
        return;
      }
      QMetaObject::invokeMethod(
          shared->receiver,
          [shared, line] {
            if (shared->receiver != nullptr) {
              shared->onLine(line);
            }
          },
          Qt::QueuedConnection);
    }
  }).detach();
}

StdinReader::~StdinReader() {
  const std::lock_guard lock(shared_->mutex);
  shared_->receiver = nullptr;
}

}  // namespace kvotlk::sim
