#include "output/modFileFunctions.h"

#include "common/FileSystem.h"
#include "common/Paths.h"
#include "common/TemporaryName.h"

namespace kvotlk {
namespace {

// The attempt's outcome with the cause of the call that just failed.
CopyAttempt failedWith(CopyResult result) { return {result, LastFileFault()}; }

// Writes the bytes into a new file at the temporary path and reads them back.
CopyAttempt writeAndVerify(FileSystem& files, const Path& temporary, const std::string& bytes) {
  if (!writeNewFile(files, temporary, bytes)) {
    return failedWith(CopyResult::WriteFailed);
  }
  const auto readBack = files.readFile(temporary);
  if (!readBack || *readBack != bytes) {
    const CopyAttempt attempt = failedWith(CopyResult::NotVerified);
    files.removeFile(temporary);
    return attempt;
  }
  return {};
}

}  // namespace

std::string PathInFolder(std::string_view strFolder, std::string_view strFileName) {
  if (!strFolder.empty() && strFolder.back() == kPathSeparator) {
    strFolder.remove_suffix(1);
  }
  return joinPath(strFolder, strFileName);
}

bool FileExists(FileSystem& files, std::string_view strPath) {
  return files.fileExists(toFsPath(strPath));
}

bool FolderExists(FileSystem& files, std::string_view strPath) {
  return files.folderExists(toFsPath(strPath));
}

bool CreateFolder(FileSystem& files, std::string_view strPath) {
  return files.createFolder(toFsPath(strPath));
}

CopyAttempt CopyFileIntoFolder(FileSystem& files, RandomSource& random,
                               std::string_view strFileName, std::string_view strTargetFolder,
                               std::string_view strSourceFolder) {
  NoteFileFault(FileFault::None);
  if (!FolderExists(files, strTargetFolder)) {
    return failedWith(CopyResult::TargetFolderMissing);
  }
  const Path target = toFsPath(PathInFolder(strTargetFolder, strFileName));
  if (files.fileExists(target)) {
    return {CopyResult::NameTaken, FileFault::Other};
  }
  const auto bytes = files.readFile(toFsPath(PathInFolder(strSourceFolder, strFileName)));
  if (!bytes) {
    return failedWith(CopyResult::SourceUnreadable);
  }
  const Path temporary =
      toFsPath(PathInFolder(strTargetFolder, TemporaryNameOf(files, random, strFileName)));
  if (const CopyAttempt written = writeAndVerify(files, temporary, *bytes);
      written.result != CopyResult::Copied) {
    return written;
  }
  if (!files.renameNoReplace(temporary, target)) {
    const CopyAttempt renamed = failedWith(CopyResult::RenameFailed);
    files.removeFile(temporary);
    // The name may have been taken meanwhile; that file is kept and not retried.
    return files.fileExists(target) ? CopyAttempt{CopyResult::NameTaken, FileFault::Other}
                                    : renamed;
  }
  return {};
}

bool CopyFileToFolder(FileSystem& files, RandomSource& random, std::string_view strFileName,
                      std::string_view strTargetFolder, std::string_view strSourceFolder) {
  return CopyFileIntoFolder(files, random, strFileName, strTargetFolder, strSourceFolder).result ==
         CopyResult::Copied;
}

}  // namespace kvotlk
