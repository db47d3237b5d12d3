#include "kvotlk-replay/ReplayPorts.h"

#include <algorithm>
#include <thread>

#include "capture/CaptureMessages.h"

namespace kvotlk::replay {

void FixedTimeClock::sleepFor(std::chrono::milliseconds duration) {
  std::this_thread::sleep_for(duration);
}

std::uint32_t SeededRandom::below(std::uint32_t bound) {
  const auto drawn = static_cast<std::uint32_t>(random_.uniform01() * bound);
  return std::min(drawn, bound - 1);
}

std::string promptLine(std::string_view kind, std::string_view text) {
  std::string line(kind);
  line += ": ";
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' || text[i] == '\n') {
      line += " | ";
      if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
        ++i;
      }
    } else {
      line += text[i];
    }
  }
  return line;
}

ConsolePrompts::ConsolePrompts(std::ostream& err, bool increaseAnswer, bool measureMoreAnswer)
    : err_(err), increaseAnswer_(increaseAnswer), measureMoreAnswer_(measureMoreAnswer) {}

void ConsolePrompts::showStop(const std::string& text) {
  stops_.push_back(text);
  print(promptLine("STOPP", text));
}

void ConsolePrompts::showPlain(const std::string& text) { print(promptLine("MELDUNG", text)); }

bool ConsolePrompts::askYesNo(const std::string& text) {
  bool answer = false;
  if (text == IncreaseQuestion()) {
    answer = increaseAnswer_;
  } else if (text == SendQuestion()) {
    answer = measureMoreAnswer_;
  }
  print(promptLine("FRAGE", text) + (answer ? " -> Ja" : " -> Nein"));
  return answer;
}

void ConsolePrompts::print(const std::string& line) { err_ << line << '\n' << std::flush; }

}  // namespace kvotlk::replay
