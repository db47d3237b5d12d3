#include "app/QtPrompts.h"

#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QMessageBox>
#include <QPushButton>
#include <algorithm>

namespace kvotlk {
namespace {

// A question must be answered: as with the message boxes of Windows, Escape and the close
// box do nothing, so that no key sends a file or stops a capture by accident.
// Every box is brought to the front when it opens, so that a question asked during a run
// cannot open behind the CMM software's full-screen window.
class MessageBox final : public QMessageBox {
 public:
  MessageBox(bool mustAnswer, QWidget* parent) : QMessageBox(parent), mustAnswer_(mustAnswer) {}

 protected:
  void showEvent(QShowEvent* event) override {
    QMessageBox::showEvent(event);
    raise();
    activateWindow();
  }
  void keyPressEvent(QKeyEvent* event) override {
    if (mustAnswer_ && event->key() == Qt::Key_Escape) {
      event->accept();
      return;
    }
    QMessageBox::keyPressEvent(event);
  }
  void closeEvent(QCloseEvent* event) override {
    if (mustAnswer_ && clickedButton() == nullptr) {
      event->ignore();
      return;
    }
    QMessageBox::closeEvent(event);
  }

 private:
  bool mustAnswer_;
};

QString displayText(const std::string& text) {
  QString shown = QString::fromStdString(text);
  shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  return shown;
}

// The window a box belongs to: the program's active window or, while another program is in
// front (the CMM software during a run), the program's window that is shown.
QWidget* ownerWindow() {
  if (QWidget* active = QApplication::activeWindow()) {
    return active;
  }
  const QWidgetList windows = QApplication::topLevelWidgets();
  const auto shown = std::find_if(windows.begin(), windows.end(), [](const QWidget* window) {
    return window->isVisible() && window->windowType() == Qt::Window;
  });
  return shown != windows.end() ? *shown : nullptr;
}

QMessageBox::StandardButton run(PromptBox kind, const std::string& text) {
  const auto box = BuildMessageBox(kind, text, ownerWindow());
  box->exec();
  return box->standardButton(box->clickedButton());
}

}  // namespace

std::unique_ptr<QMessageBox> BuildMessageBox(PromptBox kind, const std::string& text,
                                             QWidget* parent) {
  const bool question = kind == PromptBox::Question || kind == PromptBox::QuestionDefaultNo;
  const bool mustAnswer = kind == PromptBox::Question;
  std::unique_ptr<QMessageBox> box = std::make_unique<MessageBox>(mustAnswer, parent);
  box->setWindowTitle(QStringLiteral("KVOTLK"));
  box->setTextFormat(Qt::PlainText);
  box->setText(displayText(text));
  box->setWindowModality(Qt::ApplicationModal);
  // After the modality, which sets the window flags anew.
  box->setWindowFlag(Qt::WindowStaysOnTopHint);
  if (question) {
    box->setIcon(QMessageBox::NoIcon);
    QPushButton* yes = box->addButton(QMessageBox::Yes);
    QPushButton* no = box->addButton(QMessageBox::No);
    // As on Windows, the underlined letter answers: J or N.
    yes->setText(QStringLiteral("&Ja"));
    no->setText(QStringLiteral("&Nein"));
    if (mustAnswer) {
      box->setDefaultButton(yes);
    } else {
      box->setDefaultButton(no);
      box->setEscapeButton(no);
    }
  } else {
    box->setIcon(kind == PromptBox::Stop ? QMessageBox::Critical : QMessageBox::NoIcon);
    QPushButton* ok = box->addButton(QMessageBox::Ok);
    ok->setText(QStringLiteral("OK"));
    box->setDefaultButton(ok);
    box->setEscapeButton(ok);
  }
  return box;
}

void QtPrompts::showStop(const std::string& text) { run(PromptBox::Stop, text); }

void QtPrompts::showPlain(const std::string& text) { run(PromptBox::Plain, text); }

bool QtPrompts::askYesNo(const std::string& text) {
  return run(PromptBox::Question, text) == QMessageBox::Yes;
}

bool QtPrompts::askYesNoDefaultNo(const std::string& text) {
  return run(PromptBox::QuestionDefaultNo, text) == QMessageBox::Yes;
}

}  // namespace kvotlk
