#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <system_error>
#include <vector>

#include "common/FileSystem.h"

namespace kvotlk {
namespace {

FileFault faultOf(int error) {
  switch (error) {
    case EBUSY:
    case ETXTBSY:
      return FileFault::Held;
    case EACCES:
    case EPERM:
    case EROFS:
      return FileFault::AccessDenied;
    case ENOSPC:
    case EDQUOT:
      return FileFault::DiskFull;
    case ENETDOWN:
    case ENETUNREACH:
    case EHOSTDOWN:
    case EHOSTUNREACH:
    case ETIMEDOUT:
    case ESTALE:
    case ENOTCONN:
    case ENODEV:
      return FileFault::Unreachable;
    default:
      return FileFault::Other;
  }
}

// Notes the cause of the failed call from errno; always false.
bool failed(int error = errno) {
  NoteFileFault(faultOf(error));
  return false;
}

class PosixFile final : public WritableFile {
 public:
  explicit PosixFile(int fd) : fd_(fd) {}
  PosixFile(const PosixFile&) = delete;
  PosixFile& operator=(const PosixFile&) = delete;
  ~PosixFile() override {
    if (fd_ >= 0) {
      ::close(fd_);
    }
  }

  bool write(std::string_view bytes) override {
    while (!bytes.empty() && fd_ >= 0) {
      const ssize_t written = ::write(fd_, bytes.data(), bytes.size());
      if (written < 0) {
        if (errno == EINTR) {
          continue;
        }
        return failed();
      }
      bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return fd_ >= 0;
  }

  bool flush() override { return fd_ >= 0 && (::fsync(fd_) == 0 || failed()); }

  bool close() override {
    if (fd_ < 0) {
      return false;
    }
    const bool synced = ::fsync(fd_) == 0 || failed();
    const bool closed = ::close(fd_) == 0 || failed();
    fd_ = -1;
    return synced && closed;
  }

 private:
  int fd_;
};

class PosixFileSystem final : public FileSystem {
 public:
  bool fileExists(const Path& path) override {
    std::error_code error;
    const auto status = std::filesystem::status(path, error);
    noteUnlessMissing(error);
    return !error && std::filesystem::exists(status) && !std::filesystem::is_directory(status);
  }

  bool folderExists(const Path& path) override {
    std::error_code error;
    const bool folder = std::filesystem::is_directory(path, error);
    noteUnlessMissing(error);
    return folder && !error;
  }

  bool createFolder(const Path& path) override {
    std::error_code error;
    return (std::filesystem::create_directory(path, error) && !error) ||
           failed(error ? error.value() : EEXIST);
  }

  bool removeFile(const Path& path) override {
    if (!exists(path)) {
      return false;
    }
    std::error_code error;
    return (std::filesystem::remove(path, error) && !error) || failed(error.value());
  }

  std::unique_ptr<WritableFile> createFile(const Path& path) override {
    return open(path, O_TRUNC);
  }

  std::unique_ptr<WritableFile> createNewFile(const Path& path) override {
    return open(path, O_EXCL);
  }

  std::unique_ptr<WritableFile> openForAppend(const Path& path) override {
    const int fd = ::open(path.c_str(), O_WRONLY | O_APPEND | O_CLOEXEC);
    if (fd < 0) {
      failed();
      return nullptr;
    }
    return std::make_unique<PosixFile>(fd);
  }

  std::optional<std::string> readFile(const Path& path) override {
    if (!exists(path)) {
      return std::nullopt;
    }
    std::ifstream in(path, std::ios::binary);
    if (!in) {
      failed();
      return std::nullopt;
    }
    std::string content((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad()) {
      failed();
      return std::nullopt;
    }
    return content;
  }

  // Renames without ever replacing a file, and makes the new name durable before
  // answering, so a delivered file survives a power cut once the send has said so.
  bool renameNoReplace(const Path& from, const Path& to) override {
    if (!renameWithoutReplacing(from, to)) {
      return false;
    }
    syncFolderOf(to);
    return true;
  }

  bool renameReplacing(const Path& from, const Path& to) override {
    if (!exists(from) || folderExists(to)) {
      return false;
    }
    if (::rename(from.c_str(), to.c_str()) != 0) {
      return failed();
    }
    syncFolderOf(to);
    return true;
  }

  std::vector<FolderEntry> listFiles(const Path& folder) override {
    std::vector<FolderEntry> entries;
    std::error_code error;
    for (std::filesystem::directory_iterator it(folder, error), end; !error && it != end;
         it.increment(error)) {
      if (it->is_regular_file(error)) {
        const auto u8 = it->path().filename().u8string();
        const auto written = it->last_write_time(error).time_since_epoch().count();
        entries.push_back({std::string(u8.begin(), u8.end()), static_cast<std::int64_t>(written)});
      }
    }
    if (error) {
      failed(error.value());
    }
    return entries;
  }

  std::uint32_t processId() override { return static_cast<std::uint32_t>(::getpid()); }

 private:
  static std::unique_ptr<WritableFile> open(const Path& path, int mode) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC | mode, 0644);
    if (fd < 0) {
      failed();
      return nullptr;
    }
    return std::make_unique<PosixFile>(fd);
  }

  static bool renameWithoutReplacing(const Path& from, const Path& to) {
    if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) {
      return true;
    }
    if (errno != EINVAL && errno != ENOSYS && errno != ENOTSUP) {
      return failed();  // the name is taken, or the file system refused
    }
    // The file system cannot rename without replacing. A hard link cannot replace an
    // existing name either, so link and unlink together do the same.
    if (::link(from.c_str(), to.c_str()) == 0) {
      if (::unlink(from.c_str()) != 0) {
        const int error = errno;
        ::unlink(to.c_str());
        return failed(error);
      }
      return true;
    }
    return failed();
  }

  // Whether the file is there; a file that is not is the cause of the call's failure, and an
  // unreachable path notes its own cause while it is looked at.
  bool exists(const Path& path) {
    NoteFileFault(FileFault::Other);
    return fileExists(path);
  }

  // A path that is not there is an answer; any other error is noted as the cause.
  static void noteUnlessMissing(const std::error_code& error) {
    if (error && error.value() != ENOENT && error.value() != ENOTDIR) {
      failed(error.value());
    }
  }

  static void syncFolderOf(const Path& path) {
    const Path folder = path.has_parent_path() ? path.parent_path() : Path(".");
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
      ::fsync(fd);
      ::close(fd);
    }
  }
};

}  // namespace

std::unique_ptr<FileSystem> makeFileSystem() { return std::make_unique<PosixFileSystem>(); }

}  // namespace kvotlk
