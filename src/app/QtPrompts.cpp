#include "app/QtPrompts.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

namespace kvotlk {
namespace {

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
  auto box = std::make_unique<QMessageBox>(parent);
  box->setWindowTitle(QStringLiteral("KVOTLK"));
  box->setTextFormat(Qt::PlainText);
  box->setText(displayText(text));
  box->setWindowModality(Qt::ApplicationModal);
  if (kind == PromptBox::Question) {
    box->setIcon(QMessageBox::NoIcon);
    QPushButton* yes = box->addButton(QMessageBox::Yes);
    QPushButton* no = box->addButton(QMessageBox::No);
    yes->setText(QStringLiteral("Ja"));
    no->setText(QStringLiteral("Nein"));
    box->setDefaultButton(yes);
    box->setEscapeButton(no);
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
