// kvotlk-replay as a process: one case per way the job ends. The rules themselves are
// tested in core; these cases show that the tool puts them together as the program does.
#include <QProcess>
#include <QStringList>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace {

namespace fs = std::filesystem;

const fs::path kData = KVOTLK_REPLAY_DATA;

std::string readBytes(const fs::path& path) {
  std::ifstream stream(path, std::ios::binary);
  std::ostringstream content;
  content << stream.rdbuf();
  return content.str();
}

void writeBytes(const fs::path& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

std::string replaced(std::string text, const std::string& from, const std::string& to) {
  const auto at = text.find(from);
  EXPECT_NE(at, std::string::npos) << from;
  return at == std::string::npos ? text : text.replace(at, from.size(), to);
}

struct Outcome {
  int exitCode = -1;
  std::string out;
  std::string err;
};

const std::string kIncreaseAnswered =
    "FRAGE: Vordefinierte Anzahl von Stichproben wurde bereits gemessen. | Soll die "
    "Stichprobenanzahl erhöht werden? -> Ja\n";

// A program folder with the test catalogues, a target folder set as DIR in the settings
// file, and the order of data/auftrag.txt unless a test writes its own.
class ReplayToolTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(root_.isValid());
    fs::create_directories(programFolder());
    fs::copy(kData / "Kataloge", programFolder() / "Kataloge", fs::copy_options::recursive);
    fs::create_directories(targetFolder());
    writeBytes(settingsFile(),
               readBytes(kData / "einstellungen.ini") + "DIR=" + targetFolder().string() + "\n");
    orderFile_ = kData / "auftrag.txt";
  }

  fs::path root() const { return {root_.path().toStdString()}; }
  fs::path programFolder() const { return root() / "Programm"; }
  fs::path stagingFolder() const { return programFolder() / "TempData"; }
  fs::path targetFolder() const { return root() / "Ziel"; }
  fs::path settingsFile() const { return root() / "einstellungen.ini"; }

  void writeOrder(const std::string& content) {
    orderFile_ = root() / "auftrag.txt";
    writeBytes(orderFile_, content);
  }

  Outcome run(const QStringList& options, const fs::path& program = kData / "welle.kmp") const {
    QStringList arguments = {
        QStringLiteral("--auftrag"),        QString::fromStdString(orderFile_.string()),
        QStringLiteral("--einstellungen"),  QString::fromStdString(settingsFile().string()),
        QStringLiteral("--programmordner"), QString::fromStdString(programFolder().string())};
    if (!program.empty()) {
      arguments << QStringLiteral("--messprogramm") << QString::fromStdString(program.string());
    }
    QProcess process;
    process.start(QStringLiteral(KVOTLK_REPLAY_PATH), arguments + options);
    Outcome outcome;
    if (!process.waitForFinished(300000) || process.exitStatus() != QProcess::NormalExit) {
      ADD_FAILURE() << "kvotlk-replay did not end normally";
      return outcome;
    }
    outcome.exitCode = process.exitCode();
    outcome.out = process.readAllStandardOutput().toStdString();
    outcome.err = process.readAllStandardError().toStdString();
    return outcome;
  }

  bool targetIsEmpty() const { return fs::is_empty(targetFolder()); }

 private:
  QTemporaryDir root_;
  fs::path orderFile_;
};

TEST_F(ReplayToolTest, DeliversTheFileTheProgramWouldWrite) {
  const std::string settings = readBytes(settingsFile());
  const Outcome outcome = run({"--laeufe", "3", "--erhoehen", "ja"});
  EXPECT_EQ(outcome.exitCode, 0);
  EXPECT_EQ(outcome.err, kIncreaseAnswered);
  EXPECT_EQ(outcome.out, "Die Ergebnisdatei wurde zugestellt.\n");
  EXPECT_EQ(readBytes(targetFolder() / "Solvik.txt"), readBytes(kData / "expected/Solvik.txt"));
  EXPECT_FALSE(fs::exists(stagingFolder() / "Solvik.txt"));
  // The handoff file lives only while the job runs; the settings file is only read.
  EXPECT_FALSE(fs::exists(targetFolder() / "TLValues.txt"));
  EXPECT_EQ(readBytes(settingsFile()), settings);
}

TEST_F(ReplayToolTest, ARefusedOrderShowsItsFirstFailingCheckAndSendsNothing) {
  struct Case {
    std::string from;
    std::string to;
    fs::path program;
    std::string err;
  };
  const Case cases[] = {
      {"txt_Probenumfang=2", "txt_Probenumfang=12a", kData / "welle.kmp",
       "MELDUNG: Stichprobenumfang muss vom Typ Integer (Ganzzahl) sein.\n"},
      // The nest ID is looked up for the nest number as in the window; 7 has none.
      {"txt_Nestnummer=3", "txt_Nestnummer=7", kData / "welle.kmp",
       "STOPP: Für die eingegebe Nestnummer, wurde noch keine Nest ID eingerichtet.\n"},
      {"", "", fs::path(), "STOPP: Kalvero Messprogramm muss zuerst geöffnet sein.\n"},
  };
  for (const Case& c : cases) {
    writeOrder(replaced(readBytes(kData / "auftrag.txt"), c.from, c.to));
    const Outcome outcome = run({}, c.program);
    EXPECT_EQ(outcome.exitCode, 1) << c.to;
    EXPECT_EQ(outcome.err, c.err);
    EXPECT_EQ(outcome.out, "Der Auftrag wurde abgelehnt.\n");
    EXPECT_FALSE(fs::exists(stagingFolder()));
    EXPECT_TRUE(targetIsEmpty());
  }
}

TEST_F(ReplayToolTest, AnIdMessageEndsTheCaptureWithoutASend) {
  const fs::path program = root() / "id.kmp";
  writeBytes(program, replaced(readBytes(kData / "welle.kmp"), "Merkmal=20 ", "Merkmal=12a "));
  const Outcome outcome = run({"--laeufe", "2"}, program);
  EXPECT_EQ(outcome.exitCode, 2);
  EXPECT_EQ(outcome.err,
            "STOPP: Merkamls ID 12a entspricht nicht dem Typ Long (Ganzzahl). | Korrigieren Sie "
            "zuerst das Messprogramm.\n");
  EXPECT_FALSE(fs::exists(stagingFolder()));
  EXPECT_TRUE(targetIsEmpty());
}

TEST_F(ReplayToolTest, AFileLeftInStagingStopsTheSend) {
  fs::create_directories(stagingFolder());
  writeBytes(stagingFolder() / "Solvik.txt", "alt");
  const Outcome outcome = run({"--laeufe", "2"});
  EXPECT_EQ(outcome.exitCode, 3);
  EXPECT_EQ(outcome.err, "STOPP: Datei mit diesem Namen existiert noch im Verzeichnis " +
                             stagingFolder().string() +
                             "/. | Sichern oder löschen Sie diese Datei bevor die Daten gesendet "
                             "werden.\n");
  EXPECT_EQ(readBytes(stagingFolder() / "Solvik.txt"), "alt");
  EXPECT_TRUE(targetIsEmpty());
}

TEST_F(ReplayToolTest, AFailedCopyKeepsTheFileInStaging) {
  writeBytes(targetFolder() / "Solvik.txt", "alt");
  const Outcome outcome = run({"--laeufe", "3", "--erhoehen", "ja"});
  EXPECT_EQ(outcome.exitCode, 4);
  EXPECT_EQ(outcome.err, kIncreaseAnswered +
                             "STOPP: Kopieren der Ergebnisdatei in das Zielverzeichnis konnte "
                             "nicht durchgeführt werden. | Überprüfen Sie die "
                             "Zugriffsberechtigung oder die Netzwerkverbindung. | Kopieren Sie "
                             "die Datei aus dem Verzeichnis " +
                             stagingFolder().string() +
                             "/ manuell zu einem späteren Zeitpunkt in das Zielverzeichnis.\n");
  EXPECT_EQ(readBytes(targetFolder() / "Solvik.txt"), "alt");
  EXPECT_EQ(readBytes(stagingFolder() / "Solvik.txt"), readBytes(kData / "expected/Solvik.txt"));
}

TEST_F(ReplayToolTest, AnInputFileErrorNamesFileAndLine) {
  writeOrder(readBytes(kData / "auftrag.txt") + "lblNestID=Form-3\n");
  const Outcome outcome = run({});
  EXPECT_EQ(outcome.exitCode, 5);
  EXPECT_EQ(outcome.err, "FEHLER: " + (root() / "auftrag.txt").string() +
                             ", Zeile 14: \"lblNestID\" ist keine Eingabe: Die Nest ID wird wie "
                             "im Fenster zur Nestnummer im Nest-ID-Katalog gesucht.\n");
  EXPECT_FALSE(fs::exists(stagingFolder()));
}

// The sample is full after 32,767 values: the tool says so, ends and delivers them.
TEST_F(ReplayToolTest, AMeasuringProgramOfAHundredThousandCommands) {
  std::string program = "Programm Gross.PRG\n";
  for (int k = 1; k <= 100000; ++k) {
    program += "Mass Merkmal=" + std::to_string(k) + " Messwert=Normal(10; 0,01)\n";
  }
  writeBytes(root() / "gross.kmp", program);
  writeOrder(
      replaced(readBytes(kData / "auftrag.txt"), "txt_Probenumfang=2", "txt_Probenumfang=1"));
  const Outcome outcome = run({}, root() / "gross.kmp");
  EXPECT_EQ(outcome.exitCode, 0);
  EXPECT_EQ(outcome.err,
            "STOPP: Eine Stichprobe kann höchstens 32767 Merkmale aufnehmen. | Die Erfassung "
            "wurde angehalten; es werden keine weiteren Messwerte übernommen. | Die bisher "
            "erfassten Messwerte bleiben erhalten und können übertragen werden.\n");
  const std::string file = readBytes(targetFolder() / "Solvik.txt");
  std::size_t blocks = 0;
  for (auto at = file.find("MERKMAL="); at != std::string::npos;
       at = file.find("MERKMAL=", at + 1)) {
    ++blocks;
  }
  EXPECT_EQ(blocks, 32767U);
  EXPECT_NE(file.find("MERKMAL=32767\r\n"), std::string::npos);
}

}  // namespace
