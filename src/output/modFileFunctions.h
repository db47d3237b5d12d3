#pragma once

#include <string>
#include <string_view>

#include "common/FileSystem.h"

// File helpers of the send. Each answers and never fails loudly: an error of the
// underlying call counts as a negative answer. Paths are UTF-8 text.
namespace kvotlk {

class RandomSource;

bool FileExists(FileSystem& files, std::string_view strPath);
bool FolderExists(FileSystem& files, std::string_view strPath);
// Creates one folder level; its parent must exist.
bool CreateFolder(FileSystem& files, std::string_view strPath);

// Folder + separator + name; a folder given with its trailing separator (a drive root
// such as "D:\") does not get a second one.
std::string PathInFolder(std::string_view strFolder, std::string_view strFileName);

// How one copy attempt ended.
enum class CopyResult {
  Copied,               // the file arrived under its name with the source's bytes
  TargetFolderMissing,  // the target folder does not exist or cannot be reached
  NameTaken,            // a file of that name is in the target folder; it is kept
  SourceUnreadable,     // the source file could not be read
  WriteFailed,          // the temporary file could not be created (new), written or closed
  NotVerified,          // the temporary file did not read back with the source's bytes
  RenameFailed,         // the temporary file could not take the file's name
  Cancelled,            // the operator stopped waiting before this attempt
};

// How an attempt ended, with the cause the platform gave for the call that failed.
struct CopyAttempt {
  CopyResult result = CopyResult::Copied;
  FileFault fault = FileFault::None;
};

// One attempt to copy source folder + file name into the target folder. The bytes go
// into a new temporary file of a name only this send uses (TemporaryNameOf) in the target
// folder, are read back and compared, and only then the temporary file is renamed to the
// file's name without replacing an existing file. So the target folder never shows a
// partly written file under that name, and what arrives are the bytes this send wrote,
// even when another station sends a file of the same name at the same moment. On any
// failure the temporary file is removed. One trailing separator of either folder is
// ignored.
CopyAttempt CopyFileIntoFolder(FileSystem& files, RandomSource& random,
                               std::string_view strFileName, std::string_view strTargetFolder,
                               std::string_view strSourceFolder);

// True when the file arrived in the target folder (one attempt, as above).
bool CopyFileToFolder(FileSystem& files, RandomSource& random, std::string_view strFileName,
                      std::string_view strTargetFolder, std::string_view strSourceFolder);

}  // namespace kvotlk
