#include "output/Delivery.h"

#include <string>

#include "common/Clock.h"
#include "common/Environment.h"
#include "common/FileSystem.h"
#include "common/Paths.h"
#include "common/TemporaryName.h"
#include "common/WorkProgress.h"
#include "output/DebugLog.h"
#include "output/ResultFileText.h"

namespace kvotlk {
namespace {

std::string_view reasonOf(CopyResult result) {
  switch (result) {
    case CopyResult::TargetFolderMissing:
      return "Zielverzeichnis existiert nicht oder ist nicht erreichbar";
    case CopyResult::NameTaken:
      return "Datei mit dem Namen existiert schon im Zielverzeichnis";
    case CopyResult::SourceUnreadable:
      return "Temp Datei kann nicht gelesen werden";
    case CopyResult::WriteFailed:
      return "temporäre Datei im Zielverzeichnis kann nicht geschrieben werden";
    case CopyResult::NotVerified:
      return "temporäre Datei im Zielverzeichnis stimmt nicht mit der Temp Datei überein";
    case CopyResult::RenameFailed:
      return "temporäre Datei im Zielverzeichnis kann nicht umbenannt werden";
    case CopyResult::Cancelled:
      return "vom Bediener abgebrochen";
    case CopyResult::Copied:
      break;
  }
  return "";
}

void waitBeforeRetry(Environment& env, DebugLog& log, int attempt) {
  const auto wait = RetryWait(attempt);
  log.line("Neuer Versuch in " + DecimalText(wait.count()) + " ms");
  env.clock.sleepFor(wait);
}

std::string attemptText(std::string_view strFileName, std::string_view strTargetFolder,
                        int attempt) {
  return "Übertrage " + std::string(strFileName) + " nach " + std::string(strTargetFolder) +
         " … Versuch " + DecimalText(attempt) + " von " + DecimalText(kDeliveryAttempts);
}

}  // namespace

std::chrono::milliseconds RetryWait(int attempt) { return kFirstRetryWait * (1 << (attempt - 1)); }

bool HeldWait::waitAgain(Environment& env, DebugLog& log, FileFault fault) {
  if (fault != FileFault::Held || waited_ + kHeldRetryWait > kHeldWaitInAll) {
    return false;
  }
  log.line("Datei wird von einem anderen Programm verwendet, neuer Versuch in " +
           DecimalText(kHeldRetryWait.count()) + " ms");
  env.clock.sleepFor(kHeldRetryWait);
  waited_ += kHeldRetryWait;
  return true;
}

CopyAttempt DeliverWithRetries(Environment& env, DebugLog& log, WorkProgress& progress,
                               std::string_view strFileName, std::string_view strTargetFolder,
                               std::string_view strSourceFolder) {
  HeldWait held;
  for (int attempt = 1;;) {
    if (progress.cancelled()) {
      log.line("Kopiervorgang vom Bediener abgebrochen");
      return {CopyResult::Cancelled, FileFault::None};
    }
    progress.report(attemptText(strFileName, strTargetFolder, attempt));
    const CopyAttempt result =
        CopyFileIntoFolder(env.files, env.random, strFileName, strTargetFolder, strSourceFolder);
    if (result.result == CopyResult::Copied) {
      return result;
    }
    log.line("Kopierversuch " + DecimalText(attempt) +
             " fehlgeschlagen: " + std::string(reasonOf(result.result)));
    if (result.result == CopyResult::NameTaken) {
      return result;
    }
    if (held.waitAgain(env, log, result.fault)) {
      continue;
    }
    if (attempt == kDeliveryAttempts) {
      return result;
    }
    if (progress.cancelled()) {
      log.line("Kopiervorgang vom Bediener abgebrochen");
      return {CopyResult::Cancelled, result.fault};
    }
    waitBeforeRetry(env, log, attempt);
    ++attempt;
  }
}

bool RetireStagedFile(Environment& env, DebugLog& log, std::string_view strTempFile) {
  HeldWait held;
  for (int attempt = 1;;) {
    if (env.files.removeFile(toFsPath(strTempFile))) {
      return true;
    }
    const FileFault fault = LastFileFault();
    log.line("Löschen der Temp Datei fehlgeschlagen (Versuch " + DecimalText(attempt) + ")");
    if (held.waitAgain(env, log, fault)) {
      continue;
    }
    if (attempt == kDeliveryAttempts) {
      break;
    }
    waitBeforeRetry(env, log, attempt);
    ++attempt;
  }
  const Path staged = toFsPath(strTempFile);
  const std::string aside =
      TemporaryNameOf(env.files, env.random, toUtf8(staged.filename()) + ".geliefert");
  if (env.files.renameNoReplace(staged, staged.parent_path() / toFsPath(aside))) {
    log.line("Temp Datei umbenannt in " + aside);
    return true;
  }
  return false;
}

}  // namespace kvotlk
