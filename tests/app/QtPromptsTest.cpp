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

QStringList buttonTexts(const QMessageBox& box) {
  QStringList texts;
  for (QAbstractButton* button : box.buttons()) {
    texts.append(button->text());
  }
  texts.sort();
  return texts;
}

TEST(QtPrompts, EachKindOfBoxHasItsButtons) {
  const auto stop = BuildMessageBox(PromptBox::Stop, "ID 1<2");
  EXPECT_EQ(buttonTexts(*stop), QStringList{"OK"});
  EXPECT_EQ(stop->defaultButton()->text(), "OK");
  EXPECT_EQ(stop->escapeButton()->text(), "OK");
  EXPECT_EQ(stop->textFormat(), Qt::PlainText) << "an ID holding \"<\" is shown as typed";
  const auto question = BuildMessageBox(PromptBox::Question, "Gemessen.\r\nErhöhen?");
  EXPECT_EQ(buttonTexts(*question), (QStringList{"&Ja", "&Nein"}));
  EXPECT_EQ(question->defaultButton()->text(), "&Ja");
  EXPECT_EQ(question->text(), "Gemessen.\nErhöhen?") << "CR LF shown as one line break";
}

std::function<void(QMessageBox&)> Press(Qt::Key key) {
  return [key](QMessageBox& box) { QTest::keyClick(&box, key); };
}

// Shown and answered: title, icon, on top of other windows; Enter takes the default, the
// underlined letters answer; Escape and the close box leave a question open (then "Nein"
// closes it) and close a message.
TEST(QtPrompts, BoxesAreAnsweredByTheirButtonsAndTheirLetters) {
  struct Case {
    const char* name;
    PromptBox kind;
    std::function<void(QMessageBox&)> step;
    bool answer;
    bool stillOpen;
  };
  const Case cases[] = {
      {"Enter", PromptBox::Question, Press(Qt::Key_Return), true, false},
      {"J", PromptBox::Question, Press(Qt::Key_J), true, false},
      {"N", PromptBox::Question, Press(Qt::Key_N), false, false},
      {"Escape", PromptBox::Question, Press(Qt::Key_Escape), false, true},
      {"close box", PromptBox::Question, [](QMessageBox& box) { box.close(); }, false, true},
      {"stop, Escape", PromptBox::Stop, Press(Qt::Key_Escape), false, false},
      {"plain, Enter", PromptBox::Plain, Press(Qt::Key_Return), false, false}};
  QtPrompts prompts;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    bool stillOpen = false;
    QTimer::singleShot(0, [&] {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      ASSERT_NE(box, nullptr);
      EXPECT_EQ(box->windowTitle(), "KVOTLK");
      EXPECT_EQ(box->icon(),
                c.kind == PromptBox::Stop ? QMessageBox::Critical : QMessageBox::NoIcon);
      EXPECT_TRUE(box->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
      c.step(*box);
      stillOpen = !QTest::qWaitFor([box] { return !box->isVisible(); }, 300);
      if (stillOpen) {
        box->button(QMessageBox::No)->click();
      }
    });
    if (c.kind == PromptBox::Question) {
      EXPECT_EQ(prompts.askYesNo("Soll eine weitere Probe gemessen werden?"), c.answer);
    } else {
      c.kind == PromptBox::Stop ? prompts.showStop("Stopp.") : prompts.showPlain("Meldung.");
    }
    EXPECT_EQ(stillOpen, c.stillOpen);
  }
}

}  // namespace
}  // namespace kvotlk
