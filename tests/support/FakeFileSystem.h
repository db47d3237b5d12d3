#pragma once

#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "common/FileSystem.h"

namespace kvotlk::test {

enum class FsOp {
  FileExists,
  FolderExists,
  CreateFolder,
  RemoveFile,
  CreateFile,
  Write,
  Close,
  ReadFile,
  Rename
};

struct FsCall {
  FsOp op = FsOp::FileExists;
  std::string path;  // the path the call is about (the target of a rename)
};

// A file system in memory that can make the calls a predicate picks fail. A failed
// call answers as the real one would on an error: false, nullptr or nullopt; a failed
// write stores half of its bytes first, as a full disk would.
class FakeFileSystem final : public FileSystem {
 public:
  bool fileExists(const Path& path) override;
  bool folderExists(const Path& path) override;
  bool createFolder(const Path& path) override;
  bool removeFile(const Path& path) override;
  std::unique_ptr<WritableFile> createFile(const Path& path) override;
  // Counted as CreateFile.
  std::unique_ptr<WritableFile> createNewFile(const Path& path) override;
  std::optional<std::string> readFile(const Path& path) override;
  bool renameNoReplace(const Path& from, const Path& to) override;
  bool renameReplacing(const Path& from, const Path& to) override;
  std::uint32_t processId() override { return kProcessId; }

  static constexpr std::uint32_t kProcessId = 0x1267;

  // Set-up and inspection; these are not counted as calls.
  void addFolder(const std::string& path);                     // with all its parents
  void addFile(const std::string& path, std::string content);  // parents created
  bool hasFile(const std::string& path) const;
  std::string content(const std::string& path) const;                 // empty when missing
  std::vector<std::string> filesIn(const std::string& folder) const;  // names, sorted

  // Fault injection: every call for which the predicate holds fails.
  std::function<bool(const FsCall&)> failWhen;
  void clearFaults();

  std::vector<FsCall> calls;

  // Used by the open files.
  bool shouldFail(FsOp op, const Path& path);
  std::map<std::string, std::string> files;

 private:
  std::set<std::string> folders_;
};

std::string fsKey(const Path& path);

}  // namespace kvotlk::test
