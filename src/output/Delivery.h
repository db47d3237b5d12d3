#pragma once

#include <chrono>
#include <string_view>

#include "output/modFileFunctions.h"

// The steps of a send that touch the target folder, with short retries: a virus scanner
// or the collector may hold a file for a moment, a network share may drop out briefly.
namespace kvotlk {

struct Environment;
class DebugLog;
class WorkProgress;

inline constexpr int kDeliveryAttempts = 4;
inline constexpr std::chrono::milliseconds kFirstRetryWait{250};
// A file another program holds (a sharing or lock violation) is waited for in steps of
// this length, at most kHeldWaitInAll in all for one step of the send; such a wait does not
// use up one of the attempts.
inline constexpr std::chrono::milliseconds kHeldRetryWait{500};
inline constexpr std::chrono::milliseconds kHeldWaitInAll{10000};

// The wait before attempt k + 1 after attempt k failed (k from 1): 250, 500, 1000 ms.
std::chrono::milliseconds RetryWait(int attempt);

// Time spent waiting for files another program holds, for one step of a send.
class HeldWait {
 public:
  // After a failure: when its cause was a held file and the step may still wait, logs the
  // wait, waits and answers true; false otherwise.
  bool waitAgain(Environment& env, DebugLog& log, FileFault fault);

 private:
  std::chrono::milliseconds waited_{0};
};

// Copies the file into the target folder (CopyFileIntoFolder), retrying every failure
// except a name taken in the target folder; each failed attempt is logged, each attempt
// reported to progress. Before every attempt and wait the operator may have stopped
// waiting: then the answer is Cancelled.
CopyAttempt DeliverWithRetries(Environment& env, DebugLog& log, WorkProgress& progress,
                               std::string_view strFileName, std::string_view strTargetFolder,
                               std::string_view strSourceFolder);

// Deletes the staged file after its delivery, retrying; each failed attempt is logged. When
// it cannot be deleted it is renamed to a temporary name ("~….tmp"), so that it is never
// taken for a file still waiting and delivered twice. False only when neither worked.
bool RetireStagedFile(Environment& env, DebugLog& log, std::string_view strTempFile);

}  // namespace kvotlk
