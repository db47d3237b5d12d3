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

TEST(QtPrompts, TextIsShownAsPlainText) {
  const auto box = BuildMessageBox(PromptBox::Stop, "Merkamls ID <b>12</b> entspricht nicht");
  EXPECT_EQ(box->textFormat(), Qt::PlainText);
}

// Does to the modal box, as soon as it runs, what the step says, and notes what it showed
// and whether the box was still open afterwards.
struct BoxAnswer {
  explicit BoxAnswer(std::function<void(QMessageBox&)> step) {
    QTimer::singleShot(0, [this, step = std::move(step)] {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      if (box == nullptr) {
        return;
      }
      title = box->windowTitle();
      icon = box->icon();
      step(*box);
      stillOpen = box->isVisible();
      if (stillOpen) {
        box->button(QMessageBox::No)->click();
      }
    });
  }
  explicit BoxAnswer(Qt::Key key)
      : BoxAnswer([key](QMessageBox& box) { QTest::keyClick(&box, key); }) {}

  QString title;
  QMessageBox::Icon icon = QMessageBox::NoIcon;
  bool stillOpen = false;
};

TEST(QtPrompts, QuestionAnsweredByEnterIsJaByClickOnNeinNein) {
  QtPrompts prompts;
  {
    const BoxAnswer answer(Qt::Key_Return);
    EXPECT_TRUE(prompts.askYesNo("Soll eine weitere Probe gemessen werden?"));
    EXPECT_EQ(answer.title, "KVOTLK");
    EXPECT_FALSE(answer.stillOpen);
  }
  {
    const BoxAnswer answer([](QMessageBox& box) { box.button(QMessageBox::No)->click(); });
    EXPECT_FALSE(prompts.askYesNo("Soll eine weitere Probe gemessen werden?"));
    EXPECT_FALSE(answer.stillOpen);
  }
}

TEST(QtPrompts, QuestionIsNotAnsweredByEscapeOrTheCloseBox) {
  QtPrompts prompts;
  {
    const BoxAnswer answer(Qt::Key_Escape);
    EXPECT_FALSE(prompts.askYesNo("Soll eine weitere Probe gemessen werden?"));
    EXPECT_TRUE(answer.stillOpen) << "answered by Nein afterwards";
  }
  {
    const BoxAnswer answer([](QMessageBox& box) { box.close(); });
    EXPECT_FALSE(prompts.askYesNo("Soll eine weitere Probe gemessen werden?"));
    EXPECT_TRUE(answer.stillOpen);
  }
}

TEST(QtPrompts, MessagesCloseWithEscapeToo) {
  QtPrompts prompts;
  const BoxAnswer stop(Qt::Key_Escape);
  prompts.showStop("Kalvero muss zuerst gestartet sein.");
  EXPECT_FALSE(stop.stillOpen);
}

TEST(QtPrompts, MessagesCloseWithEnter) {
  QtPrompts prompts;
  const BoxAnswer stop(Qt::Key_Return);
  prompts.showStop("Kalvero muss zuerst gestartet sein.");
  EXPECT_EQ(stop.icon, QMessageBox::Critical);
  const BoxAnswer plain(Qt::Key_Return);
  prompts.showPlain("Stichprobenumfang muss vom Typ Integer (Ganzzahl) sein.");
  EXPECT_EQ(plain.title, "KVOTLK");
  EXPECT_EQ(plain.icon, QMessageBox::NoIcon);
}

}  // namespace
}  // namespace kvotlk
