// The program's message boxes: built as each message asks, and answered without blocking
// (a zero timer presses a key in the box while it runs).
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

TEST(QtPrompts, StopMessageHasTheCriticalIconAndOK) {
  const auto box = BuildMessageBox(PromptBox::Stop, "Pflichtfeld Artikel nicht eingetragen.");
  EXPECT_EQ(box->windowTitle(), "KVOTLK");
  EXPECT_EQ(box->icon(), QMessageBox::Critical);
  EXPECT_EQ(box->text(), "Pflichtfeld Artikel nicht eingetragen.");
  EXPECT_EQ(buttonTexts(*box), QStringList{"OK"});
  EXPECT_EQ(box->defaultButton()->text(), "OK");
  EXPECT_EQ(box->escapeButton()->text(), "OK");
  EXPECT_EQ(box->textFormat(), Qt::PlainText) << "an ID holding \"<\" is shown as typed";
}

TEST(QtPrompts, QuestionHasJaAsDefault) {
  const auto box = BuildMessageBox(PromptBox::Question,
                                   "Vordefinierte Anzahl von Stichproben wurde bereits gemessen."
                                   "\r\nSoll die Stichprobenanzahl erhöht werden?");
  EXPECT_EQ(box->windowTitle(), "KVOTLK");
  EXPECT_EQ(box->icon(), QMessageBox::NoIcon);
  EXPECT_EQ(buttonTexts(*box), (QStringList{"Ja", "Nein"}));
  EXPECT_EQ(box->defaultButton()->text(), "Ja");
  EXPECT_EQ(box->text(),
            "Vordefinierte Anzahl von Stichproben wurde bereits gemessen.\n"
            "Soll die Stichprobenanzahl erhöht werden?")
      << "CR LF shown as one line break";
}

std::function<void(QMessageBox&)> Press(Qt::Key key) {
  return [key](QMessageBox& box) { QTest::keyClick(&box, key); };
}

// Does to the modal box, as soon as it runs, what the step says, and notes its icon and
// whether it was still open afterwards.
struct BoxAnswer {
  explicit BoxAnswer(std::function<void(QMessageBox&)> step) {
    QTimer::singleShot(0, [this, step = std::move(step)] {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      if (box == nullptr) {
        return;
      }
      icon = box->icon();
      step(*box);
      stillOpen = box->isVisible();
      if (stillOpen) {
        box->button(QMessageBox::No)->click();
      }
    });
  }

  QMessageBox::Icon icon = QMessageBox::NoIcon;
  bool stillOpen = false;
};

// Escape and the close box leave a question open (the box answers "Nein" afterwards).
TEST(QtPrompts, QuestionIsAnsweredOnlyByItsButtons) {
  struct Case {
    const char* name;
    std::function<void(QMessageBox&)> step;
    bool answer;
    bool stillOpen;
  };
  const Case cases[] = {
      {"Enter", Press(Qt::Key_Return), true, false},
      {"Nein", [](QMessageBox& box) { box.button(QMessageBox::No)->click(); }, false, false},
      {"Escape", Press(Qt::Key_Escape), false, true},
      {"close box", [](QMessageBox& box) { box.close(); }, false, true},
  };
  QtPrompts prompts;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const BoxAnswer answer(c.step);
    EXPECT_EQ(prompts.askYesNo("Soll eine weitere Probe gemessen werden?"), c.answer);
    EXPECT_EQ(answer.stillOpen, c.stillOpen);
  }
}

TEST(QtPrompts, MessagesCloseWithEnterOrEscape) {
  QtPrompts prompts;
  const BoxAnswer stop(Press(Qt::Key_Escape));
  prompts.showStop("Kalvero muss zuerst gestartet sein.");
  EXPECT_EQ(stop.icon, QMessageBox::Critical);
  EXPECT_FALSE(stop.stillOpen);
  const BoxAnswer plain(Press(Qt::Key_Return));
  prompts.showPlain("Stichprobenumfang muss vom Typ Integer (Ganzzahl) sein.");
  EXPECT_EQ(plain.icon, QMessageBox::NoIcon);
  EXPECT_FALSE(plain.stillOpen);
}

}  // namespace
}  // namespace kvotlk
