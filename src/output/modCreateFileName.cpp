#include "output/modCreateFileName.h"

#include <array>

#include "common/Clock.h"
#include "common/Environment.h"
#include "common/Paths.h"
#include "common/Prompts.h"
#include "common/Text.h"
#include "output/modTuLOutput.h"
#include "settings/SettingReaders.h"
#include "state/modGlobaleVariablen.h"

namespace kvotlk {
namespace {

constexpr std::uint32_t kLetters = 26;
constexpr std::size_t kExtensionChars = 4;
constexpr std::int16_t kRandomNameLength = 8;
// File systems take names of at most 255 characters; five are kept in hand so the
// temporary names ("~" + name + tag + ".tmp", the name cut where needed) keep most of the
// name. The date-time stamp adds "_" + date + "_" + time.
constexpr std::size_t kLongestName = 255 - 5;
constexpr std::size_t kStampChars = 16;

constexpr std::array<std::string_view, 22> kDeviceNames = {
    "con",  "prn",  "aux",  "nul",  "com1", "com2", "com3", "com4", "com5", "com6", "com7",
    "com8", "com9", "lpt1", "lpt2", "lpt3", "lpt4", "lpt5", "lpt6", "lpt7", "lpt8", "lpt9"};

bool isDeviceName(std::string_view name) {
  const std::string base = lowerCase(name.substr(0, name.find('.')));
  for (const std::string_view device : kDeviceNames) {
    if (base == device) {
      return true;
    }
  }
  return false;
}

std::string quoted(std::string_view text) {
  std::string result(1, '"');
  result += text;
  result += '"';
  return result;
}

}  // namespace

std::string CreateRandomFileName(RandomSource& random, std::string_view strExtension,
                                 std::int16_t intLength) {
  std::string name;
  for (int k = 0; k < intLength; ++k) {
    name += static_cast<char>('A' + random.below(kLetters));
  }
  name += '.';
  name += strExtension;
  return name;
}

std::string StampedFileName(std::string_view strFile, std::string_view strDate,
                            std::string_view strTime) {
  const std::size_t chars = charCount(strFile);
  const std::size_t keep = chars > kExtensionChars ? chars - kExtensionChars : 0;
  return leftChars(strFile, keep) + "_" + std::string(strDate) + "_" + std::string(strTime) +
         rightChars(strFile, kExtensionChars);
}

std::optional<std::string> FixedFileNameProblem(std::string_view strFile, bool blnStamp) {
  if (strFile.empty()) {
    return "Der feste Dateiname (Einstellung FILE) ist leer.";
  }
  const bool badEnd = strFile.back() == '.' || strFile.back() == ' ';
  // "." and ".." end in a point; a name with ".." inside ("Daten..txt") is a name.
  if (hasCharNotAllowedInFileName(strFile) || badEnd || isDeviceName(strFile)) {
    return "Der feste Dateiname " + quoted(strFile) +
           " (Einstellung FILE) ist als Dateiname nicht zulässig." + std::string(kCrLf) +
           "Er darf keine Pfadangabe, keines der Zeichen \\ / : * ? \" < > | "
           "und am Ende keinen Punkt und kein Leerzeichen haben.";
  }
  const std::size_t chars = charCount(strFile);
  const std::size_t longest = blnStamp ? kLongestName - kStampChars : kLongestName;
  if (chars > longest) {
    return "Der feste Dateiname (Einstellung FILE) ist mit " + std::to_string(chars) +
           " Zeichen zu lang." + std::string(kCrLf) + "Er darf höchstens " +
           std::to_string(longest) + " Zeichen lang sein" +
           (blnStamp ? " (mit der Datums- und Uhrzeitergänzung)." : ".");
  }
  if (blnStamp && chars < kExtensionChars) {
    return "Der feste Dateiname " + quoted(strFile) +
           " (Einstellung FILE) ist für die Datums- und Uhrzeitergänzung zu kurz." +
           std::string(kCrLf) +
           "Er muss mindestens 4 Zeichen lang sein; die letzten 4 Zeichen gelten als "
           "Dateiendung.";
  }
  return std::nullopt;
}

ResultFileName ChooseResultFileName(Environment& env, const modGlobaleVariablen& g) {
  ResultFileName result;
  if (ReadConfigFlag(env, g, SettingKey::RANDOM)) {
    result.mode = NamingMode::Random;
    result.name = CreateRandomFileName(env.random, "txt", kRandomNameLength);
    return result;
  }
  const bool stamp = ReadConfigFlag(env, g, SettingKey::DateTimeStamp);
  const std::string file = ReadConfig(env, g, SettingKey::FILE);
  result.mode = stamp ? NamingMode::Stamped : NamingMode::Fixed;
  if (const auto problem = FixedFileNameProblem(file, stamp)) {
    result.problem = *problem + kCrLf +
                     "Korrigieren Sie den festen Dateinamen in der Konfiguration; es wurden "
                     "keine Daten gesendet.";
    return result;
  }
  if (stamp) {
    const std::string date = GetDateString(env.clock);
    const std::string time = GetTimeString(env.clock);
    result.name = StampedFileName(file, date, time);
  } else {
    result.name = file;
  }
  return result;
}

}  // namespace kvotlk
