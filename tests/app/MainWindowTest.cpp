// The main window: what the other windows may change or read, the windows its menus open,
// and shutdown (its load, keys, nest fields and orders: tests/cases/fenster/eingabe-*).
#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QSignalSpy>

#include "WindowTestSupport.h"

namespace kvotlk::test {
namespace {

class MainWindowTest : public ::testing::Test, public MainWindowRig {
 protected:
  // Text of a field and caption of the nest ID, as the operator reads them.
  std::string shown(const char* field) const {
    return str(edit(field)->text() + QLatin1Char('|') + child<QLabel>("lblNestID")->text());
  }
};

// What the dialogs and the capture may change or read.
TEST_F(MainWindowTest, WhatTheOtherWindowsAndTheCaptureMayChangeOrRead) {
  load();
  child<QCheckBox>("chkNest")->click();
  edit("txt_Nestnummer")->setText(QStringLiteral("2"));
  EXPECT_EQ(window->orderNestState(), kChecked);
  MainWindowAccess& access = *window;
  access.setPrueferList({"(5)     Neu"});
  EXPECT_EQ(entries("combo_Prüfer"), Names{"(5)     Neu"});
  EXPECT_EQ(child<QComboBox>("combo_Prüfer")->currentIndex(), -1);
  access.setMaschineList({});
  EXPECT_EQ(entries("Combo_Maschine"), Names{});
  access.clearNestID();
  EXPECT_EQ(shown("txt_Nestnummer"), "2|");
  child<QLabel>("lblNestID")->setText(QStringLiteral("Nest rechts"));
  access.clearNestEntry();
  EXPECT_EQ(shown("txt_Nestnummer"), "|");
  for (const bool visible : {true, false}) {
    access.setPartCountVisible(visible);
    EXPECT_EQ(edit("txtAnzahlDerTeile")->isVisible() && child("lblStueckzahl")->isVisible(),
              visible);
  }
  g.intAuftragsNrLaenge = 12;
  access.SetToolTips();
  EXPECT_EQ(edit("txt_Auftrag")->toolTip(), "Ganzzahl max. 12 Zeichen eintragen");
}

// Shutdown deletes open windows without their own close (which would
// show the main window) and ends the program once.
TEST_F(MainWindowTest, Shutdown) {
  load();
  child<QAction>("menuSetup")->trigger();
  const QPointer<QWidget> dialog = window->secondaryWindow();
  QSignalSpy ended(window.get(), &frm_Eingabe::unloaded);
  child<QAction>("menuBeenden")->trigger();
  EXPECT_TRUE(dialog.isNull() && !window->isVisible());
  EXPECT_EQ(g.KvoApp, nullptr);
  window->close();
  EXPECT_EQ(ended.count(), 1);
}

}  // namespace
}  // namespace kvotlk::test
