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

std::string MessageCopyFailed(std::string_view strTempPath) {
  return join({kCopyNotDone, kCrLf,
               "Überprüfen Sie die Zugriffsberechtigung oder die Netzwerkverbindung.", kCrLf,
               "Kopieren Sie die Datei aus dem Verzeichnis ", strTempPath,
               " manuell zu einem späteren Zeitpunkt in das Zielverzeichnis."});
}

std::string MessageLogFailed(std::string_view strLogFile, std::string_view strTempPath) {
  return join({"Die Protokolldatei ", strLogFile, " kann nicht geschrieben werden.", kCrLf,
               kCloseOrCheck, strTempPath, ".", kCrLf,
               "Die Daten werden ohne Protokoll gesendet."});
}

std::string MessageResultFailed(std::string_view strTempFile, std::string_view strTempPath) {
  return join({"Die Ergebnisdatei ", strTempFile, " konnte nicht geschrieben werden.", kCrLf,
               kCheckSpace, strTempPath, ".", kCrLf, kNothingSent});
}

std::string MessageStagedCopyKept(std::string_view strFileName, std::string_view strTempPath) {
  return join({"Die Ergebnisdatei ", strFileName, " wurde in das Zielverzeichnis kopiert.", kCrLf,
               "Ihre Kopie im Verzeichnis ", strTempPath, " konnte nicht gelöscht werden.", kCrLf,
               "Löschen Sie diese Kopie, bevor die nächsten Daten gesendet werden."});
}

std::string MessageCaptureData(std::string_view problem) {
  return join({problem, kCrLf,
               "Die Messdaten können so nicht gesendet werden; die Stichproben "
               "bleiben erhalten."});
}

}  // namespace kvotlk
