#pragma once

#include <map>
#include <set>
#include <string>
#include <vector>

#include "common/FileSystem.h"

namespace kvotlk::test {

// A file system in memory. Faults come from tests/cases/FaultyFileSystem.h wrapped around
// it.
class FakeFileSystem final : public FileSystem {
 public:
  bool fileExists(const Path& path) override;
  bool folderExists(const Path& path) override;
  bool createFolder(const Path& path) override;
  bool removeFile(const Path& path) override;
  std::unique_ptr<WritableFile> createFile(const Path& path) override;
  std::unique_ptr<WritableFile> createNewFile(const Path& path) override;
  std::unique_ptr<WritableFile> openForAppend(const Path& path) override;
  std::optional<std::string> readFile(const Path& path) override;
  bool renameNoReplace(const Path& from, const Path& to) override;
  bool renameReplacing(const Path& from, const Path& to) override;
  // Written in the order the files were made (a rename keeps a file's time).
  std::vector<FolderEntry> listFiles(const Path& folder) override;
  std::uint32_t processId() override { return 0x1267; }  // 4711, as in the cases

  // Set-up and inspection.
  void addFolder(const std::string& path);                     // with all its parents
  void addFile(const std::string& path, std::string content);  // parents created
  bool hasFile(const std::string& path) const;
  std::string content(const std::string& path) const;                 // empty when missing
  std::vector<std::string> filesIn(const std::string& folder) const;  // names, sorted

  // Written by the open files.
  std::map<std::string, std::string> files;
  // What each file held when it was last flushed: what a power cut would leave.
  std::map<std::string, std::string> durable;

 private:
  std::set<std::string> folders_;
  std::map<std::string, std::int64_t> written_;
  std::int64_t clock_ = 0;
};

std::string fsKey(const Path& path);

}  // namespace kvotlk::test
