#pragma once

#include <chrono>
#include <string_view>

#include "output/modFileFunctions.h"

// The steps of a send that touch the target folder, with short retries: a virus scanner
// or the collector may hold a file for a moment, a network share may drop out briefly.
namespace kvotlk {

struct Environment;
class DebugLog;

inline constexpr int kDeliveryAttempts = 4;
inline constexpr std::chrono::milliseconds kFirstRetryWait{250};

// The wait before attempt k + 1 after attempt k failed (k from 1): 250, 500, 1000 ms.
std::chrono::milliseconds RetryWait(int attempt);

// Copies the file into the target folder (CopyFileIntoFolder), retrying every failure
// except a name taken in the target folder; each failed attempt is logged.
CopyResult DeliverWithRetries(Environment& env, DebugLog& log, std::string_view strFileName,
                              std::string_view strTargetFolder, std::string_view strSourceFolder);

// Deletes the staged file after its delivery, retrying; each failed attempt is logged.
bool RemoveStagedFile(Environment& env, DebugLog& log, std::string_view strTempFile);

}  // namespace kvotlk
