#include "output/DebugLog.h"

#include <string>

#include "common/Text.h"

namespace kvotlk {

DebugLog::DebugLog(std::unique_ptr<WritableFile> file) : file_(std::move(file)) {}

DebugLog::~DebugLog() { close(); }

void DebugLog::line(std::string_view utf8) {
  if (!file_ || failed_) {
    return;
  }
  std::string bytes = toCp1252(utf8);
  bytes += "\r\n";
  failed_ = !file_->write(bytes);
}

void DebugLog::close() {
  if (file_) {
    file_->close();
    file_.reset();
  }
}

}  // namespace kvotlk
