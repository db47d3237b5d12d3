#include <gtest/gtest.h>

#include "common/Text.h"
#include "output/OutputFixture.h"
#include "output/modTuLOutput.h"

namespace kvotlk::test {
namespace {

using std::chrono::milliseconds;
using Names = std::vector<std::string>;

std::string logOf(std::initializer_list<std::string> lines) { return toCp1252(crlfLines(lines)); }

class WriteResultFileTest : public ::testing::Test {
 protected:
  void SetUp() override { w.t.g.KvoApp = w.t.kalvero.start(); }

  bool send() { return WriteResultFile(w.t.env, w.t.g, w.form); }
  std::vector<ShownPrompt>& shown() { return w.t.prompts.shown; }
  Names staged() const { return w.t.files.filesIn(w.staging); }
  Names delivered() const { return w.t.files.filesIn(w.target); }
  std::string head() const { return "strTempPath = " + w.staging; }

  SendWorld w;
};

TEST_F(WriteResultFileTest, DeliveredWithTheFixedNameOnAFreshInstallation) {
  ASSERT_FALSE(w.t.files.hasFolder(w.staging));
  EXPECT_TRUE(send());
  EXPECT_TRUE(shown().empty());
  EXPECT_EQ(w.t.files.content(w.targetPath("Solvik.txt")), exampleFile());
  EXPECT_EQ(delivered(), Names{"Solvik.txt"});
  EXPECT_EQ(staged(), Names{"TLDebug.txt"});
  EXPECT_EQ(w.log(), logOf({"Debug gestartet von T&L Konverter Version 1.2011.115",
                            "Kalvero Version Kalvero 3.7", head(), "strTempPath existiert nun",
                            "Fester Dateiname ist aktiv", "Dateiname lautet: Solvik.txt",
                            "strTempFile lautet: " + w.staging + "Solvik.txt",
                            "intFileNumber lautet: 2", "intAnzNachkomma = 3", "i =1", "i =2",
                            "Datei wird in das Zielverzeichnis kopiert",
                            "Zielverzeichnis: " + w.target, "Temp Verzeichnis: " + w.staging,
                            "Dateiname: Solvik.txt", "Temp Datei wird gelöscht"}));
  EXPECT_NE(w.log().find("Temp Datei wird gel\xF6scht\r\n"), std::string::npos);
}

TEST_F(WriteResultFileTest, RandomAndStampedNamesInTheLog) {
  w.t.setSetting("RANDOM", "1");
  w.t.random.draws = {10, 16, 22, 12, 19, 17, 0, 1};
  w.t.files.addFile(w.staging + "TLDebug.txt", "altes Protokoll\r\n");
  ASSERT_TRUE(send());
  EXPECT_EQ(delivered(), Names{"KQWMTRAB.txt"});
  const std::string log = w.log();
  EXPECT_EQ(log.find("altes"), std::string::npos);
  EXPECT_NE(log.find(logOf({"strTempPath existiert nun", "RANDOM Dateiname ist aktiv",
                            "RANDOM Dateiname: KQWMTRAB.txt",
                            "strTempFile lautet: " + w.staging + "KQWMTRAB.txt"})),
            std::string::npos);

  SendWorld stamped;
  stamped.t.setSetting("DateTimeStamp", "1");
  stamped.t.setSetting("FILE", "Daten.dat");
  ASSERT_TRUE(WriteResultFile(stamped.t.env, stamped.t.g, stamped.form));
  EXPECT_EQ(stamped.t.files.filesIn(stamped.target), Names{"Daten_20261205_093005.dat"});
  EXPECT_NE(stamped.log().find(logOf({"strTempPath existiert nun", "Fester Dateiname ist aktiv",
                                      "Datums und Uhrzeitergänzung ist aktiv",
                                      "Dateiname lautet: Daten_20261205_093005.dat"})),
            std::string::npos);
  EXPECT_NE(stamped.log().find("Uhrzeiterg\xE4nzung"), std::string::npos);
}

TEST_F(WriteResultFileTest, VersionOfTheCmmSoftwareThatDoesNotAnswer) {
  w.t.kalvero.app->goAway();
  ASSERT_TRUE(send());
  EXPECT_NE(w.log().find("\r\nKalvero Version \r\nstrTempPath = "), std::string::npos);
  SendWorld none;
  ASSERT_TRUE(WriteResultFile(none.t.env, none.t.g, none.form));
  EXPECT_NE(none.log().find("\r\nKalvero Version \r\nstrTempPath = "), std::string::npos);
}

const std::string kCopyFailedText =
    "Kopieren der Ergebnisdatei in das Zielverzeichnis konnte nicht durchgeführt werden.\r\n"
    "Überprüfen Sie die Zugriffsberechtigung oder die Netzwerkverbindung.\r\n"
    "Kopieren Sie die Datei aus dem Verzeichnis ";

TEST_F(WriteResultFileTest, OutcomeTable) {
  enum class Case { Delivered, CopyFailed, NameTaken, StagingFails };
  struct Row {
    Case setup;
    bool result;
    Names staging;
    Names target;
    std::string message;  // after the staging path in it
  };
  const std::string temp = w.staging;
  const Row rows[] = {
      {Case::Delivered, true, {"TLDebug.txt"}, {"Solvik.txt", "andere.txt"}, ""},
      {Case::CopyFailed,
       true,
       {"Solvik.txt", "TLDebug.txt"},
       {"andere.txt"},
       kCopyFailedText + temp + " manuell zu einem späteren Zeitpunkt in das Zielverzeichnis."},
      {Case::NameTaken,
       false,
       {"Solvik.txt", "TLDebug.txt"},
       {"andere.txt"},
       "Datei mit diesem Namen existiert noch im Verzeichnis " + temp +
           ".\r\nSichern oder löschen Sie diese Datei bevor die Daten gesendet werden."},
      {Case::StagingFails,
       false,
       {},
       {"andere.txt"},
       "Verzeichnis " + temp +
           " kann vom System nicht erzeugt werden.\r\nÜberprüfen Sie die Zugriffsberechtigung."},
  };
  for (const Row& row : rows) {
    SendWorld s;
    s.t.g.KvoApp = s.t.kalvero.start();
    s.t.files.addFile(s.targetPath("andere.txt"), "x");
    if (row.setup == Case::CopyFailed) {
      s.t.setSetting("DIR", s.target + "x");
    } else if (row.setup == Case::NameTaken) {
      s.t.files.addFile(s.stagedPath("Solvik.txt"), "frueher");
    } else if (row.setup == Case::StagingFails) {
      s.t.files.failWhen = [](const FsCall& c) { return c.op == FsOp::CreateFolder; };
    }
    const auto what = static_cast<int>(row.setup);
    EXPECT_EQ(WriteResultFile(s.t.env, s.t.g, s.form), row.result) << what;
    EXPECT_EQ(s.t.files.filesIn(s.staging), row.staging) << what;
    EXPECT_EQ(s.t.files.filesIn(s.target), row.target) << what;
    if (row.message.empty()) {
      EXPECT_TRUE(s.t.prompts.shown.empty());
    } else {
      ASSERT_EQ(s.t.prompts.shown.size(), 1U) << what;
      EXPECT_EQ(s.t.prompts.shown[0], (ShownPrompt{PromptKind::Stop, row.message})) << what;
    }
  }
}

TEST_F(WriteResultFileTest, NameTakenInTheStagingFolder) {
  w.t.files.addFile(w.stagedPath("Solvik.txt"), "frueher");
  EXPECT_FALSE(send());
  EXPECT_EQ(w.t.files.content(w.stagedPath("Solvik.txt")), "frueher");
  EXPECT_TRUE(delivered().empty());
  EXPECT_TRUE(w.log().ends_with(
      "intFileNumber lautet: 2\r\nDatei mit dem Namen existiert noch im strTempPath\r\n"));

  // After the operator removes the file, the send goes through.
  shown().clear();
  w.t.files.files.erase(fsKey(toFsPath(w.stagedPath("Solvik.txt"))));
  EXPECT_TRUE(send());
  EXPECT_TRUE(shown().empty());
  EXPECT_EQ(delivered(), Names{"Solvik.txt"});
}

TEST_F(WriteResultFileTest, MissingTargetIsRetriedThenReported) {
  w.t.setSetting("DIR", w.target + "x");
  EXPECT_TRUE(send());
  EXPECT_EQ(w.t.files.content(w.stagedPath("Solvik.txt")), exampleFile());
  EXPECT_EQ(w.t.clock.sleeps,
            (std::vector<milliseconds>{milliseconds(250), milliseconds(500), milliseconds(1000)}));
  const std::string reason =
      " fehlgeschlagen: Zielverzeichnis existiert nicht oder ist nicht "
      "erreichbar";
  EXPECT_TRUE(w.log().ends_with(
      logOf({"Dateiname: Solvik.txt", "Kopierversuch 1" + reason, "Neuer Versuch in 250 ms",
             "Kopierversuch 2" + reason, "Neuer Versuch in 500 ms", "Kopierversuch 3" + reason,
             "Neuer Versuch in 1000 ms", "Kopierversuch 4" + reason,
             "Kopiervorgang ist fehlgeschlagen"})));
}

TEST_F(WriteResultFileTest, NameTakenInTheTargetIsNotRetriedAndKeepsBothFiles) {
  w.t.files.addFile(w.targetPath("Solvik.txt"), "vom CAQ noch nicht abgeholt");
  EXPECT_TRUE(send());
  ASSERT_EQ(shown().size(), 1U);
  EXPECT_TRUE(shown()[0].text.starts_with(kCopyFailedText));
  EXPECT_TRUE(w.t.clock.sleeps.empty());
  EXPECT_EQ(w.t.files.content(w.targetPath("Solvik.txt")), "vom CAQ noch nicht abgeholt");
  EXPECT_EQ(w.t.files.content(w.stagedPath("Solvik.txt")), exampleFile());
  EXPECT_TRUE(w.log().ends_with(logOf(
      {"Dateiname: Solvik.txt",
       "Kopierversuch 1 fehlgeschlagen: Datei mit dem Namen existiert schon im Zielverzeichnis",
       "Kopiervorgang ist fehlgeschlagen"})));
}

TEST_F(WriteResultFileTest, TargetEqualToTheStagingFolderKeepsTheStagedFile) {
  w.t.setSetting("DIR", w.staging);
  EXPECT_TRUE(send());
  ASSERT_EQ(shown().size(), 1U);
  EXPECT_TRUE(shown()[0].text.starts_with(kCopyFailedText));
  EXPECT_EQ(staged(), (Names{"Solvik.txt", "TLDebug.txt"}));
}

TEST_F(WriteResultFileTest, TargetWithTrailingSeparator) {
  w.t.setSetting("DIR", w.target + sep());
  EXPECT_TRUE(send());
  EXPECT_EQ(delivered(), Names{"Solvik.txt"});
  EXPECT_NE(w.log().find("Zielverzeichnis: " + w.target + sep() + "\r\n"), std::string::npos);
}

TEST_F(WriteResultFileTest, PassingFailureOfTheTargetIsRetried) {
  int renames = 0;
  w.t.files.failWhen = [&renames](const FsCall& c) {
    return c.op == FsOp::Rename && c.path.find("caq") != std::string::npos && ++renames <= 2;
  };
  EXPECT_TRUE(send());
  EXPECT_TRUE(shown().empty());
  EXPECT_EQ(delivered(), Names{"Solvik.txt"});
  EXPECT_EQ(w.t.clock.sleeps, (std::vector<milliseconds>{milliseconds(250), milliseconds(500)}));
  const std::string reason =
      " fehlgeschlagen: temporäre Datei im Zielverzeichnis kann nicht umbenannt werden";
  EXPECT_TRUE(w.log().ends_with(
      logOf({"Dateiname: Solvik.txt", "Kopierversuch 1" + reason, "Neuer Versuch in 250 ms",
             "Kopierversuch 2" + reason, "Neuer Versuch in 500 ms", "Temp Datei wird gelöscht"})));
}

TEST_F(WriteResultFileTest, StagedCopyThatCannotBeDeletedAfterDelivery) {
  const std::string stagedKey = fsKey(toFsPath(w.stagedPath("Solvik.txt")));
  w.t.files.failWhen = [&stagedKey](const FsCall& c) {
    return c.op == FsOp::RemoveFile && c.path == stagedKey;
  };
  EXPECT_TRUE(send());
  ASSERT_EQ(shown().size(), 1U);
  EXPECT_EQ(shown()[0].text,
            "Die Ergebnisdatei Solvik.txt wurde in das Zielverzeichnis kopiert.\r\nIhre Kopie im "
            "Verzeichnis " +
                w.staging +
                " konnte nicht gelöscht werden.\r\nLöschen Sie diese Kopie, bevor die nächsten "
                "Daten gesendet werden.");
  EXPECT_EQ(w.t.files.content(w.targetPath("Solvik.txt")), exampleFile());
  EXPECT_TRUE(w.log().ends_with(
      logOf({"Temp Datei wird gelöscht", "Löschen der Temp Datei fehlgeschlagen (Versuch 1)",
             "Neuer Versuch in 250 ms", "Löschen der Temp Datei fehlgeschlagen (Versuch 2)",
             "Neuer Versuch in 500 ms", "Löschen der Temp Datei fehlgeschlagen (Versuch 3)",
             "Neuer Versuch in 1000 ms", "Löschen der Temp Datei fehlgeschlagen (Versuch 4)",
             "Temp Datei konnte nicht gelöscht werden"})));
}

TEST_F(WriteResultFileTest, DebugLogThatCannotBeDeletedOrOpened) {
  const std::string logKey = fsKey(toFsPath(w.staging + "TLDebug.txt"));
  for (const FsOp op : {FsOp::RemoveFile, FsOp::CreateFile}) {
    SendWorld s;
    s.t.files.addFile(s.staging + "TLDebug.txt", "alt");
    s.t.files.failWhen = [&logKey, op](const FsCall& c) { return c.op == op && c.path == logKey; };
    EXPECT_FALSE(WriteResultFile(s.t.env, s.t.g, s.form));
    ASSERT_EQ(s.t.prompts.shown.size(), 1U);
    EXPECT_EQ(s.t.prompts.shown[0].text,
              "Die Protokolldatei " + s.staging +
                  "TLDebug.txt kann nicht geschrieben werden.\r\nÜberprüfen Sie die "
                  "Zugriffsberechtigung im Verzeichnis " +
                  s.staging +
                  ".\r\nEs wurden keine Daten gesendet; die Stichproben bleiben erhalten.");
    // The old log is kept when it cannot be deleted; no result file is written.
    EXPECT_EQ(s.t.files.filesIn(s.staging),
              op == FsOp::RemoveFile ? Names{"TLDebug.txt"} : Names{});
    EXPECT_TRUE(s.t.files.filesIn(s.target).empty());
  }
}

TEST_F(WriteResultFileTest, FullDiskWhileWritingLeavesNothingThatBlocksTheNextSend) {
  w.t.files.failWhen = [](const FsCall& c) {
    return c.op == FsOp::Write && c.path.ends_with("~Solvik.txt.tmp");
  };
  EXPECT_FALSE(send());
  ASSERT_EQ(shown().size(), 1U);
  EXPECT_EQ(shown()[0].text,
            "Die Ergebnisdatei " + w.staging +
                "Solvik.txt konnte nicht geschrieben werden.\r\nÜberprüfen Sie den freien "
                "Speicherplatz und die Zugriffsberechtigung im Verzeichnis " +
                w.staging +
                ".\r\nEs wurden keine Daten gesendet; die Stichproben bleiben erhalten.");
  EXPECT_EQ(staged(), Names{"TLDebug.txt"});
  EXPECT_TRUE(delivered().empty());
  EXPECT_TRUE(w.log().ends_with("Ergebnisdatei konnte nicht geschrieben werden\r\n"));

  w.t.files.clearFaults();
  shown().clear();
  EXPECT_TRUE(send());
  EXPECT_TRUE(shown().empty());
  EXPECT_EQ(w.t.files.content(w.targetPath("Solvik.txt")), exampleFile());
}

TEST_F(WriteResultFileTest, RefusedBeforeAnyFileIsTouched) {
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
    SendWorld s;
    s.t.setSetting("FILE", c.file);
    s.t.setSetting("DateTimeStamp", c.stamp);
    if (c.breakData) {
      s.t.g.arrStichproben[2].dblMesswert.resize(2);
    }
    EXPECT_FALSE(WriteResultFile(s.t.env, s.t.g, s.form)) << c.file;
    ASSERT_EQ(s.t.prompts.shown.size(), 1U);
    EXPECT_TRUE(s.t.prompts.shown[0].text.starts_with(c.message)) << s.t.prompts.shown[0].text;
    EXPECT_TRUE(s.t.files.calls.empty()) << c.file;
  }
}

TEST_F(WriteResultFileTest, DecimalsSettingAndSeparator) {
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
    SendWorld s;
    s.t.setSetting("NumDez", c.numDez);
    ASSERT_TRUE(WriteResultFile(s.t.env, s.t.g, s.form));
    EXPECT_NE(s.log().find("\r\nintAnzNachkomma = " + std::string(c.logged) + "\r\ni =1\r\n"),
              std::string::npos)
        << c.numDez;
    EXPECT_NE(s.t.files.content(s.targetPath("Solvik.txt"))
                  .find("BEGINN_WERTE\r\n" + std::string(c.firstValue) + "\r\n"),
              std::string::npos)
        << c.numDez;
  }
  SendWorld english;
  english.t.numbers = englishNumbers();
  ASSERT_TRUE(WriteResultFile(english.t.env, english.t.g, english.form));
  EXPECT_NE(english.t.files.content(english.targetPath("Solvik.txt")).find("\r\n-0.013\r\n"),
            std::string::npos);
}

}  // namespace
}  // namespace kvotlk::test
