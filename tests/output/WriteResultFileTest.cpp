#include <gtest/gtest.h>

#include <functional>

#include "common/Text.h"
#include "output/OutputFixture.h"
#include "output/OutputMessages.h"

namespace kvotlk::test {
namespace {

std::string logOf(const Names& lines) { return toCp1252(crlfLines(lines)); }

TEST(WriteResultFileTest, DeliveredWithTheFixedNameOnAFreshInstallation) {
  SendWorld w;
  w.t.g.KvoApp = w.t.kalvero.start();
  ASSERT_FALSE(w.t.files.hasFolder(w.staging));
  EXPECT_TRUE(w.send());
  EXPECT_TRUE(w.t.prompts.shown.empty());
  EXPECT_EQ(w.t.files.content(w.targetPath("Solvik.txt")), exampleFile());
  EXPECT_EQ(w.t.files.filesIn(w.target), Names{"Solvik.txt"});
  EXPECT_EQ(w.t.files.filesIn(w.staging), Names{"TLDebug.txt"});
  EXPECT_EQ(
      w.log(),
      logOf({"Debug gestartet von T&L Konverter Version 1.2011.115", "Kalvero Version Kalvero 3.7",
             "strTempPath = " + w.staging, "strTempPath existiert nun",
             "Fester Dateiname ist aktiv", "Dateiname lautet: Solvik.txt",
             "strTempFile lautet: " + w.staging + "Solvik.txt", "intFileNumber lautet: 2",
             "intAnzNachkomma = 3", "i =1", "i =2", "Datei wird in das Zielverzeichnis kopiert",
             "Zielverzeichnis: " + w.target, "Temp Verzeichnis: " + w.staging,
             "Dateiname: Solvik.txt", "Temp Datei wird gelöscht"}));
  EXPECT_NE(w.log().find("Temp Datei wird gel\xF6scht\r\n"), std::string::npos);
}

TEST(WriteResultFileTest, RandomAndStampedNamesInTheLog) {
  SendWorld w;
  w.t.setSetting("RANDOM", "1");
  w.t.random.draws = {10, 16, 22, 12, 19, 17, 0, 1};
  w.t.files.addFile(w.staging + "TLDebug.txt", "altes Protokoll\r\n");
  ASSERT_TRUE(w.send());
  EXPECT_EQ(w.t.files.filesIn(w.target), Names{"KQWMTRAB.txt"});
  EXPECT_EQ(w.log().find("altes"), std::string::npos);
  EXPECT_NE(w.log().find(logOf({"strTempPath existiert nun", "RANDOM Dateiname ist aktiv",
                                "RANDOM Dateiname: KQWMTRAB.txt",
                                "strTempFile lautet: " + w.staging + "KQWMTRAB.txt"})),
            std::string::npos);

  SendWorld stamped;
  stamped.t.setSetting("DateTimeStamp", "1");
  stamped.t.setSetting("FILE", "Daten.dat");
  ASSERT_TRUE(stamped.send());
  EXPECT_EQ(stamped.t.files.filesIn(stamped.target), Names{"Daten_20261205_093005.dat"});
  EXPECT_NE(stamped.log().find(logOf({"strTempPath existiert nun", "Fester Dateiname ist aktiv",
                                      "Datums und Uhrzeitergänzung ist aktiv",
                                      "Dateiname lautet: Daten_20261205_093005.dat"})),
            std::string::npos);
}

// No application held, or one that does not answer: the version line stays empty.
TEST(WriteResultFileTest, VersionOfTheCmmSoftwareThatDoesNotAnswer) {
  for (const bool held : {false, true}) {
    SendWorld w;
    if (held) {
      w.t.g.KvoApp = w.t.kalvero.start();
      w.t.kalvero.app->goAway();
    }
    ASSERT_TRUE(w.send());
    EXPECT_NE(w.log().find("\r\nKalvero Version \r\nstrTempPath = "), std::string::npos);
  }
}

TEST(WriteResultFileTest, EveryStopMessageOfASendByteForByte) {
  EXPECT_EQ(MessageStagingFolder("T\\"),
            "Verzeichnis T\\ kann vom System nicht erzeugt werden.\r\n"
            "Überprüfen Sie die Zugriffsberechtigung.");
  EXPECT_EQ(MessageNameTaken("T\\"),
            "Datei mit diesem Namen existiert noch im Verzeichnis T\\.\r\n"
            "Sichern oder löschen Sie diese Datei bevor die Daten gesendet werden.");
  EXPECT_EQ(MessageCopyFailed("T\\"),
            "Kopieren der Ergebnisdatei in das Zielverzeichnis konnte nicht durchgeführt "
            "werden.\r\nÜberprüfen Sie die Zugriffsberechtigung oder die Netzwerkverbindung.\r\n"
            "Kopieren Sie die Datei aus dem Verzeichnis T\\ manuell zu einem späteren Zeitpunkt "
            "in das Zielverzeichnis.");
  EXPECT_EQ(MessageLogFailed("T\\TLDebug.txt", "T\\"),
            "Die Protokolldatei T\\TLDebug.txt kann nicht geschrieben werden.\r\n"
            "Schließen Sie das Programm, das sie geöffnet hat, oder überprüfen Sie die "
            "Zugriffsberechtigung im Verzeichnis T\\.\r\n"
            "Die Daten werden ohne Protokoll gesendet.");
  EXPECT_EQ(MessageResultFailed("T\\R.txt", "T\\"),
            "Die Ergebnisdatei T\\R.txt konnte nicht geschrieben werden.\r\nÜberprüfen Sie den "
            "freien Speicherplatz und die Zugriffsberechtigung im Verzeichnis T\\.\r\n"
            "Es wurden keine Daten gesendet; die Stichproben bleiben erhalten.");
  EXPECT_EQ(MessageStagedCopyKept("R.txt", "T\\"),
            "Die Ergebnisdatei R.txt wurde in das Zielverzeichnis kopiert.\r\n"
            "Ihre Kopie im Verzeichnis T\\ konnte nicht gelöscht werden.\r\n"
            "Löschen Sie diese Kopie, bevor die nächsten Daten gesendet werden.");
  EXPECT_EQ(MessageCaptureData("Stichprobe 3 fehlt."),
            "Stichprobe 3 fehlt.\r\nDie Messdaten können so nicht gesendet werden; die "
            "Stichproben bleiben erhalten.");
}

// Calls of this kind on this path fail, the first `times` of them.
void failOn(SendWorld& w, FsOp op, const std::string& path, int times = 4) {
  w.t.files.failWhen = [op, key = fsKey(toFsPath(path)), times,
                        count = 0](const FsCall& c) mutable {
    return c.op == op && c.path == key && ++count <= times;
  };
}

// The sends the fault injection cannot stage (names taken, a target that is not there or
// is the staging folder) and the log and waits of the retries. A file that lay there before
// keeps its bytes; any other under the name is complete.
TEST(WriteResultFileTest, RetriesAndTakenNamesWithTheirFilesMessageAndLog) {
  using Waits = std::vector<int>;
  const SendWorld probe;
  const std::string temp = probe.staging;
  const std::string missing =
      " fehlgeschlagen: Zielverzeichnis existiert nicht oder ist nicht erreichbar";
  const std::string rename =
      " fehlgeschlagen: temporäre Datei im Zielverzeichnis kann nicht umbenannt werden";
  const std::string undeleted = "Löschen der Temp Datei fehlgeschlagen (Versuch ";
  const Names both{"Solvik.txt", "TLDebug.txt"};
  const Names logOnly{"TLDebug.txt"};
  const Names file{"Solvik.txt"};
  struct Case {
    const char* what;
    std::function<void(SendWorld&)> setup;
    bool result;
    Names staged;
    Names delivered;
    std::string message;
    Names logEnd;
    Waits waits;
  };
  const Case cases[] = {
      {"NameTakenInTheStagingFolder",
       [](SendWorld& w) { w.t.files.addFile(w.stagedPath("Solvik.txt"), "frueher"); }, false, both,
       Names{}, MessageNameTaken(temp),
       Names{"intFileNumber lautet: 2", "Datei mit dem Namen existiert noch im strTempPath"},
       Waits{}},
      {"NameTakenInTheTargetIsNotRetriedAndKeepsBothFiles",
       [](SendWorld& w) { w.t.files.addFile(w.targetPath("Solvik.txt"), "nicht abgeholt"); }, true,
       both, file, MessageCopyFailed(temp),
       Names{"Dateiname: Solvik.txt",
             "Kopierversuch 1 fehlgeschlagen: Datei mit dem Namen existiert schon im "
             "Zielverzeichnis",
             "Kopiervorgang ist fehlgeschlagen"},
       Waits{}},
      {"TargetEqualToTheStagingFolderKeepsTheStagedFile",
       [](SendWorld& w) { w.t.setSetting("DIR", w.staging); }, true, both, Names{},
       MessageCopyFailed(temp), Names{}, Waits{}},
      {"MissingTargetIsRetriedThenReported",
       [](SendWorld& w) { w.t.setSetting("DIR", w.target + "x"); }, true, both, Names{},
       MessageCopyFailed(temp),
       Names{"Dateiname: Solvik.txt", "Kopierversuch 1" + missing, "Neuer Versuch in 250 ms",
             "Kopierversuch 2" + missing, "Neuer Versuch in 500 ms", "Kopierversuch 3" + missing,
             "Neuer Versuch in 1000 ms", "Kopierversuch 4" + missing,
             "Kopiervorgang ist fehlgeschlagen"},
       Waits{250, 500, 1000}},
      {"PassingFailureOfTheTargetIsRetried",
       [](SendWorld& w) { failOn(w, FsOp::Rename, w.targetPath("Solvik.txt"), 2); }, true, logOnly,
       file, "",
       Names{"Dateiname: Solvik.txt", "Kopierversuch 1" + rename, "Neuer Versuch in 250 ms",
             "Kopierversuch 2" + rename, "Neuer Versuch in 500 ms", "Temp Datei wird gelöscht"},
       Waits{250, 500}},
      {"TargetWithTrailingSeparator", [](SendWorld& w) { w.t.setSetting("DIR", w.target + sep()); },
       true, logOnly, file, "",
       Names{"Zielverzeichnis: " + probe.target + sep(), "Temp Verzeichnis: " + temp,
             "Dateiname: Solvik.txt", "Temp Datei wird gelöscht"},
       Waits{}},
      {"StagedCopyThatCannotBeDeletedAfterDelivery",
       [](SendWorld& w) { failOn(w, FsOp::RemoveFile, w.stagedPath("Solvik.txt")); }, true, both,
       file, MessageStagedCopyKept("Solvik.txt", temp),
       Names{"Temp Datei wird gelöscht", undeleted + "1)", "Neuer Versuch in 250 ms",
             undeleted + "2)", "Neuer Versuch in 500 ms", undeleted + "3)",
             "Neuer Versuch in 1000 ms", undeleted + "4)",
             "Temp Datei konnte nicht gelöscht werden"},
       Waits{250, 500, 1000}},
      {"FullDiskWhileWriting",
       [](SendWorld& w) { failOn(w, FsOp::Write, w.stagedPath("~Solvik.txt.00001267AAAA.tmp")); },
       false, logOnly, Names{}, MessageResultFailed(temp + "Solvik.txt", temp),
       Names{"intAnzNachkomma = 3", "Ergebnisdatei konnte nicht geschrieben werden"}, Waits{}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    SendWorld w;
    c.setup(w);
    const auto before = w.t.files.files;
    EXPECT_EQ(w.send(), c.result);
    EXPECT_EQ(w.t.files.filesIn(w.staging), c.staged);
    EXPECT_EQ(w.t.files.filesIn(w.target), c.delivered);
    for (const std::string& path : {w.stagedPath("Solvik.txt"), w.targetPath("Solvik.txt")}) {
      const auto earlier = before.find(fsKey(toFsPath(path)));
      if (w.t.files.hasFile(path)) {
        EXPECT_EQ(w.t.files.content(path),
                  earlier == before.end() ? exampleFile() : earlier->second);
      }
    }
    const std::vector<ShownPrompt> stop{{PromptKind::Stop, c.message}};
    EXPECT_EQ(w.t.prompts.shown, c.message.empty() ? std::vector<ShownPrompt>{} : stop);
    EXPECT_TRUE(w.log().ends_with(logOf(c.logEnd))) << w.log();
    EXPECT_EQ(w.t.clock.sleeps,
              std::vector<std::chrono::milliseconds>(c.waits.begin(), c.waits.end()));
  }
}

TEST(WriteResultFileTest, RefusedBeforeAnyFileButTheLogIsTouched) {
  struct Case {
    const char* file;
    const char* stamp;
    bool breakData;
    const char* message;
  };
  const Case cases[] = {
      {"../Solvik.txt", "0", false, "Der feste Dateiname \"../Solvik.txt\" (Einstellung FILE)"},
      {"", "0", false, "Der feste Dateiname (Einstellung FILE) ist leer."},
      {"txt", "1", false, "Der feste Dateiname \"txt\" (Einstellung FILE) ist für die Datums-"},
      {"Solvik.txt", "0", true,
       "Stichprobe 2 enthält nur 1 von 2 Messwerten.\r\nDie Messdaten können so nicht gesendet "
       "werden; die Stichproben bleiben erhalten."},
  };
  for (const Case& c : cases) {
    SendWorld w;
    w.t.setSetting("FILE", c.file);
    w.t.setSetting("DateTimeStamp", c.stamp);
    if (c.breakData) {
      w.t.g.arrStichproben[2].dblMesswert.resize(2);
    }
    EXPECT_FALSE(w.send()) << c.file;
    ASSERT_EQ(w.t.prompts.shown.size(), 1U);
    EXPECT_TRUE(w.t.prompts.shown[0].text.starts_with(c.message)) << w.t.prompts.shown[0].text;
    // At most the log is replaced (case stationen/abgelehnt-mit-protokoll).
    for (const FsCall& call : w.t.files.calls) {
      EXPECT_TRUE(call.path == fsKey(toFsPath(w.staging)) ||
                  call.path == fsKey(toFsPath(w.staging + "TLDebug.txt")))
          << call.path;
    }
  }
}

// NumDez that is not a whole number counts as 3; outside 1..5 it is logged as read and
// gives three decimals.
TEST(WriteResultFileTest, DecimalsSettingAndSeparator) {
  struct Case {
    const char* numDez;
    const char* logged;
    const char* firstValue;
  };
  const Case cases[] = {
      {"5", "5", "12,34560"}, {"1", "1", "12,3"},     {"0", "0", "12,346"},   {"6", "6", "12,346"},
      {"-2", "-2", "12,346"}, {"2,5", "3", "12,346"}, {"abc", "3", "12,346"}, {"", "3", "12,346"},
  };
  for (const Case& c : cases) {
    SendWorld w;
    w.t.setSetting("NumDez", c.numDez);
    ASSERT_TRUE(w.send());
    EXPECT_NE(w.log().find("\r\nintAnzNachkomma = " + std::string(c.logged) + "\r\ni =1\r\n"),
              std::string::npos)
        << c.numDez;
    EXPECT_NE(w.t.files.content(w.targetPath("Solvik.txt"))
                  .find("BEGINN_WERTE\r\n" + std::string(c.firstValue) + "\r\n"),
              std::string::npos)
        << c.numDez;
  }
  SendWorld english;
  english.t.numbers = englishNumbers();
  ASSERT_TRUE(english.send());
  EXPECT_NE(english.t.files.content(english.targetPath("Solvik.txt")).find("\r\n-0.013\r\n"),
            std::string::npos);
}

}  // namespace
}  // namespace kvotlk::test
