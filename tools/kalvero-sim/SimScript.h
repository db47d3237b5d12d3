#pragma once

#include <deque>
#include <functional>
#include <string>

// The commands of kalvero-sim's standard input and command line, one per line, executed in
// order: a command waits until the one before it is done. Each done command prints
// "FERTIG " and its line; a refused one prints "FEHLER " and its line, ": " and why.
// "beenden" quits with status 1 when a command was refused before, else 0.
namespace kvotlk::sim {

class SimServer;

class SimScript {
 public:
  SimScript(SimServer& server, std::function<void(const std::string&)> print,
            std::function<void(int)> quit);

  void add(const std::string& line);
  // Carries on with the queued lines; to be called whenever the server changes.
  void advance();

 private:
  enum class Wait { None, Runs, Subscriber };

  void perform(const std::string& line);
  void refuse(const std::string& line, const std::string& why);

  SimServer& server_;
  std::function<void(const std::string&)> print_;
  std::function<void(int)> quit_;
  int refused_ = 0;
  std::deque<std::string> queue_;
  std::string current_;
  Wait wait_ = Wait::None;
  bool advancing_ = false;
};

}  // namespace kvotlk::sim
