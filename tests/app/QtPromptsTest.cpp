// The program's message boxes: built as each message asks, and answered without blocking
// (a zero timer acts on the box while it runs).
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <functional>

#include "app/QtPrompts.h"

namespace kvotlk {
namespace {

// The text is plain (an ID holding "<" is shown as typed), CR LF one line break; a
// question's default is "&Ja".
TEST(QtPrompts, BoxesShowTheirTextAsTyped) {
  const auto box = BuildMessageBox(PromptBox::Question, "ID 1<2\r\nErhöhen?");
  EXPECT_EQ(box->textFormat(), Qt::PlainText);
  EXPECT_EQ(box->text(), "ID 1<2\nErhöhen?");
  EXPECT_EQ(box->defaultButton()->text() + box->button(QMessageBox::No)->text(), "&Ja&Nein");
}

// Shown and answered: title, icon, on top of other windows; Enter takes the default, the
// underlined letters answer; Escape and the close box leave a question open (then "Nein"
// closes it) and close a message; a question that throws something away has "Nein" as its
// default and the answer of Escape and the close box.
TEST(QtPrompts, BoxesAreAnsweredByTheirButtonsAndTheirLetters) {
  const auto press = [](Qt::Key key) {
    return std::function<void(QMessageBox&)>(
        [key](QMessageBox& box) { QTest::keyClick(&box, key); });
  };
  const std::tuple<PromptBox, std::function<void(QMessageBox&)>, bool, bool> cases[] = {
      {PromptBox::Question, press(Qt::Key_Return), true, false},
      {PromptBox::Question, press(Qt::Key_J), true, false},
      {PromptBox::Question, press(Qt::Key_N), false, false},
      {PromptBox::Question, press(Qt::Key_Escape), false, true},
      {PromptBox::Question, [](QMessageBox& box) { box.close(); }, false, true},
      {PromptBox::QuestionDefaultNo, press(Qt::Key_Return), false, false},
      {PromptBox::QuestionDefaultNo, press(Qt::Key_J), true, false},
      {PromptBox::QuestionDefaultNo, press(Qt::Key_Escape), false, false},
      {PromptBox::QuestionDefaultNo, [](QMessageBox& box) { box.close(); }, false, false},
      {PromptBox::Stop, press(Qt::Key_Escape), false, false},
      {PromptBox::Plain, press(Qt::Key_Return), false, false}};
  QtPrompts prompts;
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    SCOPED_TRACE(i);
    const auto& [kind, step, answer, leftOpen] = cases[i];
    bool stillOpen = false;
    QTimer::singleShot(0, [&] {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      ASSERT_NE(box, nullptr);
      EXPECT_EQ(box->windowTitle(), "KVOTLK");
      EXPECT_EQ(box->icon(), kind == PromptBox::Stop ? QMessageBox::Critical : QMessageBox::NoIcon);
      EXPECT_TRUE(box->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
      step(*box);
      stillOpen = !QTest::qWaitFor([box] { return !box->isVisible(); }, 300);
      if (stillOpen) {
        box->button(QMessageBox::No)->click();
      }
    });
    if (kind == PromptBox::Question) {
      EXPECT_EQ(prompts.askYesNo("Soll eine weitere Probe gemessen werden?"), answer);
    } else if (kind == PromptBox::QuestionDefaultNo) {
      EXPECT_EQ(prompts.askYesNoDefaultNo("Messwerte verwerfen?"), answer);
    } else {
      kind == PromptBox::Stop ? prompts.showStop("Stopp.") : prompts.showPlain("Meldung.");
    }
    EXPECT_EQ(stillOpen, leftOpen);
  }
}

}  // namespace
}  // namespace kvotlk
