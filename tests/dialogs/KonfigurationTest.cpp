// The configuration dialog: its folder tree and its size (what it shows, stores and tells
// the main window, and its keys: tests/cases/fenster/konfiguration-*.skript).
#include <gtest/gtest.h>

#include <QGroupBox>
#include <QTreeWidget>
#include <map>

#include "RecordingMainWindow.h"
#include "app/WindowTestSupport.h"
#include "common/Paths.h"
#include "config/VolumeSource.h"
#include "config/frm_Konfiguration.h"

namespace kvotlk::test {
namespace {

std::string native(std::string path) {
  std::replace(path.begin(), path.end(), '/', kPathSeparator);
  return path;
}

class KonfigurationTest : public ::testing::Test, public TestEnvironment, public VolumeSource {
 protected:
  KonfigurationTest() {
    files.addFolder(native("/opt/kvotlk/Daten"));
    files.addFolder(native("/mnt/daten/pruef"));
  }
  std::vector<std::string> drives() override { return {native("/"), native("/mnt/daten")}; }
  std::vector<std::string> subfolders(const std::string& folder) override {
    return folders[folder];
  }
  void open() {
    dialog = std::make_unique<WindowUnderTest<QWidget>>(
        new frm_Konfiguration(env, g, main.engine, *this));
  }
  template <typename Widget = QWidget>
  Widget* control(const char* name) const {
    return child<Widget>(*dialog->get(), name);
  }
  std::map<std::string, Names> folders{{native("/"), {"mnt", "opt"}},
                                       {native("/opt"), {"kvotlk"}},
                                       {native("/opt/kvotlk"), {"Daten", "Kataloge"}},
                                       {native("/mnt/daten"), {"pruef"}}};
  RecordingMainWindow main{env, g};
  std::unique_ptr<WindowUnderTest<QWidget>> dialog;
};

// The tree opens down to the folder, with the siblings on each level and the folders inside
// it.
TEST_F(KonfigurationTest, TheTreeOpensDownToTheFolder) {
  open();
  auto* tree = control<QTreeWidget>("Dir_DFQ");
  QTreeWidgetItem* root = tree->topLevelItem(0);
  ASSERT_TRUE(tree->topLevelItemCount() == 1 && root->childCount() == 2);
  EXPECT_EQ(str(root->child(0)->text(0)), "mnt");
  EXPECT_TRUE(root->child(1)->isExpanded());
  EXPECT_EQ(tree->currentItem(), root->child(1)->child(0));
  EXPECT_EQ(tree->currentItem()->childCount(), 2);
}

// Two columns of frames: the dialog fits the 1024 x 768 screen of the measuring PC with its
// taskbar (40) and title bar (30), every frame drawn whole beside the others.
TEST_F(KonfigurationTest, FitsA1024By768ScreenWithItsTaskbar) {
  open();
  QWidget& window = *dialog->get();
  EXPECT_LE(window.minimumSizeHint().width(), 1024);
  EXPECT_LE(window.minimumSizeHint().height(), 768 - 40 - 30);
  window.resize(window.minimumSizeHint());
  const QList<QGroupBox*> frames = window.findChildren<QGroupBox*>();
  for (const QGroupBox* frame : frames) {
    EXPECT_TRUE(window.rect().contains(frame->geometry())) << str(frame->objectName());
    EXPECT_GE(frame->height(), frame->minimumSizeHint().height()) << str(frame->objectName());
    for (const QGroupBox* other : frames) {
      EXPECT_TRUE(frame == other || !frame->geometry().intersects(other->geometry()));
    }
  }
  EXPECT_GT(control("Frame4")->x(), control("Frame1")->geometry().right()) << "a second column";
}

}  // namespace
}  // namespace kvotlk::test
