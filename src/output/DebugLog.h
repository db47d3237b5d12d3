#pragma once

#include <memory>
#include <string_view>

#include "common/FileSystem.h"

// The debug log of a send, "TLDebug.txt" in the staging folder: one line per step, in
// Windows-1252 with CR LF. The log only traces the send: a line that cannot be written
// does not stop it, and after the first failed write no further line is attempted, so
// the file never holds lines after a gap.
namespace kvotlk {

inline constexpr std::string_view kDebugLogName = "TLDebug.txt";

class DebugLog {
 public:
  explicit DebugLog(std::unique_ptr<WritableFile> file);
  DebugLog(const DebugLog&) = delete;
  DebugLog& operator=(const DebugLog&) = delete;
  ~DebugLog();

  void line(std::string_view utf8);
  void close();

 private:
  std::unique_ptr<WritableFile> file_;
  bool failed_ = false;
};

}  // namespace kvotlk
