#include "support/TestDoubles.h"

namespace kvotlk::test {

void ScriptedPrompts::showStop(const std::string& text) {
  shown.push_back({PromptKind::Stop, text});
}

void ScriptedPrompts::showPlain(const std::string& text) {
  shown.push_back({PromptKind::Plain, text});
}

bool ScriptedPrompts::askYesNo(const std::string& text) {
  bool answer = defaultAnswer;
  if (!answers.empty()) {
    answer = answers.front();
    answers.pop_front();
  }
  shown.push_back({PromptKind::Question, text, answer});
  return answer;
}

LocalDateTime FixedClock::now() {
  ++nowCalls;
  return current;
}

void FixedClock::sleepFor(std::chrono::milliseconds duration) { sleeps.push_back(duration); }

std::uint32_t SequenceRandom::below(std::uint32_t bound) {
  ++calls;
  if (!draws.empty()) {
    last = draws.front();
    draws.pop_front();
  }
  return bound == 0 ? 0 : last % bound;
}

}  // namespace kvotlk::test
