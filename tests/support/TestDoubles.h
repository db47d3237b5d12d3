#pragma once

#include <chrono>
#include <deque>
#include <string>
#include <vector>

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
  void showStop(const std::string& text) override;
  void showPlain(const std::string& text) override;
  bool askYesNo(const std::string& text) override;

  std::deque<bool> answers;
  bool defaultAnswer = false;
  std::vector<ShownPrompt> shown;
};

// A clock that stands still unless a test moves it; waits are recorded, not waited.
class FixedClock final : public Clock {
 public:
  LocalDateTime now() override;
  void sleepFor(std::chrono::milliseconds duration) override;

  LocalDateTime current{2026, 12, 5, 9, 30, 5};
  int nowCalls = 0;
  std::vector<std::chrono::milliseconds> sleeps;
};

// Answers a scripted sequence of draws, then repeats the last; 0 when empty.
class SequenceRandom final : public RandomSource {
 public:
  std::uint32_t below(std::uint32_t bound) override;

  std::deque<std::uint32_t> draws;
  std::uint32_t last = 0;
  int calls = 0;
};

}  // namespace kvotlk::test
