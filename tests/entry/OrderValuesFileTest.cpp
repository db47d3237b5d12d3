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
  std::string inFolder(const std::string& name) const {
    return joinPath(f.env.programFolder, name);
  }

  OrderFixture f;
};

const std::string kExample =
    "Artikel=A-100\r\nMaschine=M7\r\nAuftrag=4711\r\nStichprobenumfang=5\r\n"
    "Datum=05.03.2026\r\nUhrzeit=08:07\r\nPruefer=12\r\nNest ausgeben=0\r\n"
    "Nestnummer=\r\nAnzahl der Teile=\r\n";

TEST_F(OrderValuesFileTest, ExampleOrderWithDefaults) {
  confirmAndSave();
  EXPECT_EQ(f.files.content(inFolder("TLValues.txt")), kExample);
  EXPECT_EQ(f.g.strValuesFile, inFolder("TLValues.txt"));
  EXPECT_TRUE(f.prompts.shown.empty());
}

TEST_F(OrderValuesFileTest, NameCarriesTheSuffixNothingWhenSwitchedOff) {
  f.g.blnDateiErweiterungVerwenden = true;
  for (const auto& [suffix, name] : {std::pair{"0", "TLValues0.txt"}, {"_A", "TLValues_A.txt"}}) {
    f.g.strDateiErweiterung = suffix;
    confirmAndSave();
    EXPECT_EQ(f.g.strValuesFile, inFolder(name));
    EXPECT_EQ(f.files.content(inFolder(name)), kExample);
  }
  EXPECT_FALSE(f.files.hasFile(inFolder("TLValues.txt")));
  f.files.removeFile(toFsPath(f.g.strValuesFile));
  f.g.intEinstellungenZurLaufzeitSpeichern = 0;
  confirmAndSave();
  EXPECT_EQ(f.files.filesIn(f.env.programFolder), std::vector<std::string>{"TLValues0.txt"})
      << "switched off: nothing written, strValuesFile kept";
  EXPECT_EQ(f.g.strValuesFile, inFolder("TLValues_A.txt"));
}

TEST_F(OrderValuesFileTest, NestLineFollowsTheNestIDSetting) {
  f.files.addFile(f.nestCatalog(), "(3)     Form-3\r\n");
  f.apply("chkNest=1|txt_Nestnummer= 3 |txtAnzahlDerTeile= 250 |combo_Pruefer=( 7 )   Jürgen");
  for (const auto& [setting, tail] :
       {std::pair{"0", "=1\r\nNestnummer=3\r\nAnzahl der Teile=250\r\n"},
        {"1", "=1\r\nNestnummer=Form-3\r\nAnzahl der Teile=250\r\n"},
        {"2", "=1\r\nAnzahl der Teile=250\r\n"}}) {
    f.g.strNestIDVerwenden = setting;
    NestNumberChanged(f.env, f.g, f.form);
    confirmAndSave();
    const std::string content = f.files.content(f.g.strValuesFile);
    EXPECT_EQ(content.substr(content.find("Pruefer=")),
              std::string("Pruefer=7\r\nNest ausgeben") + tail);
  }
}

TEST_F(OrderValuesFileTest, Windows1252AndReplacedOnEveryWrite) {
  confirmAndSave();
  f.apply("txt_Artikel=Prüf");
  confirmAndSave();
  EXPECT_EQ(f.files.content(inFolder("TLValues.txt")),
            "Artikel=Pr\xFC"
            "f" +
                kExample.substr(kExample.find("\r\n")));
}

TEST_F(OrderValuesFileTest, UnwritableFileShowsOneStopMessageAndLeavesNoOldData) {
  f.g.strStandardDir = "/fehlt";
  confirmAndSave();
  const std::string path = joinPath("/fehlt", "TLValues.txt");
  EXPECT_EQ(f.prompts.shown,
            (std::vector<ShownPrompt>{
                {PromptKind::Stop, "Datei " + path +
                                       " konnte nicht geschrieben werden.\r\n"
                                       "Überprüfen Sie das Standardverzeichnis."}}));
  EXPECT_EQ(f.g.strValuesFile, path);
  f.g.strStandardDir = f.env.programFolder;
  for (const FsOp op : {FsOp::CreateFile, FsOp::Write, FsOp::Close}) {
    f.files.addFile(inFolder("TLValues.txt"), kExample);
    f.files.failWhen = [op](const FsCall& call) { return call.op == op; };
    confirmAndSave();
    EXPECT_FALSE(f.files.hasFile(inFolder("TLValues.txt"))) << static_cast<int>(op);
  }
  EXPECT_EQ(f.prompts.shown.size(), 4U);
}

TEST_F(OrderValuesFileTest, StartDeletesTheFixedNameShutdownTheNameWrittenLast) {
  DeleteValuesFile(f.env, f.g);
  EXPECT_TRUE(f.files.calls.empty()) << "nothing written since start";
  f.files.addFile(inFolder("TLValues.txt"), "alt");
  f.files.addFile(inFolder("TLValues_A.txt"), "alt");
  f.g.blnDateiErweiterungVerwenden = true;
  f.g.strDateiErweiterung = "_A";
  DeleteLeftoverValuesFile(f.env, f.g);
  EXPECT_EQ(f.files.filesIn(f.env.programFolder), std::vector<std::string>{"TLValues_A.txt"});
  f.g.strDateiErweiterung = "_B";
  confirmAndSave();
  f.files.addFile(inFolder("TLValues.txt"), "alt");
  DeleteValuesFile(f.env, f.g);
  EXPECT_EQ(f.files.filesIn(f.env.programFolder),
            (std::vector<std::string>{"TLValues.txt", "TLValues_A.txt"}));
}

}  // namespace
}  // namespace kvotlk::test
