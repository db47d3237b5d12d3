#include <windows.h>

#include <algorithm>

#include "common/FileSystem.h"

namespace kvotlk {
namespace {

// Largest piece handed to one WriteFile or ReadFile call.
constexpr std::size_t kChunk = 1U << 20U;

class Win32File final : public WritableFile {
 public:
  explicit Win32File(HANDLE handle) : handle_(handle) {}
  Win32File(const Win32File&) = delete;
  Win32File& operator=(const Win32File&) = delete;
  ~Win32File() override {
    if (handle_ != INVALID_HANDLE_VALUE) {
      CloseHandle(handle_);
    }
  }

  bool write(std::string_view bytes) override {
    while (!bytes.empty() && handle_ != INVALID_HANDLE_VALUE) {
      const auto piece = static_cast<DWORD>(std::min(bytes.size(), kChunk));
      DWORD written = 0;
      if (!WriteFile(handle_, bytes.data(), piece, &written, nullptr) || written == 0) {
        return false;
      }
      bytes.remove_prefix(written);
    }
    return handle_ != INVALID_HANDLE_VALUE;
  }

  // The data reach the disk before close reports success.
  bool close() override {
    if (handle_ == INVALID_HANDLE_VALUE) {
      return false;
    }
    const bool flushed = FlushFileBuffers(handle_) != 0;
    const bool closed = CloseHandle(handle_) != 0;
    handle_ = INVALID_HANDLE_VALUE;
    return flushed && closed;
  }

 private:
  HANDLE handle_;
};

// Closes a handle opened for reading when it goes out of scope.
class ReadHandle {
 public:
  explicit ReadHandle(const Path& path)
      : handle_(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr)) {}
  ReadHandle(const ReadHandle&) = delete;
  ReadHandle& operator=(const ReadHandle&) = delete;
  ~ReadHandle() {
    if (handle_ != INVALID_HANDLE_VALUE) {
      CloseHandle(handle_);
    }
  }
  HANDLE get() const { return handle_; }

 private:
  HANDLE handle_;
};

std::optional<std::string> readAll(HANDLE handle) {
  std::string content;
  std::string piece(kChunk, '\0');
  for (;;) {
    DWORD read = 0;
    if (!ReadFile(handle, piece.data(), static_cast<DWORD>(piece.size()), &read, nullptr)) {
      return std::nullopt;
    }
    if (read == 0) {
      return content;
    }
    content.append(piece, 0, read);
  }
}

DWORD attributesOf(const Path& path) { return GetFileAttributesW(path.c_str()); }

class Win32FileSystem final : public FileSystem {
 public:
  bool fileExists(const Path& path) override {
    const DWORD attributes = attributesOf(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
  }

  bool folderExists(const Path& path) override {
    const DWORD attributes = attributesOf(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
  }

  bool createFolder(const Path& path) override {
    return CreateDirectoryW(path.c_str(), nullptr) != 0;
  }

  bool removeFile(const Path& path) override {
    return fileExists(path) && DeleteFileW(path.c_str()) != 0;
  }

  std::unique_ptr<WritableFile> createFile(const Path& path) override {
    return open(path, CREATE_ALWAYS);
  }

  // CREATE_NEW fails when a file of the name exists.
  std::unique_ptr<WritableFile> createNewFile(const Path& path) override {
    return open(path, CREATE_NEW);
  }

  std::optional<std::string> readFile(const Path& path) override {
    if (!fileExists(path)) {
      return std::nullopt;
    }
    const ReadHandle file(path);
    if (file.get() == INVALID_HANDLE_VALUE) {
      return std::nullopt;
    }
    return readAll(file.get());
  }

  // Without MOVEFILE_REPLACE_EXISTING the move fails when the target name is taken, and
  // without MOVEFILE_COPY_ALLOWED it never turns into a copy to another volume.
  bool renameNoReplace(const Path& from, const Path& to) override {
    return fileExists(from) && MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_WRITE_THROUGH) != 0;
  }

  bool renameReplacing(const Path& from, const Path& to) override {
    return fileExists(from) && !folderExists(to) &&
           MoveFileExW(from.c_str(), to.c_str(),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
  }

  std::uint32_t processId() override { return GetCurrentProcessId(); }

 private:
  static std::unique_ptr<WritableFile> open(const Path& path, DWORD disposition) {
    const HANDLE handle = CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                      disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
      return nullptr;
    }
    return std::make_unique<Win32File>(handle);
  }
};

}  // namespace

std::unique_ptr<FileSystem> makeFileSystem() { return std::make_unique<Win32FileSystem>(); }

}  // namespace kvotlk
