#include "manual/ManualWindow.h"

#include <QFileInfo>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

#include "common/Paths.h"

namespace kvotlk {

std::string ManualStartPage(const std::string& programFolder) {
  return joinPath(joinPath(programFolder, "Handbuch"), "index.md");
}

std::string ManualMissingText(const std::string& startPage) {
  return "Das Handbuch wurde nicht gefunden: " + startPage +
         ". Es wird mit dem Programm installiert; fragen Sie Ihre IT.";
}

ManualWindow::ManualWindow(const std::string& programFolder, QWidget* parent)
    : QWidget(parent, Qt::Window), browser_(new QTextBrowser(this)) {
  setObjectName(QStringLiteral("ManualWindow"));
  setWindowTitle(QStringLiteral("KVOTLK – Handbuch"));
  setAttribute(Qt::WA_DeleteOnClose);
  browser_->setObjectName(QStringLiteral("txtHandbuch"));
  // Links to the web open in the system's browser; the manual's own pages stay here.
  browser_->setOpenExternalLinks(true);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(browser_);
  resize(900, 700);
  const QString page = QString::fromStdString(ManualStartPage(programFolder));
  if (QFileInfo::exists(page)) {
    browser_->setSource(QUrl::fromLocalFile(page), QTextDocument::MarkdownResource);
  } else {
    browser_->setPlainText(QString::fromStdString(ManualMissingText(page.toStdString())));
  }
}

}  // namespace kvotlk
