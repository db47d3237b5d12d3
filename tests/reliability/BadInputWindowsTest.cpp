// Bad input through the windows: the main window's lists and the catalogue editors over
// catalogues the editors never write, and the configuration dialog over every setting
// holding bad text. An editor over a catalogue it cannot read: fenster/katalog-unlesbar.
#include <gtest/gtest.h>

#include <QCheckBox>

#include "app/WindowTestSupport.h"
#include "config/VolumeSource.h"
#include "config/frm_Konfiguration.h"
#include "dialogs/CatalogEditorRig.h"

namespace kvotlk::test {
namespace {

using Names = std::vector<std::string>;

const std::vector<std::string> kBadValues = {
    "", "abc", "-1", "70000", std::string(10000, '9'), std::string(10000, 'x')};

// The main window's lists and the editor show every line as stored, and the editor's OK
// writes every byte back: only the line ends are its own, CR LF after every line.
TEST(BadInputWindows, BadCataloguesAreShownAndWrittenBackAsStored) {
  const std::string bytes = "12      Name\r\n()\r\n\r\n(12345) \x80\xFF\r\n(3)     Letzte";
  MainWindowRig rig;
  for (const Catalog c : {Catalog::Pruefer, Catalog::Maschine}) {
    rig.files.addFile(CatalogPath(rig.env.programFolder, c), bytes);
  }
  rig.load();
  EXPECT_EQ(rig.entries("combo_Prüfer"), rig.entries("Combo_Maschine"));
  EXPECT_EQ(rig.entries("combo_Prüfer").size(), 5U);
  EXPECT_EQ(rig.messages(), Names{});

  CatalogEditorRig editor;
  editor.addCatalogue(Catalog::Pruefer, bytes);
  editor.openPruefer();
  EXPECT_EQ(editor.entries(), rig.entries("combo_Prüfer"));
  editor.button("cmdOK")->click();
  EXPECT_TRUE(editor.editor->closed());
  EXPECT_EQ(editor.t.files.content(editor.path(Catalog::Pruefer)), bytes + "\r\n");
  EXPECT_TRUE(editor.t.prompts.shown.empty());
}

class OneDrive final : public VolumeSource {
 public:
  std::vector<std::string> drives() override { return {std::string(1, kPathSeparator)}; }
  std::vector<std::string> subfolders(const std::string& /*folder*/) override { return {}; }
};

// The main window starts whatever its settings hold, and asks for a part count exactly
// when its flag reads as a number other than 0. The configuration dialog shows every text
// as stored; OK either stores it back unchanged or, for a field it checks, refuses it with
// one message and stays open, the stored text untouched. A check box holding text that is
// not a number shows its default and is stored as "0" or "1".
TEST(BadInputWindows, TheWindowsTakeEveryBadSetting) {
  const std::string textKeys =
      " FILE NumDez IdLaenge MaschinenIdLaenge AuftragsNrLaenge "
      "LaengeArtikelNr DateiErweiterung ";
  for (const SettingInfo& info : SettingTable()) {
    for (const std::string& bad : kBadValues) {
      SCOPED_TRACE(std::string(info.name) + " " + bad.substr(0, 5));
      MainWindowRig rig;
      rig.setSetting(info.name, bad);
      rig.load();
      EXPECT_EQ(rig.messages(), Names{});
      const bool partCount =
          info.key == SettingKey::MessserieUmfang && (bad == "-1" || bad == "70000");
      EXPECT_EQ(rig.edit("txtAnzahlDerTeile")->isVisibleTo(rig.window.get()), partCount);

      TestEnvironment t;
      RecordingMainWindow main{t.env, t.g};
      OneDrive volumes;
      t.setSetting(info.name, bad);
      WindowUnderTest<QWidget> dialog(new frm_Konfiguration(t.env, t.g, main.engine, volumes));
      dialog.child<QPushButton>(QStringLiteral("OKButton"))->click();
      const bool refused = !dialog.closed();
      EXPECT_EQ(t.prompts.shown.size(), refused ? 1U : 0U);
      EXPECT_TRUE(!refused ||
                  t.prompts.shown[0].text.ends_with("Die Einstellungen wurden nicht gespeichert."));
      const std::string stored = t.settings.values[t.settingPath(info.name)];
      if (textKeys.find(" " + std::string(info.name) + " ") != std::string::npos) {
        EXPECT_EQ(stored, bad);
      } else if (info.key != SettingKey::DRIVE && info.key != SettingKey::DIR) {
        EXPECT_TRUE(stored == "0" || stored == "1") << stored.substr(0, 5);
      }
    }
  }
}

}  // namespace
}  // namespace kvotlk::test
