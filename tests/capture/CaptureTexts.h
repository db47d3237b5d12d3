#pragma once

#include <string>

// The operator's texts of the capture, written out as the operator reads them.
namespace kvotlk::test {

inline constexpr const char* kIncreaseQuestion =
    "Vordefinierte Anzahl von Stichproben wurde bereits gemessen.\r\n"
    "Soll die Stichprobenanzahl erhöht werden?";
inline constexpr const char* kSendQuestion =
    "Die gemessene Stichprobenanzahl entspricht nicht der vordefinierten.\r\n"
    "Soll eine weitere Probe gemessen werden?";
inline constexpr const char* kWholeNumber12a =
    "Merkamls ID 12a entspricht nicht dem Typ Long (Ganzzahl).\r\n"
    "Korrigieren Sie zuerst das Messprogramm.";
inline constexpr const char* kWholeNumberEmpty =
    "Merkamls ID  entspricht nicht dem Typ Long (Ganzzahl).\r\n"
    "Korrigieren Sie zuerst das Messprogramm.";
inline constexpr const char* kLength12345678 =
    "Merkmals ID 12345678 ist mehr als 7stellig.\r\n"
    "Korrigieren Sie zuerst das Messprogramm.";
inline constexpr const char* kNestLength123456 =
    "Merkmals ID 123456 ist mehr als 5stellig.\r\n"
    "Dies ist bei Verwendung der Nestnummer nicht zulässig.\r\n"
    "Korrigieren Sie zuerst das Messprogramm.";
// The last two lines of every message that halts the capture.
inline const std::string kHaltedLines =
    "Die Erfassung wurde angehalten; es werden keine weiteren Messwerte übernommen.\r\n"
    "Die bisher erfassten Messwerte bleiben erhalten und können übertragen werden.";
inline const std::string kLostLink = "Kalvero antwortet nicht mehr.\r\n" + kHaltedLines;
inline const std::string kTooManySamples =
    "Es können höchstens 32767 Stichproben erfasst werden.\r\n" + kHaltedLines;
inline const std::string kTooManyValues =
    "Eine Stichprobe kann höchstens 32767 Merkmale aufnehmen.\r\n" + kHaltedLines;
inline constexpr const char* kNoSubscription =
    "Kalvero antwortet nicht.\r\n"
    "Es können keine Messwerte erfasst werden. Schließen Sie dieses Fenster und bestätigen "
    "Sie den Auftrag erneut, sobald Kalvero wieder läuft.";

}  // namespace kvotlk::test
