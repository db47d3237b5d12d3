#include "output/Delivery.h"

#include <string>

#include "common/Clock.h"
#include "common/Environment.h"
#include "common/FileSystem.h"
#include "common/Paths.h"
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

}  // namespace

std::chrono::milliseconds RetryWait(int attempt) { return kFirstRetryWait * (1 << (attempt - 1)); }

CopyResult DeliverWithRetries(Environment& env, DebugLog& log, std::string_view strFileName,
                              std::string_view strTargetFolder, std::string_view strSourceFolder) {
  for (int attempt = 1;; ++attempt) {
    const CopyResult result =
        CopyFileIntoFolder(env.files, env.random, strFileName, strTargetFolder, strSourceFolder);
    if (result == CopyResult::Copied) {
      return result;
    }
    log.line("Kopierversuch " + DecimalText(attempt) +
             " fehlgeschlagen: " + std::string(reasonOf(result)));
    if (result == CopyResult::NameTaken || attempt == kDeliveryAttempts) {
      return result;
    }
    waitBeforeRetry(env, log, attempt);
  }
}

bool RemoveStagedFile(Environment& env, DebugLog& log, std::string_view strTempFile) {
  for (int attempt = 1;; ++attempt) {
    if (env.files.removeFile(toFsPath(strTempFile))) {
      return true;
    }
    log.line("Löschen der Temp Datei fehlgeschlagen (Versuch " + DecimalText(attempt) + ")");
    if (attempt == kDeliveryAttempts) {
      return false;
    }
    waitBeforeRetry(env, log, attempt);
  }
}

}  // namespace kvotlk
