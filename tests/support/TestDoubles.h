#pragma once

#include <chrono>
#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "capture/CaptureOrder.h"
#include "common/Clock.h"
#include "common/Prompts.h"

namespace kvotlk::test {

enum class PromptKind { Stop, Plain, Question };

struct ShownPrompt {
  PromptKind kind;
  std::string text;
  bool answer = false;  // for questions: the answer given

  bool operator==(const ShownPrompt&) const = default;
};

// Records every message; answers questions from a script (then No).
class ScriptedPrompts final : public Prompts {
 public:
  void showStop(const std::string& text) override { shown.push_back({PromptKind::Stop, text}); }
  void showPlain(const std::string& text) override { shown.push_back({PromptKind::Plain, text}); }
  bool askYesNo(const std::string& text) override {
    const bool answer = !answers.empty() && answers.front();
    if (!answers.empty()) {
      answers.pop_front();
    }
    shown.push_back({PromptKind::Question, text, answer});
    return answer;
  }
  // Without a scripted answer No, which is this question's default too.
  bool askYesNoDefaultNo(const std::string& text) override { return askYesNo(text); }

  std::deque<bool> answers;
  std::vector<ShownPrompt> shown;
};

// The order of a capture under test: the nest check box as set, what the capture tells the
// order window noted in calls, and a send that runs the given function (none: nothing is
// written).
struct TestCaptureOrder final : CaptureOrder {
  int nestState() override { return chkNest; }
  void sampleSizeRaised(const std::string& size) override {
    calls.push_back("setOrderProbenumfang(" + size + ")");
  }
  void captureClosing() override { calls.emplace_back("showOrderWindow"); }
  bool sendResultFile() override { return send && send(); }

  int chkNest = kUnchecked;
  std::function<bool()> send;
  std::vector<std::string> calls;
};

// A clock that stands still unless a test moves it; waits are not waited.
class FixedClock final : public Clock {
 public:
  LocalDateTime now() override { return current; }
  void sleepFor(std::chrono::milliseconds /*duration*/) override {}

  LocalDateTime current{2026, 12, 5, 9, 30, 5};
};

// Draws 0 every time.
class SequenceRandom final : public RandomSource {
 public:
  std::uint32_t below(std::uint32_t /*bound*/) override { return 0; }
};

}  // namespace kvotlk::test
