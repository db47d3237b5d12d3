// The main window's shutdown (its load, keys, nest fields, orders, menus and what the other
// windows change in it: tests/cases/fenster/eingabe-*).
#include <QAction>
#include <QSignalSpy>

#include "WindowTestSupport.h"

namespace kvotlk::test {
namespace {

class MainWindowTest : public ::testing::Test, public MainWindowRig {};

// Shutdown deletes open windows without their own close (which would show the main window),
// releases Kalvero's objects and ends the program once.
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
