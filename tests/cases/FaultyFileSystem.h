#pragma once

#include <optional>
#include <regex>
#include <string>
#include <string_view>
#include <vector>

#include "common/FileSystem.h"

namespace kvotlk::cases {

// One line of a case's "fehler" section: OPERATION PATH [N] [immer].
struct Fault {
  std::string operation;  // a method of FileSystem or WritableFile
  std::string path;       // relative to the program folder, or "*"
  int nth = 1;
  bool always = false;
  int seen = 0;
};

// The fault of one line; nullopt when the line is not one.
inline std::optional<Fault> parseFault(const std::string& line) {
  static const std::regex kLine(
      "\\s*(fileExists|folderExists|createFolder|removeFile|createFile|readFile|renameNoReplace|"
      "renameReplacing|write|close)\\s+(\\S+)(?:\\s+(\\d{1,5}))?(\\s+immer)?\\s*");
  std::smatch match;
  if (!std::regex_match(line, match, kLine)) {
    return std::nullopt;
  }
  return Fault{match[1], match[2], match[3].matched ? std::stoi(match[3]) : 1, match[4].matched};
}

// The machine's file system with the faults of a case: a failing call answers as the real
// one does on an error (false, nullptr, nullopt), changing nothing; a failing write writes
// half of its bytes first, as a full disk does.
class FaultyFileSystem final : public FileSystem {
 public:
  FaultyFileSystem(FileSystem& files, std::string programFolder, std::vector<Fault> faults)
      : files_(files), folder_(std::move(programFolder) + "/"), faults_(std::move(faults)) {}

  bool fileExists(const Path& p) override {
    return !fails("fileExists", p) && files_.fileExists(p);
  }
  bool folderExists(const Path& p) override {
    return !fails("folderExists", p) && files_.folderExists(p);
  }
  bool createFolder(const Path& p) override {
    return !fails("createFolder", p) && files_.createFolder(p);
  }
  bool removeFile(const Path& p) override {
    return !fails("removeFile", p) && files_.removeFile(p);
  }
  std::unique_ptr<WritableFile> createFile(const Path& p) override {
    auto file = fails("createFile", p) ? nullptr : files_.createFile(p);
    return file ? std::make_unique<File>(*this, std::move(file), p) : nullptr;
  }
  std::optional<std::string> readFile(const Path& p) override {
    return fails("readFile", p) ? std::nullopt : files_.readFile(p);
  }
  bool renameNoReplace(const Path& from, const Path& to) override {
    return !fails("renameNoReplace", from, to) && files_.renameNoReplace(from, to);
  }
  bool renameReplacing(const Path& from, const Path& to) override {
    return !fails("renameReplacing", from, to) && files_.renameReplacing(from, to);
  }

 private:
  class File final : public WritableFile {
   public:
    File(FaultyFileSystem& files, std::unique_ptr<WritableFile> file, Path path)
        : files_(files), file_(std::move(file)), path_(std::move(path)) {}
    bool write(std::string_view bytes) override {
      if (files_.fails("write", path_)) {
        file_->write(bytes.substr(0, bytes.size() / 2));
        return false;
      }
      return file_->write(bytes);
    }
    bool close() override { return !files_.fails("close", path_) && file_->close(); }

   private:
    FaultyFileSystem& files_;
    std::unique_ptr<WritableFile> file_;
    Path path_;
  };

  // Whether this call fails; a rename matches by either of its paths.
  bool fails(std::string_view operation, const Path& path, const Path& other = {}) {
    const auto matches = [this](const std::string& wanted, const Path& p) {
      const std::string text = p.generic_string();
      return wanted == "*" ||
             wanted == (text.starts_with(folder_) ? text.substr(folder_.size()) : text);
    };
    bool failing = false;
    for (Fault& fault : faults_) {
      if (fault.operation == operation &&
          (matches(fault.path, path) || (!other.empty() && matches(fault.path, other)))) {
        ++fault.seen;
        failing = failing || fault.seen == fault.nth || (fault.always && fault.seen > fault.nth);
      }
    }
    return failing;
  }

  FileSystem& files_;
  std::string folder_;
  std::vector<Fault> faults_;
};

}  // namespace kvotlk::cases
