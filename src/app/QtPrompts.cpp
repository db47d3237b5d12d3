#include "app/QtPrompts.h"

#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QMessageBox>
#include <QPushButton>

namespace kvotlk {
namespace {

// A question must be answered: as with the message boxes of Windows, Escape and the close
// box do nothing, so that no key sends a file or stops a capture by accident.
class MessageBox final : public QMessageBox {
 public:
  MessageBox(bool mustAnswer, QWidget* parent) : QMessageBox(parent), mustAnswer_(mustAnswer) {}

 protected:
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

QMessageBox::StandardButton run(PromptBox kind, const std::string& text) {
  const auto box = BuildMessageBox(kind, text, QApplication::activeWindow());
  box->exec();
  return box->standardButton(box->clickedButton());
}

}  // namespace

std::unique_ptr<QMessageBox> BuildMessageBox(PromptBox kind, const std::string& text,
                                             QWidget* parent) {
  const bool question = kind == PromptBox::Question;
  std::unique_ptr<QMessageBox> box = std::make_unique<MessageBox>(question, parent);
  box->setWindowTitle(QStringLiteral("KVOTLK"));
  box->setTextFormat(Qt::PlainText);
  box->setText(displayText(text));
  box->setWindowModality(Qt::ApplicationModal);
  if (question) {
    box->setIcon(QMessageBox::NoIcon);
    QPushButton* yes = box->addButton(QMessageBox::Yes);
    QPushButton* no = box->addButton(QMessageBox::No);
    yes->setText(QStringLiteral("Ja"));
    no->setText(QStringLiteral("Nein"));
    box->setDefaultButton(yes);
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

}  // namespace kvotlk
