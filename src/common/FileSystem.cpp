#include "common/FileSystem.h"

namespace kvotlk {

bool writeWholeFile(FileSystem& files, const Path& path, std::string_view bytes) {
  auto file = files.createFile(path);
  if (!file) {
    return false;
  }
  const bool written = file->write(bytes);
  const bool closed = file->close();
  return written && closed;
}

}  // namespace kvotlk
