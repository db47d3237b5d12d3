#pragma once

#include <functional>
#include <memory>
#include <string>

class QObject;

namespace kvotlk::sim {

// Reads standard input line by line on a thread of its own and hands every line to the
// callback on the receiver's thread. The thread stays blocked in its read until input
// ends; after the reader is destroyed no line reaches the callback any more.
class StdinReader {
 public:
  StdinReader(QObject& receiver, std::function<void(const std::string&)> onLine);
  ~StdinReader();
  StdinReader(const StdinReader&) = delete;
  StdinReader& operator=(const StdinReader&) = delete;
  StdinReader(StdinReader&&) = delete;
  StdinReader& operator=(StdinReader&&) = delete;

 private:
  struct Shared;
  std::shared_ptr<Shared> shared_;
};

}  // namespace kvotlk::sim
