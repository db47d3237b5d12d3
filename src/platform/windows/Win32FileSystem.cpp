#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <vector>

#include "common/FileSystem.h"

namespace kvotlk {
namespace {

// Largest piece handed to one WriteFile or ReadFile call.
constexpr std::size_t kChunk = 1U << 20U;

FileFault faultOf(DWORD error) {
  switch (error) {
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
    case ERROR_USER_MAPPED_FILE:
      return FileFault::Held;
    case ERROR_ACCESS_DENIED:
    case ERROR_WRITE_PROTECT:
    case ERROR_NETWORK_ACCESS_DENIED:
      return FileFault::AccessDenied;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
      return FileFault::DiskFull;
    case ERROR_BAD_NETPATH:
    case ERROR_BAD_NET_NAME:
    case ERROR_NETNAME_DELETED:
    case ERROR_NETWORK_UNREACHABLE:
    case ERROR_HOST_UNREACHABLE:
    case ERROR_UNEXP_NET_ERR:
    case ERROR_SEM_TIMEOUT:
    case ERROR_NOT_READY:
    case ERROR_DEV_NOT_EXIST:
    case ERROR_BAD_NET_RESP:
      return FileFault::Unreachable;
    default:
      return FileFault::Other;
  }
}

// Notes the cause of the failed call from GetLastError(); always false.
bool failed() {
  NoteFileFault(faultOf(GetLastError()));
  return false;
}

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
        return failed();
      }
      bytes.remove_prefix(written);
    }
    return handle_ != INVALID_HANDLE_VALUE;
  }

  bool flush() override {
    return handle_ != INVALID_HANDLE_VALUE && (FlushFileBuffers(handle_) != 0 || failed());
  }

  // The data reach the disk before close reports success.
  bool close() override {
    if (handle_ == INVALID_HANDLE_VALUE) {
      return false;
    }
    const bool flushed = FlushFileBuffers(handle_) != 0 || failed();
    const bool closed = CloseHandle(handle_) != 0 || failed();
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
      failed();
      return std::nullopt;
    }
    if (read == 0) {
      return content;
    }
    content.append(piece, 0, read);
  }
}

// The attributes; INVALID_FILE_ATTRIBUTES when there is nothing, or when the path cannot be
// reached (noted as the cause).
DWORD attributesOf(const Path& path) {
  const DWORD attributes = GetFileAttributesW(path.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) {
    const DWORD error = GetLastError();
    if (error != ERROR_FILE_NOT_FOUND && error != ERROR_PATH_NOT_FOUND) {
      NoteFileFault(faultOf(error));
    }
  }
  return attributes;
}

std::int64_t ticksOf(const FILETIME& time) {
  return static_cast<std::int64_t>((static_cast<std::uint64_t>(time.dwHighDateTime) << 32U) |
                                   time.dwLowDateTime);
}

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
    return CreateDirectoryW(path.c_str(), nullptr) != 0 || failed();
  }

  bool removeFile(const Path& path) override {
    return exists(path) && (DeleteFileW(path.c_str()) != 0 || failed());
  }

  std::unique_ptr<WritableFile> createFile(const Path& path) override {
    return open(path, CREATE_ALWAYS);
  }

  // CREATE_NEW fails when a file of the name exists.
  std::unique_ptr<WritableFile> createNewFile(const Path& path) override {
    return open(path, CREATE_NEW);
  }

  std::unique_ptr<WritableFile> openForAppend(const Path& path) override {
    const HANDLE handle = CreateFileW(path.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ, nullptr,
                                      OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
      failed();
      return nullptr;
    }
    return std::make_unique<Win32File>(handle);
  }

  std::optional<std::string> readFile(const Path& path) override {
    if (!exists(path)) {
      return std::nullopt;
    }
    const ReadHandle file(path);
    if (file.get() == INVALID_HANDLE_VALUE) {
      failed();
      return std::nullopt;
    }
    return readAll(file.get());
  }

  // Without MOVEFILE_REPLACE_EXISTING the move fails when the target name is taken, and
  // without MOVEFILE_COPY_ALLOWED it never turns into a copy to another volume.
  bool renameNoReplace(const Path& from, const Path& to) override {
    return exists(from) &&
           (MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_WRITE_THROUGH) != 0 || failed());
  }

  bool renameReplacing(const Path& from, const Path& to) override {
    return exists(from) && !folderExists(to) &&
           (MoveFileExW(from.c_str(), to.c_str(),
                        MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0 ||
            failed());
  }

  std::vector<FolderEntry> listFiles(const Path& folder) override {
    std::vector<FolderEntry> entries;
    WIN32_FIND_DATAW found{};
    const HANDLE search = FindFirstFileW((folder / L"*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) {
      failed();
      return entries;
    }
    do {
      if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0) {
        const auto u8 = Path(found.cFileName).u8string();
        entries.push_back({std::string(u8.begin(), u8.end()), ticksOf(found.ftLastWriteTime)});
      }
    } while (FindNextFileW(search, &found) != 0);
    FindClose(search);
    return entries;
  }

  std::uint32_t processId() override { return GetCurrentProcessId(); }

 private:
  // Whether the file is there; a file that is not is the cause of the call's failure.
  // An unreachable path notes its own cause while it is looked at.
  bool exists(const Path& path) {
    NoteFileFault(FileFault::Other);
    return fileExists(path);
  }

  static std::unique_ptr<WritableFile> open(const Path& path, DWORD disposition) {
    const HANDLE handle = CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                      disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
      failed();
      return nullptr;
    }
    return std::make_unique<Win32File>(handle);
  }
};

}  // namespace

std::unique_ptr<FileSystem> makeFileSystem() { return std::make_unique<Win32FileSystem>(); }

}  // namespace kvotlk
