#pragma once

#include <string>
#include <string_view>

#include "common/FileSystem.h"

// The stop messages of a send. Paths appear as built; strTempPath keeps its trailing
// separator, so a point after it follows the separator directly.
namespace kvotlk {

// M1: the staging folder is missing and cannot be created.
std::string MessageStagingFolder(std::string_view strTempPath);
// M2: a file of the chosen name still lies in the staging folder.
std::string MessageNameTaken(std::string_view strTempPath);
// M3: the copy into the target folder failed, for the cause the platform gave (if any) or a
// file of the name in the target folder; the staged file waits, and the program delivers
// it later by itself.
std::string MessageCopyFailed(std::string_view strTempPath, FileFault fault = FileFault::Other,
                              bool nameTaken = false);

// The debug log could not be deleted or opened; the send goes on without it.
std::string MessageLogFailed(std::string_view strLogFile, std::string_view strTempPath);
// The result file could not be written into the staging folder; nothing was sent.
std::string MessageResultFailed(std::string_view strTempFile, std::string_view strTempPath,
                                FileFault fault = FileFault::Other);
// The file was delivered, but its staged copy could not be deleted.
std::string MessageStagedCopyKept(std::string_view strFileName, std::string_view strTempPath);
// The target folder (setting DIR) is the program folder of an installation for all
// accounts: the CAQ system collects nothing there, and an operator may not write there.
std::string MessageTargetIsProgramFolder(std::string_view programFolder);
// The captured data cannot be written; problem is one sentence of CaptureDataProblem.
std::string MessageCaptureData(std::string_view problem);

}  // namespace kvotlk
