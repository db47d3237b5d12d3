#include "output/OutputMessages.h"

#include <initializer_list>

#include "common/Prompts.h"

namespace kvotlk {
namespace {

constexpr std::string_view kCopyNotDone =
    "Kopieren der Ergebnisdatei in das Zielverzeichnis konnte nicht durchgeführt werden.";
constexpr std::string_view kCheckSpace =
    "Überprüfen Sie den freien Speicherplatz und die Zugriffsberechtigung im Verzeichnis ";
constexpr std::string_view kCloseOrCheck =
    "Schließen Sie das Programm, das sie geöffnet hat, oder überprüfen Sie die "
    "Zugriffsberechtigung im Verzeichnis ";
constexpr std::string_view kNothingSent =
    "Es wurden keine Daten gesendet; die Stichproben bleiben erhalten.";

// The cause of a failed file call in a sentence; empty when the platform gave none.
std::string_view causeOf(FileFault fault) {
  switch (fault) {
    case FileFault::Held:
      return "Die Datei wird von einem anderen Programm verwendet (etwa einem Virenscanner).";
    case FileFault::AccessDenied:
      return "Der Zugriff wurde verweigert: dem Benutzerkonto fehlt die Berechtigung.";
    case FileFault::Unreachable:
      return "Das Verzeichnis ist nicht erreichbar: die Netzwerkverbindung oder das Laufwerk "
             "fehlt.";
    case FileFault::DiskFull:
      return "Der Datenträger ist voll.";
    case FileFault::None:
    case FileFault::Other:
      break;
  }
  return {};
}

std::string join(std::initializer_list<std::string_view> parts) {
  std::string text;
  for (const std::string_view part : parts) {
    text += part;
  }
  return text;
}

}  // namespace

std::string MessageStagingFolder(std::string_view strTempPath) {
  return join({"Verzeichnis ", strTempPath, " kann vom System nicht erzeugt werden.", kCrLf,
               "Überprüfen Sie die Zugriffsberechtigung."});
}

std::string MessageNameTaken(std::string_view strTempPath) {
  return join({"Datei mit diesem Namen existiert noch im Verzeichnis ", strTempPath, ".", kCrLf,
               "Sichern oder löschen Sie diese Datei bevor die Daten gesendet werden."});
}

std::string MessageCopyFailed(std::string_view strTempPath, FileFault fault, bool nameTaken) {
  const std::string_view cause =
      nameTaken ? "Im Zielverzeichnis liegt noch eine Datei dieses Namens, die nicht abgeholt "
                  "wurde; sie wird nicht überschrieben."
                : causeOf(fault);
  return join({kCopyNotDone, kCrLf,
               cause.empty()
                   ? "Überprüfen Sie die Zugriffsberechtigung oder die Netzwerkverbindung."
                   : cause,
               kCrLf, "Die Datei wartet im Verzeichnis ", strTempPath,
               " und wird vom Programm übertragen: beim nächsten Start, vor dem nächsten Senden "
               "oder mit \"Wartende Dateien senden\" im Menü \"Datei\"."});
}

std::string MessageLogFailed(std::string_view strLogFile, std::string_view strTempPath) {
  return join({"Die Protokolldatei ", strLogFile, " kann nicht geschrieben werden.", kCrLf,
               kCloseOrCheck, strTempPath, ".", kCrLf,
               "Die Daten werden ohne Protokoll gesendet."});
}

std::string MessageResultFailed(std::string_view strTempFile, std::string_view strTempPath,
                                FileFault fault) {
  const std::string_view cause = causeOf(fault);
  if (!cause.empty()) {
    return join({"Die Ergebnisdatei ", strTempFile, " konnte nicht geschrieben werden.", kCrLf,
                 cause, kCrLf, kNothingSent});
  }
  return join({"Die Ergebnisdatei ", strTempFile, " konnte nicht geschrieben werden.", kCrLf,
               kCheckSpace, strTempPath, ".", kCrLf, kNothingSent});
}

std::string MessageStagedCopyKept(std::string_view strFileName, std::string_view strTempPath) {
  return join({"Die Ergebnisdatei ", strFileName, " wurde in das Zielverzeichnis kopiert.", kCrLf,
               "Ihre Kopie im Verzeichnis ", strTempPath, " konnte nicht gelöscht werden.", kCrLf,
               "Löschen Sie diese Kopie, bevor die nächsten Daten gesendet werden."});
}

std::string MessageTargetIsProgramFolder(std::string_view programFolder) {
  return join({"Das Zielverzeichnis (Einstellung DIR) ist der Programmordner ", programFolder, ".",
               kCrLf,
               "Dort holt die CAQ-Software keine Ergebnisdateien ab, und bei dieser Installation "
               "darf dort nicht geschrieben werden.",
               kCrLf,
               "Stellen Sie unter \"Einstellungen\" - \"Setup\" das Verzeichnis ein, aus dem die "
               "CAQ-Software abholt; es wurden keine Daten gesendet."});
}

std::string MessageCaptureData(std::string_view problem) {
  return join({problem, kCrLf,
               "Die Messdaten können so nicht gesendet werden; die Stichproben "
               "bleiben erhalten."});
}

}  // namespace kvotlk
