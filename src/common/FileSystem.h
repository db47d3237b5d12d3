#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The file-system port: every file operation of the program goes through it, so tests can
// make any single call fail. No operation throws; each answers with its result.
namespace kvotlk {

using Path = std::filesystem::path;

// Why a file call failed, as far as the platform tells.
enum class FileFault {
  None,          // no call of this thread has failed yet
  Held,          // another program holds the file (a sharing or lock violation)
  AccessDenied,  // the account may not do it
  Unreachable,   // the drive or network share cannot be reached
  DiskFull,      // no space left on the drive
  Other,         // anything else, a name that is taken included
};

// The cause of the last failed file call of this thread. The implementations note it on
// every failure; read it right after a call that failed.
FileFault LastFileFault();
void NoteFileFault(FileFault fault);

// A file in a folder: its name and when it was last written, in the platform's ticks
// (only their order counts).
struct FolderEntry {
  std::string name;
  std::int64_t written = 0;
};

// A file open for writing. Nothing is guaranteed on disk before close() returned true.
class WritableFile {
 public:
  virtual ~WritableFile() = default;
  virtual bool write(std::string_view bytes) = 0;
  // Makes what was written durable on the storage device; the file stays open.
  virtual bool flush() = 0;
  // Flushes to the storage device and closes; false when any of that failed.
  virtual bool close() = 0;
};

class FileSystem {
 public:
  virtual ~FileSystem() = default;

  virtual bool fileExists(const Path& path) = 0;
  virtual bool folderExists(const Path& path) = 0;
  // Creates one folder; its parent must exist.
  virtual bool createFolder(const Path& path) = 0;
  virtual bool removeFile(const Path& path) = 0;
  // Creates the file, or empties an existing one; nullptr when it cannot be opened.
  virtual std::unique_ptr<WritableFile> createFile(const Path& path) = 0;
  // Creates a new file and never opens an existing one; nullptr when the name is taken or
  // the file cannot be created. For temporary files other writers may see.
  virtual std::unique_ptr<WritableFile> createNewFile(const Path& path) = 0;
  // Opens an existing file to write at its end; nullptr when it is not there or cannot be
  // opened.
  virtual std::unique_ptr<WritableFile> openForAppend(const Path& path) = 0;
  // The whole content; nullopt when the file cannot be read.
  virtual std::optional<std::string> readFile(const Path& path) = 0;
  // Renames a file within one folder; fails, leaving both as they are, when the target
  // name is taken.
  virtual bool renameNoReplace(const Path& from, const Path& to) = 0;
  // Renames a file within one folder, replacing a file of the target name in one step:
  // afterwards the target holds either its old or its new content, never neither.
  virtual bool renameReplacing(const Path& from, const Path& to) = 0;
  // The files (not folders) directly in a folder, names as UTF-8; empty when it cannot be
  // listed.
  virtual std::vector<FolderEntry> listFiles(const Path& folder) = 0;
  // The id of this process: no other process of the machine has it at the same time.
  virtual std::uint32_t processId() = 0;
};

// The machine's file system; defined by the platform layer.
std::unique_ptr<FileSystem> makeFileSystem();

// Writes the whole content through the port: create, write, close.
bool writeWholeFile(FileSystem& files, const Path& path, std::string_view bytes);
// The same into a new file (createNewFile); false also when the name is taken. A file it
// created but could not complete it removes again; a file of the name it never touches.
bool writeNewFile(FileSystem& files, const Path& path, std::string_view bytes);

}  // namespace kvotlk
