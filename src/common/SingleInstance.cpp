#include "common/SingleInstance.h"

#include "common/Prompts.h"

namespace kvotlk {

std::string AlreadyRunningMessage() {
  return std::string("Der Konverter läuft auf diesem PC bereits.") + kCrLf +
         "Es kann nur eine Erfassung zur Zeit laufen; dieser zweite Konverter wird beendet. "
         "Wechseln Sie zum offenen Konverter (er kann auch unter einem anderen Benutzer "
         "angemeldet laufen).";
}

}  // namespace kvotlk
