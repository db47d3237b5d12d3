#pragma once

#include <mutex>
#include <string>
#include <utility>
#include <vector>

#include "common/Prompts.h"

namespace kvotlk {

// The prompts of work that runs off the window's thread: its messages are kept, in order,
// and shown on the window's thread once the work is done, so every message box belongs to
// the window's thread. File work asks no questions; one asked here is answered No.
class DeferredPrompts final : public Prompts {
 public:
  void showStop(const std::string& text) override { keep(text, true); }
  void showPlain(const std::string& text) override { keep(text, false); }
  bool askYesNo(const std::string& /*text*/) override { return false; }
  bool askYesNoDefaultNo(const std::string& /*text*/) override { return false; }

  // Shows the kept messages through the window's prompts, in the order they came.
  void showOn(Prompts& prompts) {
    std::vector<std::pair<std::string, bool>> messages;
    {
      const std::lock_guard lock(mutex_);
      messages.swap(messages_);
    }
    for (const auto& [text, stop] : messages) {
      stop ? prompts.showStop(text) : prompts.showPlain(text);
    }
  }

 private:
  void keep(const std::string& text, bool stop) {
    const std::lock_guard lock(mutex_);
    messages_.emplace_back(text, stop);
  }

  std::mutex mutex_;
  std::vector<std::pair<std::string, bool>> messages_;
};

}  // namespace kvotlk
