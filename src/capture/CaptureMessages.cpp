#include "capture/CaptureMessages.h"

#include "common/Prompts.h"

namespace kvotlk {
namespace {

constexpr std::string_view kCorrectProgram = "Korrigieren Sie zuerst das Messprogramm.";
constexpr std::string_view kCaptureHalted =
    "Die Erfassung wurde angehalten; es werden keine weiteren Messwerte übernommen.";
constexpr std::string_view kValuesKept =
    "Die bisher erfassten Messwerte bleiben erhalten und können übertragen werden.";

std::string lines(std::initializer_list<std::string_view> parts) {
  std::string text;
  for (const std::string_view part : parts) {
    if (!text.empty()) {
      text += kCrLf;
    }
    text += part;
  }
  return text;
}

std::string tooLong(std::string_view id, int limit) {
  return "Merkmals ID " + std::string(id) + " ist mehr als " + std::to_string(limit) + "stellig.";
}

}  // namespace

std::string IncreaseQuestion() {
  return lines({"Vordefinierte Anzahl von Stichproben wurde bereits gemessen.",
                "Soll die Stichprobenanzahl erhöht werden?"});
}

std::string WholeNumberMessage(std::string_view id) {
  return lines({"Merkamls ID " + std::string(id) + " entspricht nicht dem Typ Long (Ganzzahl).",
                kCorrectProgram});
}

std::string LengthMessage(std::string_view id, int limit) {
  return lines({tooLong(id, limit), kCorrectProgram});
}

std::string NestLengthMessage(std::string_view id, int limit) {
  return lines({tooLong(id, limit), "Dies ist bei Verwendung der Nestnummer nicht zulässig.",
                kCorrectProgram});
}

std::string SendQuestion() {
  return lines({"Die gemessene Stichprobenanzahl entspricht nicht der vordefinierten.",
                "Soll eine weitere Probe gemessen werden?"});
}

std::string LostLinkMessage() {
  return lines({"Kalvero antwortet nicht mehr.", kCaptureHalted, kValuesKept});
}

std::string NoSubscriptionMessage() {
  return lines({"Kalvero antwortet nicht.",
                "Es können keine Messwerte erfasst werden. Schließen Sie dieses Fenster und "
                "bestätigen Sie den Auftrag erneut, sobald Kalvero wieder läuft."});
}

std::string TooManySamplesMessage() {
  return lines(
      {"Es können höchstens 32767 Stichproben erfasst werden.", kCaptureHalted, kValuesKept});
}

std::string TooManyValuesMessage() {
  return lines(
      {"Eine Stichprobe kann höchstens 32767 Merkmale aufnehmen.", kCaptureHalted, kValuesKept});
}

std::string DiscardQuestion(int samples) {
  const std::string captured = samples == 1
                                   ? "Es ist 1 Stichprobe erfasst"
                                   : "Es sind " + std::to_string(samples) + " Stichproben erfasst";
  return lines(
      {captured + " und noch nicht übertragen.", "Fenster schließen und die Messwerte verwerfen?"});
}

}  // namespace kvotlk
