#pragma once

#include <cstddef>
#include <string>
#include <vector>

// Result files that wait in the staging folder because their copy into the target folder
// failed: the program delivers them by itself, at start-up, before every send and when the
// operator asks.
namespace kvotlk {

struct Environment;
struct SettingsRoot;
class DebugLog;
class FileSystem;
class WorkProgress;

// The result files in the staging folder, in the order they were staged (oldest first):
// every file whose content is a result file ("BEGINN_MESSUNG" … "ENDE_MESSUNG"), but never
// the debug logs or a temporary file ("~….tmp"), so nothing else is ever sent. A file that
// cannot be read right now (another program holds it) is counted; its delivery looks again.
std::vector<std::string> WaitingFiles(FileSystem& files, const std::string& strTempPath);

// Delivers the waiting files into the target folder, one attempt each (a file another
// program holds is waited for), with the verify-then-rename of a send, each logged. A file
// whose name is taken in the target folder stays waiting and nothing is overwritten; when
// the target folder cannot be reached, the rest stay waiting too. The operator may stop
// waiting between files. Answers how many still wait.
std::size_t DeliverWaitingFiles(Environment& env, DebugLog& log, WorkProgress& progress,
                                const std::string& strTarget, const std::string& strTempPath);

// The log of a delivery of waiting files outside a send, beside the send's debug log.
inline constexpr const char* kDeliveryLogName = "TLZustellung.txt";

// At start-up and when the operator asks: the waiting files of the staging folder are
// delivered into the target folder (setting DIR), logged anew in the delivery log; no log
// is written when none waits. Answers how many still wait.
std::size_t DeliverWaitingFilesNow(Environment& env, const SettingsRoot& root,
                                   WorkProgress& progress);

// How many result files wait now.
std::size_t CountWaitingFiles(Environment& env);

// "1 Ergebnisdatei wartet auf Übertragung", "2 Ergebnisdateien warten auf Übertragung";
// empty for none.
std::string WaitingFilesText(std::size_t count);

}  // namespace kvotlk
