#include "common/FileSystem.h"

namespace kvotlk {

namespace {

thread_local FileFault lastFault = FileFault::None;

bool writeAndClose(std::unique_ptr<WritableFile> file, std::string_view bytes) {
  if (!file) {
    return false;
  }
  const bool written = file->write(bytes);
  const bool closed = file->close();
  return written && closed;
}

}  // namespace

FileFault LastFileFault() { return lastFault; }

void NoteFileFault(FileFault fault) { lastFault = fault; }

bool writeWholeFile(FileSystem& files, const Path& path, std::string_view bytes) {
  return writeAndClose(files.createFile(path), bytes);
}

bool writeNewFile(FileSystem& files, const Path& path, std::string_view bytes) {
  auto file = files.createNewFile(path);
  if (!file) {
    return false;
  }
  if (!writeAndClose(std::move(file), bytes)) {
    files.removeFile(path);
    return false;
  }
  return true;
}

}  // namespace kvotlk
