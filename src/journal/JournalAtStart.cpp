#include "journal/JournalAtStart.h"

#include <algorithm>

#include "common/Clock.h"
#include "common/Environment.h"
#include "common/FileSystem.h"
#include "common/Paths.h"
#include "common/Prompts.h"

namespace kvotlk {
namespace {

constexpr int kMostAsideNames = 100;

std::string twoDigits(int value) {
  std::string text = std::to_string(value);
  if (value < 10) {
    text.insert(text.begin(), '0');
  }
  return text;
}

// When the last sample has fewer values than the one before, its run was probably cut short
// when the program ended: the operator is told to delete it.
std::optional<std::string> cutShortHint(const JournaledCapture& capture) {
  const auto count = static_cast<std::size_t>(std::max<int>(capture.intAnzStichproben, 0));
  if (count < 2) {
    return std::nullopt;
  }
  const std::size_t last = capture.arrStichproben[count].dblMesswert.size() - 1;
  const std::size_t before = capture.arrStichproben[count - 1].dblMesswert.size() - 1;
  if (last >= before) {
    return std::nullopt;
  }
  return "Die letzte Stichprobe hat nur " + std::to_string(last) + " von " +
         std::to_string(before) +
         " Werten; ihre Messung wurde wohl unterbrochen. Löschen Sie sie nach dem "
         "Wiederherstellen mit \"Letzte Stichprobe löschen\".";
}

}  // namespace

std::string JournalPath(const Environment& env) { return joinPath(env.data(), kJournalName); }

bool JournalExists(Environment& env) { return env.files.fileExists(toFsPath(JournalPath(env))); }

JournalAtStart LookAtJournal(Environment& env) {
  const auto text = env.files.readFile(toFsPath(JournalPath(env)));
  if (!text) {
    return {};
  }
  if (JournalEnded(*text)) {
    // A capture that was over when its journal could not be removed.
    env.files.removeFile(toFsPath(JournalPath(env)));
    return {};
  }
  auto capture = ReadJournal(*text);
  if (!capture) {
    return {std::nullopt, SetJournalAside(env).value_or(JournalPath(env))};
  }
  if (capture->stagingName &&
      env.files.fileExists(toFsPath(StagingFolderOf(env.data()) + *capture->stagingName))) {
    env.files.removeFile(toFsPath(JournalPath(env)));
    return {};
  }
  return {std::move(capture), std::nullopt};
}

std::optional<std::string> SetJournalAside(Environment& env) {
  const LocalDateTime now = env.clock.now();
  const std::string stamp = std::to_string(now.year) + twoDigits(now.month) + twoDigits(now.day) +
                            "-" + twoDigits(now.hour) + twoDigits(now.minute) +
                            twoDigits(now.second);
  const Path journal = toFsPath(JournalPath(env));
  for (int n = 1; n <= kMostAsideNames; ++n) {
    std::string name = "Erfassung-" + stamp;
    if (n > 1) {
      name += '-';
      name += std::to_string(n);
    }
    name += ".journal";
    const std::string aside = joinPath(env.data(), name);
    if (env.files.renameNoReplace(journal, toFsPath(aside))) {
      return aside;
    }
    if (!env.files.fileExists(toFsPath(aside))) {
      return std::nullopt;
    }
  }
  return std::nullopt;
}

std::string RestoreQuestion(const JournaledCapture& capture) {
  const OrderForm& form = capture.form;
  const int count = capture.intAnzStichproben;
  std::string text = "Die Erfassung zu Auftrag " + form.txt_Auftrag + " (Artikel " +
                     form.txt_Artikel + ") vom " + form.txt_DatumTag + "." + form.txt_DatumMonat +
                     "." + form.txt_DatumJahr + " " + form.txt_UhrzeitStunde + ":" +
                     form.txt_UhrzeitMinute + " wurde nicht übertragen: " + std::to_string(count) +
                     (count == 1 ? " Stichprobe von " : " Stichproben von ") +
                     form.txt_Probenumfang + ".";
  if (const auto hint = cutShortHint(capture)) {
    return text + kCrLf + *hint + kCrLf + "Wiederherstellen?";
  }
  return text + " Wiederherstellen?";
}

std::string NotRestoredMessage(const std::string& keptAt) {
  return "Die Erfassung wurde nicht wiederhergestellt. Ihre Messwerte sind in der Datei " + keptAt +
         " aufbewahrt.";
}

std::string UnreadableJournalMessage(const std::string& keptAt) {
  return std::string(
             "Eine nicht übertragene Erfassung konnte nicht gelesen werden: die Datei ist "
             "beschädigt oder stammt von einer anderen Programmversion.") +
         kCrLf + "Sie wurde nicht wiederhergestellt und ist in der Datei " + keptAt +
         " aufbewahrt.";
}

std::string OtherProgramQuestion(const std::string& journaled, const std::string& open) {
  return "Die Erfassung wurde mit dem Messprogramm " + journaled +
         " begonnen, in Kalvero ist jetzt das Messprogramm " + open + " geöffnet." + kCrLf +
         "Trotzdem mit diesem Messprogramm fortsetzen?";
}

std::string JournalNotWrittenMessage(const std::string& path) {
  return "Die Datei " + path +
         " kann nicht geschrieben werden; die Erfassung ist nicht gegen einen Absturz "
         "gesichert." +
         kCrLf +
         "Die Messwerte werden trotzdem erfasst, gehen aber verloren, wenn der Konverter vor "
         "dem Senden beendet wird.";
}

}  // namespace kvotlk
