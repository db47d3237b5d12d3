// kvotlk-replay as a process with a measuring program of 100,000 commands: the tool
// ends, tells that the sample is full, and delivers the values it took.
#include <QProcess>
#include <QStringList>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace kvotlk::test {
namespace {

namespace fs = std::filesystem;

void writeBytes(const fs::path& path, const std::string& bytes) {
  fs::create_directories(path.parent_path());
  std::ofstream(path, std::ios::binary) << bytes;
}

std::string readBytes(const fs::path& path) {
  std::ifstream stream(path, std::ios::binary);
  std::ostringstream content;
  content << stream.rdbuf();
  return content.str();
}

TEST(ReplayLarge, AMeasuringProgramOfAHundredThousandCommands) {
  QTemporaryDir root;
  ASSERT_TRUE(root.isValid());
  const fs::path folder(root.path().toStdString());
  writeBytes(folder / "Programm" / "Kataloge" / "Prüfer.dat", "(12)    M\xFCller\r\n");
  writeBytes(folder / "Programm" / "Kataloge" / "Maschine.dat", "M7\r\n");
  fs::create_directories(folder / "Ziel");
  writeBytes(folder / "einstellungen.ini", "DIR=" + (folder / "Ziel").string() + "\n");
  writeBytes(folder / "auftrag.txt",
             "txt_Artikel=A100\nCombo_Maschine=M7\ntxt_Auftrag=40711\ntxt_Probenumfang=1\n"
             "txt_DatumTag=05\ntxt_DatumMonat=12\ntxt_DatumJahr=2026\ntxt_UhrzeitStunde=09\n"
             "txt_UhrzeitMinute=30\ncombo_Prüfer=(12)    Müller\n");
  std::string program = "Programm Gross.PRG\n";
  for (int k = 1; k <= 100000; ++k) {
    program += "Mass Merkmal=" + std::to_string(k) + " Messwert=Normal(10; 0,01)\n";
  }
  writeBytes(folder / "gross.kmp", program);

  QProcess process;
  process.start(
      QStringLiteral(KVOTLK_REPLAY_PATH),
      {QStringLiteral("--auftrag"), QString::fromStdString((folder / "auftrag.txt").string()),
       QStringLiteral("--einstellungen"),
       QString::fromStdString((folder / "einstellungen.ini").string()),
       QStringLiteral("--messprogramm"), QString::fromStdString((folder / "gross.kmp").string()),
       QStringLiteral("--programmordner"), QString::fromStdString((folder / "Programm").string())});
  ASSERT_TRUE(process.waitForFinished(300000));
  EXPECT_EQ(process.exitCode(), 0);
  EXPECT_EQ(process.readAllStandardError().toStdString(),
            "STOPP: Eine Stichprobe kann höchstens 32767 Merkmale aufnehmen. | Die Erfassung "
            "wurde angehalten; es werden keine weiteren Messwerte übernommen. | Die bisher "
            "erfassten Messwerte bleiben erhalten und können übertragen werden.\n");
  const std::string file = readBytes(folder / "Ziel" / "Solvik.txt");
  std::size_t blocks = 0;
  for (auto at = file.find("MERKMAL="); at != std::string::npos;
       at = file.find("MERKMAL=", at + 1)) {
    ++blocks;
  }
  EXPECT_EQ(blocks, 32767U);
  EXPECT_NE(file.find("MERKMAL=32767\r\n"), std::string::npos);
}

}  // namespace
}  // namespace kvotlk::test
