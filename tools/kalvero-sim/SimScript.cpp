#include "kalvero-sim/SimScript.h"

#include <utility>

#include "common/Text.h"
#include "kalvero-sim/SimServer.h"
#include "program/ProgramLine.h"

namespace kvotlk::sim {
namespace {

constexpr std::int64_t kMaxRuns = 100000;
constexpr std::int64_t kMaxPauseMs = 60000;

// The command word in lower case and the rest of the line, both without outer blanks.
std::pair<std::string, std::string> splitCommand(const std::string& line) {
  const std::string text = trimBlanks(line);
  const std::size_t blank = text.find(' ');
  if (blank == std::string::npos) {
    return {lowerCase(text), {}};
  }
  std::string rest = trimBlanks(text.substr(blank + 1));
  if (rest.size() >= 2 && rest.front() == '"' && rest.back() == '"') {
    rest = rest.substr(1, rest.size() - 2);
  }
  return {lowerCase(text.substr(0, blank)), rest};
}

}  // namespace

SimScript::SimScript(SimServer& server, std::function<void(const std::string&)> print,
                     std::function<void(int)> quit)
    : server_(server), print_(std::move(print)), quit_(std::move(quit)) {}

void SimScript::add(const std::string& line) {
  const std::string text = trimBlanks(line);
  if (text.empty() || text.front() == '#') {
    return;
  }
  queue_.push_back(text);
  advance();
}

void SimScript::advance() {
  if (advancing_) {
    return;
  }
  advancing_ = true;
  while (true) {
    if ((wait_ == Wait::Runs && server_.running()) ||
        (wait_ == Wait::Subscriber && server_.subscribers() == 0)) {
      break;
    }
    if (wait_ != Wait::None) {
      wait_ = Wait::None;
      print_("FERTIG " + current_);
    }
    if (queue_.empty()) {
      break;
    }
    current_ = std::move(queue_.front());
    queue_.pop_front();
    perform(current_);
  }
  advancing_ = false;
}

void SimScript::perform(const std::string& line) {
  const auto [command, rest] = splitCommand(line);
  if (command == "ausfuehren" || command == "ausführen") {
    const auto runs = rest.empty() ? 1 : program::parseWhole(rest, 1, kMaxRuns);
    if (!runs) {
      refuse(line, "Die Anzahl der Läufe muss eine ganze Zahl von 1 bis 100000 sein.");
    } else if (!server_.execute(static_cast<int>(*runs))) {
      refuse(line, "Kein Messprogramm geöffnet.");
    } else {
      wait_ = Wait::Runs;
    }
  } else if (command == "oeffnen" || command == "öffnen") {
    if (server_.openProgramFile(std::filesystem::path(std::u8string(rest.begin(), rest.end())))) {
      print_("FERTIG " + line);
    } else {
      refuse(line, server_.loadError());
    }
  } else if (command == "schliessen" || command == "schließen") {
    server_.closeProgram();
    print_("FERTIG " + line);
  } else if (command == "startwert") {
    const auto seed = program::parseSeed(rest);
    if (!seed) {
      refuse(line, "Der Startwert muss eine ganze Zahl von 0 bis 18446744073709551615 sein.");
    } else {
      server_.setSeed(seed);
      print_("FERTIG " + line);
    }
  } else if (command == "takt") {
    const auto pause = program::parseWhole(rest, 0, kMaxPauseMs);
    if (!pause) {
      refuse(line, "Der Takt muss eine ganze Zahl von 0 bis 60000 (Millisekunden) sein.");
    } else {
      server_.setPause(static_cast<int>(*pause));
      print_("FERTIG " + line);
    }
  } else if (command == "warten") {
    wait_ = Wait::Subscriber;
  } else if (command == "beenden") {
    print_("FERTIG " + line);
    quit_(refused_ > 0 ? 1 : 0);
  } else {
    refuse(line,
           "Unbekannter Befehl. Bekannt sind oeffnen, schliessen, ausfuehren, startwert, takt, "
           "warten und beenden.");
  }
}

void SimScript::refuse(const std::string& line, const std::string& why) {
  ++refused_;
  print_("FEHLER " + line + ": " + why);
}

}  // namespace kvotlk::sim
