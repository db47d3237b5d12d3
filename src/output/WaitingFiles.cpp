#include "output/WaitingFiles.h"

#include <algorithm>
#include <optional>

#include "common/Environment.h"
#include "common/FileSystem.h"
#include "common/Paths.h"
#include "common/Prompts.h"
#include "common/WorkProgress.h"
#include "output/DebugLog.h"
#include "output/Delivery.h"
#include "output/OutputMessages.h"
#include "output/ResultFileText.h"
#include "output/modFileFunctions.h"
#include "output/modTuLOutput.h"
#include "settings/SettingReaders.h"

namespace kvotlk {
namespace {

constexpr std::string_view kResultFileStart = "BEGINN_MESSUNG\r\n";

bool isTemporary(std::string_view name) { return name.starts_with('~') && name.ends_with(".tmp"); }

bool isResultContent(const std::optional<std::string>& content) {
  return content && content->starts_with(kResultFileStart) && content->ends_with(kResultFileEnd);
}

// A result file, or one that cannot be read right now, which may be one: the delivery
// looks again.
bool mayBeResultFile(FileSystem& files, const Path& path) {
  const auto content = files.readFile(path);
  return !content || isResultContent(content);
}

// Whether the file is a result file, waiting while another program holds it.
bool isResultFileNow(Environment& env, DebugLog& log, const Path& path) {
  HeldWait held;
  std::optional<std::string> content;
  do {
    content = env.files.readFile(path);
  } while (!content && held.waitAgain(env, log, LastFileFault()));
  return isResultContent(content);
}

std::string waitingText(const std::string& name, const std::string& strTarget) {
  return "Übertrage die wartende Datei " + name + " nach " + strTarget + " …";
}

}  // namespace

std::vector<std::string> WaitingFiles(FileSystem& files, const std::string& strTempPath) {
  std::vector<FolderEntry> entries = files.listFiles(toFsPath(strTempPath));
  std::stable_sort(entries.begin(), entries.end(), [](const FolderEntry& a, const FolderEntry& b) {
    return a.written != b.written ? a.written < b.written : a.name < b.name;
  });
  std::vector<std::string> waiting;
  for (const FolderEntry& entry : entries) {
    if (entry.name != kDebugLogName && entry.name != kDeliveryLogName && !isTemporary(entry.name) &&
        mayBeResultFile(files, toFsPath(strTempPath + entry.name))) {
      waiting.push_back(entry.name);
    }
  }
  return waiting;
}

std::size_t DeliverWaitingFiles(Environment& env, DebugLog& log, WorkProgress& progress,
                                const std::string& strTarget, const std::string& strTempPath) {
  const std::vector<std::string> waiting = WaitingFiles(env.files, strTempPath);
  std::size_t left = waiting.size();
  for (const std::string& name : waiting) {
    if (progress.cancelled()) {
      log.line("Übertragung wartender Dateien vom Bediener abgebrochen");
      break;
    }
    if (!isResultFileNow(env, log, toFsPath(strTempPath + name))) {
      --left;
      continue;
    }
    progress.report(waitingText(name, strTarget));
    log.line("Wartende Datei: " + name);
    CopyAttempt attempt;
    HeldWait held;
    do {
      attempt = CopyFileIntoFolder(env.files, env.random, name, strTarget, strTempPath);
    } while (attempt.result != CopyResult::Copied && held.waitAgain(env, log, attempt.fault));
    if (attempt.result != CopyResult::Copied) {
      log.line(attempt.result == CopyResult::NameTaken
                   ? "Wartende Datei bleibt: Datei mit dem Namen existiert schon im Zielverzeichnis"
                   : "Wartende Datei bleibt: Kopieren ist fehlgeschlagen");
      if (attempt.result == CopyResult::TargetFolderMissing) {
        break;
      }
      continue;
    }
    log.line("Wartende Datei übertragen: " + name);
    if (!RetireStagedFile(env, log, strTempPath + name)) {
      // Delivered, but still there: the operator must take it away before it goes twice.
      log.line("Temp Datei konnte nicht gelöscht werden");
      env.prompts.showStop(MessageStagedCopyKept(name, strTempPath));
      continue;
    }
    --left;
  }
  return left;
}

std::size_t DeliverWaitingFilesNow(Environment& env, const SettingsRoot& root,
                                   WorkProgress& progress) {
  const std::string strTempPath = StagingFolderOf(env.data());
  if (WaitingFiles(env.files, strTempPath).empty()) {
    return 0;
  }
  const std::string strTarget = ReadConfig(env, root, SettingKey::DIR);
  DebugLog log(env.files.createFile(toFsPath(strTempPath + kDeliveryLogName)));
  log.line("Zustellung wartender Dateien, T&L Konverter Version " + ProgramVersionText());
  log.line("Zielverzeichnis: " + strTarget);
  return DeliverWaitingFiles(env, log, progress, strTarget, strTempPath);
}

std::size_t CountWaitingFiles(Environment& env) {
  return WaitingFiles(env.files, StagingFolderOf(env.data())).size();
}

std::string WaitingFilesText(std::size_t count) {
  if (count == 0) {
    return {};
  }
  return count == 1 ? "1 Ergebnisdatei wartet auf Übertragung"
                    : DecimalText(static_cast<long long>(count)) +
                          " Ergebnisdateien warten auf Übertragung";
}

}  // namespace kvotlk
