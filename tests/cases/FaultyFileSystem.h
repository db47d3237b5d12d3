#pragma once

#include <fnmatch.h>
#include <gtest/gtest.h>

#include <optional>
#include <regex>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "common/FileSystem.h"

namespace kvotlk::cases {

// One line of a case's "fehler" section: OPERATION PATH [N] [immer] [CAUSE], or
// OPERATION PATH [N] schreibt FILE: another station writes FILE (or, for "*", the file of
// the call) just before that call. CAUSE is what the platform reports: gesperrt (another
// program holds the file), verweigert (access denied), unerreichbar (a share that has
// gone), voll (disk full); without it, another error.
struct Fault {
  std::string operation;  // a method of FileSystem or WritableFile
  std::string path;       // relative to the program folder, "*" within a name for any text, or "*"
  int nth = 1;
  bool always = false;
  std::string writes;  // relative to the program folder, "*" for the call's; empty for a failure
  FileFault cause = FileFault::Other;
  int seen = 0;
};

inline FileFault causeNamed(const std::string& word) {
  return word == "gesperrt"       ? FileFault::Held
         : word == "verweigert"   ? FileFault::AccessDenied
         : word == "unerreichbar" ? FileFault::Unreachable
         : word == "voll"         ? FileFault::DiskFull
                                  : FileFault::Other;
}

inline constexpr std::string_view kOtherStationBytes = "andere Station\r\n";

// The fault of one line; nullopt when the line is not one.
inline std::optional<Fault> parseFault(const std::string& line) {
  static const std::regex kLine(
      "\\s*(fileExists|folderExists|createFolder|removeFile|createFile|readFile|renameNoReplace|"
      "renameReplacing|listFiles|write|close)\\s+(\\S+)(?:\\s+(\\d{1,5}))?"
      "(?:\\s+(immer)|\\s+schreibt\\s+(\\S+))?"
      "(?:\\s+(gesperrt|verweigert|unerreichbar|voll))?\\s*");
  std::smatch match;
  if (!std::regex_match(line, match, kLine)) {
    return std::nullopt;
  }
  return Fault{match[1],         match[2], match[3].matched ? std::stoi(match[3]) : 1,
               match[4].matched, match[5], causeNamed(match[6])};
}

// The faults of a "fehler" section; a line that is not one fails the test.
inline std::vector<Fault> parseFaults(const std::string& section) {
  std::vector<Fault> faults;
  std::istringstream lines(section);
  for (std::string line; std::getline(lines, line);) {
    if (line.find_first_not_of(" \t") != std::string::npos) {
      const auto fault = parseFault(line);
      EXPECT_TRUE(fault) << "kein Fehler wie OPERATION PFAD [N] [immer]: " << line;
      faults.push_back(fault.value_or(Fault{}));
    }
  }
  return faults;
}

// The machine's file system with the faults of a case: a failing call answers as the real
// one does on an error (false, nullptr, nullopt), changing nothing; a failing write writes
// half of its bytes first, as a full disk does. createFile faults fail new files too. The
// process id is fixed, so the names of temporary files are the same on every run.
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
  std::unique_ptr<WritableFile> createNewFile(const Path& p) override {
    auto file = fails("createFile", p) ? nullptr : files_.createNewFile(p);
    return file ? std::make_unique<File>(*this, std::move(file), p) : nullptr;
  }
  std::unique_ptr<WritableFile> openForAppend(const Path& p) override {
    auto file = fails("openForAppend", p) ? nullptr : files_.openForAppend(p);
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
  std::vector<FolderEntry> listFiles(const Path& folder) override {
    return fails("listFiles", folder) ? std::vector<FolderEntry>{} : files_.listFiles(folder);
  }
  std::uint32_t processId() override { return kCaseProcessId; }

  static constexpr std::uint32_t kCaseProcessId = 4711;

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
    bool flush() override { return !files_.fails("flush", path_) && file_->flush(); }
    bool close() override { return !files_.fails("close", path_) && file_->close(); }

   private:
    FaultyFileSystem& files_;
    std::unique_ptr<WritableFile> file_;
    Path path_;
  };

  // Whether this call fails, noting the fault's cause; a rename matches by either of its
  // paths.
  bool fails(std::string_view operation, const Path& path, const Path& other = {}) {
    const auto matches = [this](const std::string& wanted, const Path& p) {
      const std::string text = p.generic_string();
      const std::string relative = text.starts_with(folder_) ? text.substr(folder_.size()) : text;
      return wanted == "*" || fnmatch(wanted.c_str(), relative.c_str(), FNM_PATHNAME) == 0;
    };
    bool failing = false;
    for (Fault& fault : faults_) {
      if (fault.operation == operation &&
          (matches(fault.path, path) || (!other.empty() && matches(fault.path, other)))) {
        ++fault.seen;
        if (!fault.writes.empty()) {
          writeAt(fault, path);
          continue;
        }
        if (fault.seen == fault.nth || (fault.always && fault.seen > fault.nth)) {
          failing = true;
          NoteFileFault(fault.cause);
        }
      }
    }
    return failing;
  }

  void writeAt(const Fault& fault, const Path& path) {
    if (fault.seen == fault.nth) {
      const Path written = fault.writes == "*" ? path : Path(folder_ + fault.writes);
      writeWholeFile(files_, written, kOtherStationBytes);
    }
  }

  FileSystem& files_;
  std::string folder_;
  std::vector<Fault> faults_;
};

}  // namespace kvotlk::cases
