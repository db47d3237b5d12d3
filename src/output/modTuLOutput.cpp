#include "output/modTuLOutput.h"

#include <cmath>
#include <limits>
#include <optional>

#include "common/Clock.h"
#include "common/Environment.h"
#include "common/FileSystem.h"
#include "common/LocaleNumbers.h"
#include "common/Paths.h"
#include "common/Prompts.h"
#include "common/TemporaryName.h"
#include "common/WorkProgress.h"
#include "journal/CaptureJournal.h"
#include "kalvero/KalveroPort.h"
#include "output/DebugLog.h"
#include "output/Delivery.h"
#include "output/OutputMessages.h"
#include "output/ResultFileText.h"
#include "output/WaitingFiles.h"
#include "output/modCreateFileName.h"
#include "output/modFileFunctions.h"
#include "settings/SettingReaders.h"
#include "state/modGlobaleVariablen.h"

namespace kvotlk {
namespace {

// The log takes file channel 1 and the result file the next free one; no other file is
// open during a send.
constexpr int kResultFileChannel = 2;
constexpr std::int16_t kDefaultDecimalsSetting = 3;

std::string twoDigits(int value) {
  std::string text = DecimalText(value);
  return text.size() < 2 ? "0" + text : text;
}

std::string fourDigits(int value) {
  std::string text = DecimalText(value);
  return text.size() < 4 ? std::string(4 - text.size(), '0') + text : text;
}

// NumDez as a whole number; any text that is not a whole 16-bit number counts as "3".
std::int16_t readAnzNachkomma(Environment& env, const modGlobaleVariablen& g) {
  const auto value = env.numbers.toDouble(ReadConfig(env, g, SettingKey::NumDez));
  if (value && *value == std::trunc(*value) && *value >= std::numeric_limits<std::int16_t>::min() &&
      *value <= std::numeric_limits<std::int16_t>::max()) {
    return static_cast<std::int16_t>(*value);
  }
  return kDefaultDecimalsSetting;
}

bool ensureStagingFolder(FileSystem& files, const std::string& strTempPath) {
  // A folder created meanwhile, or one whose check failed, is fine if it is there now.
  return FolderExists(files, strTempPath) || CreateFolder(files, strTempPath) ||
         FolderExists(files, strTempPath);
}

// Deletes the log of the last send and opens a new one; nullptr when either fails.
std::unique_ptr<WritableFile> openDebugLog(FileSystem& files, const std::string& strLogFile) {
  const Path path = toFsPath(strLogFile);
  if (files.fileExists(path) && !files.removeFile(path)) {
    return nullptr;
  }
  return files.createFile(path);
}

// A send refused before staging replaces the last send's log, which would otherwise
// tell of a success, by one that says why nothing was sent. Nothing is created for it.
void logRefusal(FileSystem& files, const std::string& strTempPath, const std::string& message) {
  if (!FolderExists(files, strTempPath)) {
    return;
  }
  DebugLog log(openDebugLog(files, strTempPath + std::string(kDebugLogName)));
  log.line("Debug gestartet von T&L Konverter Version " + ProgramVersionText());
  // Each line break becomes one blank, so the reason stays one line of the log.
  std::string reason;
  for (std::size_t k = 0; k < message.size(); ++k) {
    const bool lineBreak = message.compare(k, 2, kCrLf) == 0;
    reason += lineBreak ? ' ' : message[k];
    k += lineBreak ? 1 : 0;
  }
  log.line("Senden abgelehnt: " + reason);
}

// One send after the checks: the staging folder is there, the log open if it could be.
class Send {
 public:
  Send(Environment& env, const SendRequest& request, DebugLog& log, std::string strTempPath,
       std::string strTarget, const ResultFileName& naming)
      : env_(env),
        g_(request.g),
        form_(request.form),
        progress_(request.progress),
        kalveroVersion_(request.kalveroVersion),
        journal_(request.journal),
        log_(log),
        strTempPath_(std::move(strTempPath)),
        strTarget_(std::move(strTarget)),
        naming_(naming),
        strTempFile_(strTempPath_ + naming.name) {}

  SendOutcome run() {
    logStart();
    if (!WaitingFiles(env_.files, strTempPath_).empty()) {
      DeliverWaitingFiles(env_, log_, progress_, strTarget_, strTempPath_);
    }
    logNaming();
    if (FileExists(env_.files, strTempFile_)) {
      return nameTaken();
    }
    const std::int16_t intAnzNachkomma = readAnzNachkomma(env_, g_);
    log_.line("intAnzNachkomma = " + DecimalText(intAnzNachkomma));
    if (journal_) {
      journal_->sending(naming_.name);
    }
    if (!writeStagedFile(MakeValueFormat(intAnzNachkomma, env_.numbers.decimalSeparator()))) {
      return SendOutcome::NotWritten;
    }
    if (journal_) {
      journal_->end();
    }
    return deliver();
  }

 private:
  void logStart() {
    log_.line("Debug gestartet von T&L Konverter Version " + ProgramVersionText());
    log_.line("Kalvero Version " + kalveroVersion_);
    log_.line("strTempPath = " + strTempPath_);
    log_.line("strTempPath existiert nun");
  }

  void logNaming() {
    if (naming_.mode == NamingMode::Random) {
      log_.line("RANDOM Dateiname ist aktiv");
      log_.line("RANDOM Dateiname: " + naming_.name);
    } else {
      log_.line("Fester Dateiname ist aktiv");
      if (naming_.mode == NamingMode::Stamped) {
        log_.line("Datums und Uhrzeitergänzung ist aktiv");
      }
      log_.line("Dateiname lautet: " + naming_.name);
    }
    log_.line("strTempFile lautet: " + strTempFile_);
    log_.line("intFileNumber lautet: " + DecimalText(kResultFileChannel));
  }

  SendOutcome nameTaken() {
    log_.line("Datei mit dem Namen existiert noch im strTempPath");
    env_.prompts.showStop(MessageNameTaken(strTempPath_));
    return SendOutcome::NotWritten;
  }

  // Writes the file under a temporary name and gives it its name only when it is
  // complete, so a failed write leaves nothing that would block the next send, and an
  // earlier file of that name is never replaced. Only a file this send created is removed.
  // A file another program holds (a virus scanner) is waited for a while.
  bool writeStagedFile(const ValueFormat& format) {
    progress_.report("Schreibe die Ergebnisdatei " + naming_.name + " …");
    HeldWait held;
    FileFault fault = FileFault::None;
    do {
      fault = stageOnce(format);
      if (fault == FileFault::None) {
        return true;
      }
      log_.line("Ergebnisdatei konnte nicht geschrieben werden");
    } while (!FileExists(env_.files, strTempFile_) && held.waitAgain(env_, log_, fault));
    if (FileExists(env_.files, strTempFile_)) {
      nameTaken();
      return false;
    }
    env_.prompts.showStop(MessageResultFailed(strTempFile_, strTempPath_, fault));
    return false;
  }

  // One try at staging; the cause of the call that failed, None when the file is staged.
  FileFault stageOnce(const ValueFormat& format) {
    NoteFileFault(FileFault::None);
    const Path temporary =
        toFsPath(strTempPath_ + TemporaryNameOf(env_.files, env_.random, naming_.name));
    auto file = env_.files.createNewFile(temporary);
    if (file && writeResultText(*file, format) &&
        env_.files.renameNoReplace(temporary, toFsPath(strTempFile_))) {
      return FileFault::None;
    }
    const FileFault fault = LastFileFault() == FileFault::None ? FileFault::Other : LastFileFault();
    if (file) {
      env_.files.removeFile(temporary);
    }
    return fault;
  }

  bool writeResultText(WritableFile& file, const ValueFormat& format) {
    if (!file.write(ResultFileHead(g_, form_))) {
      return false;
    }
    std::string block;
    for (int i = 1; i <= g_.intAnzMerkmale; ++i) {
      log_.line("i =" + DecimalText(i));
      block.clear();
      AppendResultBlock(block, g_, i, format);
      if (!file.write(block)) {
        return false;
      }
    }
    return file.write(kResultFileEnd) && file.close();
  }

  SendOutcome deliver() {
    log_.line("Datei wird in das Zielverzeichnis kopiert");
    log_.line("Zielverzeichnis: " + strTarget_);
    log_.line("Temp Verzeichnis: " + strTempPath_);
    log_.line("Dateiname: " + naming_.name);
    const CopyAttempt copied =
        DeliverWithRetries(env_, log_, progress_, naming_.name, strTarget_, strTempPath_);
    if (copied.result != CopyResult::Copied) {
      log_.line("Kopiervorgang ist fehlgeschlagen");
      env_.prompts.showStop(
          MessageCopyFailed(strTempPath_, copied.fault, copied.result == CopyResult::NameTaken));
      return SendOutcome::StagedOnly;
    }
    log_.line("Temp Datei wird gelöscht");
    if (!RetireStagedFile(env_, log_, strTempFile_)) {
      log_.line("Temp Datei konnte nicht gelöscht werden");
      env_.prompts.showStop(MessageStagedCopyKept(naming_.name, strTempPath_));
    }
    return SendOutcome::Delivered;
  }

  Environment& env_;
  const modGlobaleVariablen& g_;
  const OrderForm& form_;
  WorkProgress& progress_;
  const std::string& kalveroVersion_;
  CaptureJournal* journal_;
  DebugLog& log_;
  std::string strTempPath_;
  std::string strTarget_;
  const ResultFileName& naming_;
  std::string strTempFile_;
};

SendOutcome refuse(Environment& env, const std::string& strTempPath, const std::string& message) {
  logRefusal(env.files, strTempPath, message);
  env.prompts.showStop(message);
  return SendOutcome::NotWritten;
}

}  // namespace

std::string GetDateString(Clock& clock) {
  const LocalDateTime now = clock.now();
  return fourDigits(now.year) + twoDigits(now.month) + twoDigits(now.day);
}

std::string GetTimeString(Clock& clock) {
  const LocalDateTime now = clock.now();
  return twoDigits(now.hour) + twoDigits(now.minute) + twoDigits(now.second);
}

std::string ProgramVersionText() {
  return DecimalText(KVOTLK_VERSION_MAJOR) + "." + DecimalText(KVOTLK_VERSION_MINOR) + "." +
         DecimalText(KVOTLK_VERSION_PATCH);
}

std::string KalveroVersionText(const KvoObjects& g) {
  if (!g.KvoApp) {
    return {};
  }
  return g.KvoApp->AppVersionText().value_or(std::string());
}

SendOutcome WriteResultFile(Environment& env, const modGlobaleVariablen& g, const OrderForm& form) {
  NoProgress progress;
  return WriteResultFile(env, SendRequest{g, form, progress, KalveroVersionText(g)});
}

SendOutcome WriteResultFile(Environment& env, const SendRequest& request) {
  const modGlobaleVariablen& g = request.g;
  std::string strTempPath = StagingFolderOf(env.data());
  if (const auto problem = CaptureDataProblem(g)) {
    return refuse(env, strTempPath, MessageCaptureData(*problem));
  }
  std::string strTarget = ReadConfig(env, g, SettingKey::DIR);
  if (env.installedForAllAccounts() && SameFolder(strTarget, env.programFolder)) {
    return refuse(env, strTempPath, MessageTargetIsProgramFolder(env.programFolder));
  }
  const ResultFileName naming = ChooseResultFileName(env, g);
  if (naming.problem) {
    return refuse(env, strTempPath, *naming.problem);
  }
  if (!ensureStagingFolder(env.files, strTempPath)) {
    env.prompts.showStop(MessageStagingFolder(strTempPath));
    return SendOutcome::NotWritten;
  }
  const std::string strLogFile = strTempPath + std::string(kDebugLogName);
  auto logFile = openDebugLog(env.files, strLogFile);
  if (!logFile) {
    // The log only traces; the measured data go out without it.
    env.prompts.showStop(MessageLogFailed(strLogFile, strTempPath));
  }
  DebugLog log(std::move(logFile));
  return Send(env, request, log, std::move(strTempPath), std::move(strTarget), naming).run();
}

}  // namespace kvotlk
