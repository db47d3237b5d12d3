#pragma once

#include <optional>
#include <string>

#include "journal/JournalFormat.h"

// The journal a capture left when the program ended before its send.
namespace kvotlk {

struct Environment;

// What start-up finds: nothing, a capture to offer for restoring, or a journal that could
// not be read and was set aside (where it went; the journal's own name when even that
// failed).
struct JournalAtStart {
  std::optional<JournaledCapture> capture;
  std::optional<std::string> unreadable;
};

// The journal's path in the data folder, and whether a journal is there.
std::string JournalPath(const Environment& env);
bool JournalExists(Environment& env);

// Looks at the journal in the data folder. A journal whose result file was staged before
// the program ended is removed: the staged file, a waiting file now, holds its values.
// Call it before waiting files are delivered, which takes staged files away.
JournalAtStart LookAtJournal(Environment& env);

// Renames the journal to "Erfassung-YYYYMMDD-hhmmss.journal" (a number added when that is
// taken), so that it is kept but never offered again; the new path, nullopt when it
// failed or there is no journal.
std::optional<std::string> SetJournalAside(Environment& env);

// The question at start-up, the messages when a capture is not restored, and the question
// when Kalvero has another measuring program open than the capture had.
std::string RestoreQuestion(const JournaledCapture& capture);
std::string NotRestoredMessage(const std::string& keptAt);
std::string UnreadableJournalMessage(const std::string& keptAt);
std::string OtherProgramQuestion(const std::string& journaled, const std::string& open);
std::string JournalNotWrittenMessage(const std::string& path);

}  // namespace kvotlk
