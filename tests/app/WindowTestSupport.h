#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <memory>
#include <string>
#include <vector>

#include "RecordingStore.h"
#include "WindowTexts.h"
#include "app/frm_Eingabe.h"
#include "support/TestEnvironment.h"

namespace kvotlk::test {

// Forwards to the scripted prompts and notes, for each message, whether the main window
// was visible when it appeared.
class ObservedPrompts final : public Prompts {
 public:
  explicit ObservedPrompts(ScriptedPrompts& inner) : inner_(inner) {}
  void showStop(const std::string& text) override { observe().showStop(text); }
  void showPlain(const std::string& text) override { observe().showPlain(text); }
  bool askYesNo(const std::string& text) override { return observe().askYesNo(text); }

  QWidget* window = nullptr;
  std::vector<bool> windowVisible;

 private:
  ScriptedPrompts& observe() {
    windowVisible.push_back(window != nullptr && window->isVisible());
    return inner_;
  }
  ScriptedPrompts& inner_;
};

// A main window over test doubles: the sample catalogues below the program folder, the
// clock at 5 March 2026 08:07, and a running fake CMM software with "Welle.kvp" open.
struct MainWindowRig : TestEnvironment {
  MainWindowRig();
  MainWindowRig(const MainWindowRig&) = delete;
  MainWindowRig& operator=(const MainWindowRig&) = delete;
  ~MainWindowRig();

  // Builds the window and runs its load.
  frm_Eingabe& load();
  // A valid order of sample size 2: article, order, machine "M7", inspector "(12)".
  void fillValidOrder();
  // The messages shown so far, texts only.
  std::vector<std::string> messages() const;

  template <typename Widget = QWidget>
  Widget* child(const char* name) const {
    auto* found = window->findChild<Widget*>(QString::fromUtf8(name));
    EXPECT_NE(found, nullptr) << name;
    return found;
  }
  QLineEdit* edit(const char* name) const { return child<QLineEdit>(name); }
  QString text(const char* name) const { return edit(name)->text(); }
  QString caption(const char* name) const { return child<QLabel>(name)->text(); }
  std::vector<std::string> entries(const char* name) const;

  RecordingStore store{settings};
  ObservedPrompts observed{prompts};
  Environment windowEnv{store, files, clock, random, observed, numbers, kalvero, env.programFolder};
  std::shared_ptr<FakeKvoApplication> app;
  std::unique_ptr<frm_Eingabe> window;
};

class MainWindowTest : public ::testing::Test, public MainWindowRig {};

// Lets queued events and deferred deletions run.
void processEvents();

}  // namespace kvotlk::test
