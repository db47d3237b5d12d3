#include <gtest/gtest.h>

#include "common/Paths.h"
#include "entry/OrderConfirmation.h"
#include "entry/OrderFixture.h"
#include "entry/OrderFormRules.h"
#include "entry/OrderValuesFile.h"

namespace kvotlk::test {
namespace {

class OrderValuesFileTest : public ::testing::Test {
 protected:
  // Confirms the order and runs the first success step, as the main window does.
  void confirmAndSave() {
    ASSERT_EQ(ConfirmOrder(f.env, f.g, f.form), std::nullopt);
    SaveOrderValues(f.env, f.g, f.form);
  }

  std::string inStandardDir(const std::string& name) const {
    return joinPath(f.env.programFolder, name);
  }

  OrderFixture f;
};

const char* const kExampleBytes =
    "Artikel=A-100\r\n"
    "Maschine=M7\r\n"
    "Auftrag=4711\r\n"
    "Stichprobenumfang=5\r\n"
    "Datum=05.03.2026\r\n"
    "Uhrzeit=08:07\r\n"
    "Pruefer=12\r\n"
    "Nest ausgeben=0\r\n"
    "Nestnummer=\r\n"
    "Anzahl der Teile=\r\n";

TEST_F(OrderValuesFileTest, ExampleOrderWithDefaults) {
  confirmAndSave();
  const std::string path = inStandardDir("TLValues.txt");
  EXPECT_EQ(f.files.content(path), kExampleBytes);
  EXPECT_EQ(f.g.strValuesFile, path);
  EXPECT_TRUE(f.prompts.shown.empty());
}

TEST_F(OrderValuesFileTest, NameCarriesTheSuffixWhenSwitchedOn) {
  const std::pair<const char*, const char*> cases[] = {
      {"_A", "TLValues_A.txt"}, {"0", "TLValues0.txt"}, {"", "TLValues.txt"}};
  for (const auto& [suffix, name] : cases) {
    f.g.blnDateiErweiterungVerwenden = true;
    f.g.strDateiErweiterung = suffix;
    EXPECT_EQ(ValuesFileName(f.g), name);
  }
  f.g.blnDateiErweiterungVerwenden = false;
  EXPECT_EQ(ValuesFileName(f.g), "TLValues.txt");

  f.g.blnDateiErweiterungVerwenden = true;
  f.g.strDateiErweiterung = "_A";
  confirmAndSave();
  EXPECT_EQ(f.files.content(inStandardDir("TLValues_A.txt")), kExampleBytes);
  EXPECT_FALSE(f.files.hasFile(inStandardDir("TLValues.txt")));
}

TEST_F(OrderValuesFileTest, PathIsTheStandardFolderAndTheName) {
  f.g.strStandardDir = "/daten/kvo";
  EXPECT_EQ(ValuesFilePath(f.g), std::string("/daten/kvo") + kPathSeparator + "TLValues.txt");
}

TEST_F(OrderValuesFileTest, NestLineFollowsTheNestIDSetting) {
  f.files.addFile(f.nestCatalog(), "(3)     Form-3\r\n");
  f.form.chkNest = kChecked;
  f.form.txt_Nestnummer = " 3 ";
  f.form.txtAnzahlDerTeile = " 250 ";
  const std::pair<const char*, const char*> cases[] = {
      {"0", "Nest ausgeben=1\r\nNestnummer=3\r\nAnzahl der Teile=250\r\n"},
      {"1", "Nest ausgeben=1\r\nNestnummer=Form-3\r\nAnzahl der Teile=250\r\n"},
      {"2", "Nest ausgeben=1\r\nAnzahl der Teile=250\r\n"},
  };
  for (const auto& [setting, tail] : cases) {
    f.g.strNestIDVerwenden = setting;
    NestNumberChanged(f.env, f.g, f.form);
    confirmAndSave();
    const std::string content = f.files.content(f.g.strValuesFile);
    EXPECT_EQ(content.substr(content.find("Nest ausgeben=")), tail) << setting;
  }
}

TEST_F(OrderValuesFileTest, TextsInWindows1252AndInspectorNumberTrimmed) {
  f.form.txt_Artikel = "Prüfteil";
  f.form.combo_Pruefer = "( 7 )   Jürgen";
  const std::string content = ValuesFileContent(f.g, f.form);
  EXPECT_NE(content.find("Artikel=Pr\xFC"
                         "fteil\r\n"),
            std::string::npos);
  EXPECT_NE(content.find("Pruefer=7\r\n"), std::string::npos);
}

TEST_F(OrderValuesFileTest, NothingWrittenWhenSwitchedOff) {
  confirmAndSave();
  const std::string first = f.g.strValuesFile;
  f.files.removeFile(toFsPath(first));
  f.g.intEinstellungenZurLaufzeitSpeichern = 0;
  f.g.blnDateiErweiterungVerwenden = true;
  confirmAndSave();
  EXPECT_TRUE(f.files.filesIn(f.env.programFolder).empty());
  EXPECT_EQ(f.g.strValuesFile, first);
}

TEST_F(OrderValuesFileTest, SecondConfirmationReplacesTheContent) {
  confirmAndSave();
  f.form.txt_Artikel = "B";
  confirmAndSave();
  const std::string content = f.files.content(inStandardDir("TLValues.txt"));
  EXPECT_EQ(content.rfind("Artikel=B\r\nMaschine=M7\r\n", 0), 0U);
  EXPECT_EQ(content.size(), std::string(kExampleBytes).size() - 4);
}

TEST_F(OrderValuesFileTest, MissingFolderShowsOneStopMessage) {
  f.g.strStandardDir = "/fehlt";
  confirmAndSave();
  const std::string path = std::string("/fehlt") + kPathSeparator + "TLValues.txt";
  const std::vector<ShownPrompt> expected = {
      {PromptKind::Stop, "Datei " + path + " konnte nicht geschrieben werden.\r\n" +
                             "Überprüfen Sie das Standardverzeichnis."}};
  EXPECT_EQ(f.prompts.shown, expected);
  EXPECT_EQ(f.g.strValuesFile, path);
}

TEST_F(OrderValuesFileTest, FailedWriteLeavesNoOrderDataBehind) {
  confirmAndSave();
  for (const FsOp op : {FsOp::CreateFile, FsOp::Write, FsOp::Close}) {
    f.prompts.shown.clear();
    f.files.failWhen = [op](const FsCall& call) { return call.op == op; };
    f.form.txt_Artikel = "NEU";
    confirmAndSave();
    EXPECT_EQ(f.prompts.shown.size(), 1U) << static_cast<int>(op);
    EXPECT_FALSE(f.files.hasFile(inStandardDir("TLValues.txt"))) << static_cast<int>(op);
    f.files.clearFaults();
    f.files.addFile(inStandardDir("TLValues.txt"), "alt");
  }
}

TEST_F(OrderValuesFileTest, StartDeletesOnlyTheFixedName) {
  f.files.addFile(inStandardDir("TLValues.txt"), "alt");
  f.files.addFile(inStandardDir("TLValues_A.txt"), "alt");
  f.g.blnDateiErweiterungVerwenden = true;
  f.g.strDateiErweiterung = "_A";
  DeleteLeftoverValuesFile(f.env, f.g);
  EXPECT_EQ(f.files.filesIn(f.env.programFolder), std::vector<std::string>({"TLValues_A.txt"}));
  DeleteLeftoverValuesFile(f.env, f.g);
  EXPECT_EQ(f.files.filesIn(f.env.programFolder), std::vector<std::string>({"TLValues_A.txt"}));
}

TEST_F(OrderValuesFileTest, ShutdownDeletesTheFileWrittenLast) {
  DeleteValuesFile(f.env, f.g);
  EXPECT_TRUE(f.files.calls.empty()) << "nothing written since start";

  f.g.blnDateiErweiterungVerwenden = true;
  f.g.strDateiErweiterung = "_A";
  confirmAndSave();
  f.files.addFile(inStandardDir("TLValues.txt"), "fremd");
  DeleteValuesFile(f.env, f.g);
  EXPECT_EQ(f.files.filesIn(f.env.programFolder), std::vector<std::string>({"TLValues.txt"}));
  DeleteValuesFile(f.env, f.g);
}

}  // namespace
}  // namespace kvotlk::test
