#include "output/modFileFunctions.h"

#include "common/FileSystem.h"
#include "common/Paths.h"
#include "common/TemporaryName.h"

namespace kvotlk {
namespace {

// Writes the bytes into a new file at the temporary path and reads them back.
CopyResult writeAndVerify(FileSystem& files, const Path& temporary, const std::string& bytes) {
  if (!writeNewFile(files, temporary, bytes)) {
    return CopyResult::WriteFailed;
  }
  const auto readBack = files.readFile(temporary);
  if (!readBack || *readBack != bytes) {
    files.removeFile(temporary);
    return CopyResult::NotVerified;
  }
  return CopyResult::Copied;
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

CopyResult CopyFileIntoFolder(FileSystem& files, RandomSource& random, std::string_view strFileName,
                              std::string_view strTargetFolder, std::string_view strSourceFolder) {
  if (!FolderExists(files, strTargetFolder)) {
    return CopyResult::TargetFolderMissing;
  }
  const Path target = toFsPath(PathInFolder(strTargetFolder, strFileName));
  if (files.fileExists(target)) {
    return CopyResult::NameTaken;
  }
  const auto bytes = files.readFile(toFsPath(PathInFolder(strSourceFolder, strFileName)));
  if (!bytes) {
    return CopyResult::SourceUnreadable;
  }
  const Path temporary =
      toFsPath(PathInFolder(strTargetFolder, TemporaryNameOf(files, random, strFileName)));
  if (const CopyResult written = writeAndVerify(files, temporary, *bytes);
      written != CopyResult::Copied) {
    return written;
  }
  if (!files.renameNoReplace(temporary, target)) {
    files.removeFile(temporary);
    // The name may have been taken meanwhile; that file is kept and not retried.
    return files.fileExists(target) ? CopyResult::NameTaken : CopyResult::RenameFailed;
  }
  return CopyResult::Copied;
}

bool CopyFileToFolder(FileSystem& files, RandomSource& random, std::string_view strFileName,
                      std::string_view strTargetFolder, std::string_view strSourceFolder) {
  return CopyFileIntoFolder(files, random, strFileName, strTargetFolder, strSourceFolder) ==
         CopyResult::Copied;
}

}  // namespace kvotlk
