#pragma once

#include <string>

namespace kvotlk {

// What a long file job (a send, the delivery of waiting files) tells the window while it
// runs off the window's thread, and how the operator stops waiting for it.
class WorkProgress {
 public:
  virtual ~WorkProgress() = default;
  // What happens now, for the operator: "Übertrage Solvik.txt nach … Versuch 2 von 4".
  virtual void report(const std::string& text) = 0;
  // True once the operator has chosen to stop waiting. The job stops at its next step; a
  // file call already under way finishes first.
  virtual bool cancelled() = 0;
};

// For a job nobody watches: nothing shown, never cancelled.
class NoProgress final : public WorkProgress {
 public:
  void report(const std::string& /*text*/) override {}
  bool cancelled() override { return false; }
};

}  // namespace kvotlk
