#include <gtest/gtest.h>

#include <cctype>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <variant>

#include "kvotlk-replay/SettingsFile.h"

namespace kvotlk::replay {
namespace {

SettingsInput parsed(const std::string& content) {
  auto result = parseSettingsFile(content, "einstellungen.ini");
  if (const auto* error = std::get_if<InputFileError>(&result)) {
    ADD_FAILURE() << error->text();
    return {};
  }
  return std::get<SettingsInput>(result);
}

TEST(SettingsFileTest, TakesEachKeyWithItsTextAsWritten) {
  const SettingsInput input = parsed(
      "; KVOTLK\r\n"
      "[Config]\r\n"
      "NumDez=4\r\n"
      "DIR=D:\\Daten\\CAQ \r\n"
      "  file = Ergebnis=1.txt\r\n"
      "DateiErweiterung=\r\n"
      "# Ende\r\n");
  const std::map<SettingKey, std::string> expected = {
      {SettingKey::NumDez, "4"},
      {SettingKey::DIR, "D:\\Daten\\CAQ "},
      {SettingKey::FILE, " Ergebnis=1.txt"},
      {SettingKey::DateiErweiterung, ""},
  };
  EXPECT_EQ(input.values, expected);
}

TEST(SettingsFileTest, AnEmptyFileLeavesEveryKeyMissing) {
  EXPECT_TRUE(parsed("").values.empty());
  EXPECT_TRUE(parsed("\xEF\xBB\xBF[config]\n\n").values.empty());
}

TEST(SettingsFileTest, KnowsTheEighteenKeysWhateverTheirCase) {
  for (const SettingInfo& info : SettingTable()) {
    std::string upper(info.name);
    for (char& c : upper) {
      c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    }
    const SettingsInput input = parsed(upper + "=1");
    ASSERT_EQ(input.values.size(), 1U) << upper;
    EXPECT_EQ(input.values.begin()->first, info.key) << upper;
  }
}

TEST(SettingsFileTest, RefusesWithLineAndReason) {
  struct Case {
    std::string content;
    int line;
    std::string message;
  };
  const Case cases[] = {
      {"[Config]\n[Optionen]\n", 2, "Nur der Abschnitt [Config] ist erlaubt, nicht [Optionen]."},
      {"[Config\n", 1,
       "Die Zeile \"[Config\" ist weder Schlüssel=Wert noch ein Abschnitt wie [Config]."},
      {"[]\n", 1, "Nur der Abschnitt [Config] ist erlaubt, nicht []."},
      {"NumDez 3\n", 1, "Die Zeile hat kein \"=\". Erwartet wird Schlüssel=Wert, etwa NumDez=3."},
      {"\n=3\n", 2, "Vor dem \"=\" fehlt der Schlüssel."},
      {"NumDec=3", 1,
       "Unbekannte Einstellung \"NumDec\". Bekannt sind DRIVE, DIR, FILE, NumDez, RANDOM, "
       "SCHLEIFE, IdLaenge, DateTimeStamp, MaschinenIdLaenge, AuftragsNrLaenge, LaengeArtikelNr, "
       "AuftragsNrGanzzahl, NestnummerAmMerkmal, EinstellungenZurLaufzeitSpeichern, "
       "NestIDVerwenden, DateiErweiterungVerwenden, DateiErweiterung und MessserieUmfang."},
      {"RANDOM=0\nrandom=1\n", 2, "Die Einstellung \"RANDOM\" steht schon in Zeile 1."},
      {"FILE=Erg\xE4"
       "bnis.txt\n",
       1, "Die Zeile ist kein gültiges UTF-8. Speichern Sie die Datei als UTF-8."},
      {"FILE=a\tb\x1B\n", 1,
       "Die Zeile enthält das Steuerzeichen mit dem Code 27; ein Wert besteht aus einer Zeile "
       "Text."},
  };
  for (const Case& c : cases) {
    const auto result = parseSettingsFile(c.content, "einstellungen.ini");
    ASSERT_TRUE(std::holds_alternative<InputFileError>(result)) << c.content;
    EXPECT_EQ(std::get<InputFileError>(result),
              (InputFileError{"einstellungen.ini", c.line, c.message}));
  }
}

TEST(InputFileTest, ErrorsNameTheFileAndTheLine) {
  EXPECT_EQ((InputFileError{"a.ini", 7, "Text."}).text(), "a.ini, Zeile 7: Text.");
  EXPECT_EQ((InputFileError{"a.ini", 0, "Text."}).text(), "a.ini: Text.");
}

TEST(InputFileTest, ReadsAFileUpToItsLimit) {
  const auto folder =
      std::filesystem::temp_directory_path() /
      ("kvotlk-replay-input-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()));
  std::filesystem::create_directories(folder);
  const auto write = [&folder](const char* name, std::uintmax_t size) {
    std::ofstream(folder / name, std::ios::binary) << std::string(size, 'x');
    return folder / name;
  };
  EXPECT_EQ(std::get<std::string>(readInputFile(write("gross", kMaxInputFileSize), "gross")),
            std::string(kMaxInputFileSize, 'x'));
  EXPECT_EQ(std::get<InputFileError>(readInputFile(write("zu", kMaxInputFileSize + 1), "zu")),
            (InputFileError{"zu", 0, "Die Datei ist größer als 1 MB."}));
  EXPECT_EQ(std::get<InputFileError>(readInputFile(folder / "fehlt", "fehlt")),
            (InputFileError{"fehlt", 0, "Die Datei gibt es nicht oder sie ist keine Datei."}));
  EXPECT_EQ(std::get<InputFileError>(readInputFile(folder, "ordner")),
            (InputFileError{"ordner", 0, "Die Datei gibt es nicht oder sie ist keine Datei."}));
  std::filesystem::remove_all(folder);
}

}  // namespace
}  // namespace kvotlk::replay
