#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPointer>
#include <memory>
#include <string>
#include <vector>

#include "app/frm_Eingabe.h"
#include "support/TestEnvironment.h"

namespace kvotlk::test {

using Names = std::vector<std::string>;

inline std::string str(const QString& text) { return text.toStdString(); }

// Lets queued events and deferred deletions run.
void processEvents();

template <typename Widget = QWidget>
Widget* child(const QObject& window, const char* name) {
  auto* found = window.findChild<Widget*>(QString::fromUtf8(name));
  EXPECT_NE(found, nullptr) << name;
  return found;
}

// Every named control of a window as the operator sees it, one line each in the order the
// controls were made: caption or text, the default button ("Vorgabe"), check mark ("[x]"),
// centred text ("mittig"), a length limit ("begrenzt"), tool tip, and "gesperrt" or
// "verborgen" where it is disabled or hidden; menus and their commands included; with
// places, each control's place in its parent ("@x,y wxh"); last the keyboard order.
std::string Describe(const QWidget& window, bool places = false);
// Expects Describe(window, places) to be the text of tests/app/texts/<name>.txt.
void ExpectTexts(const QWidget& window, const char* name, bool places = false);

// Owns a window that deletes itself on close: the test can see whether it is gone.
template <typename Window>
class WindowUnderTest {
 public:
  explicit WindowUnderTest(Window* window) : window_(window) { window_->show(); }
  ~WindowUnderTest() { delete window_.data(); }
  WindowUnderTest(const WindowUnderTest&) = delete;
  WindowUnderTest& operator=(const WindowUnderTest&) = delete;
  Window* operator->() const { return window_.data(); }
  Window* get() const { return window_.data(); }
  // Runs the deletions a close has posted; true when the window is gone.
  bool closed() const {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return window_.isNull();
  }
  template <typename Child>
  Child* child(const QString& name) const {
    return test::child<Child>(*window_, name.toUtf8().constData());
  }

 private:
  QPointer<Window> window_;
};

// A main window over test doubles: the sample catalogues below the program folder, the
// clock at 5 March 2026 08:07, and a running fake CMM software with "Welle.kvp" open.
struct MainWindowRig : TestEnvironment {
  MainWindowRig();
  MainWindowRig(const MainWindowRig&) = delete;
  MainWindowRig& operator=(const MainWindowRig&) = delete;
  ~MainWindowRig();

  frm_Eingabe& load();     // builds the window and runs its load
  Names messages() const;  // the texts of the messages shown
  template <typename Widget = QWidget>
  Widget* child(const char* name) const {
    return test::child<Widget>(*window, name);
  }
  QLineEdit* edit(const char* name) const { return child<QLineEdit>(name); }
  Names entries(const char* name) const;

  Environment windowEnv{settings, files,   clock,   random,
                        prompts,  numbers, kalvero, env.programFolder};
  std::shared_ptr<FakeKvoApplication> app;
  std::unique_ptr<frm_Eingabe> window;
};

}  // namespace kvotlk::test
