#pragma once

#include <QWidget>
#include <string>

class QTextBrowser;

namespace kvotlk {

// The German manual that ships beside the program (folder "Handbuch"), shown in a window of
// its own: the Markdown files as Qt renders them, their pictures, links between them. It
// needs neither a browser nor a network, and what IT locks down on a measuring PC does not
// touch it.
class ManualWindow final : public QWidget {
  Q_OBJECT

 public:
  explicit ManualWindow(const std::string& programFolder, QWidget* parent = nullptr);

 private:
  QTextBrowser* browser_ = nullptr;
};

// The manual's first page below the program folder.
std::string ManualStartPage(const std::string& programFolder);
// The text shown when the manual is not there.
std::string ManualMissingText(const std::string& startPage);

}  // namespace kvotlk
