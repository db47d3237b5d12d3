#pragma once

#include <QString>
#include <QTreeWidget>

namespace kvotlk {

class VolumeSource;

// The folder list: a tree from the root of the current folder down to it, with the
// folders of every level beside it. A click on a folder makes it the current one; other
// folders open on demand.
class FolderTree : public QTreeWidget {
  Q_OBJECT

 public:
  explicit FolderTree(VolumeSource& volumes, QWidget* parent = nullptr);

  QString path() const { return path_; }
  // Rebuilds the tree around the folder; pathChanged follows when the path differs.
  void setPath(const QString& path);

 signals:
  void pathChanged(const QString& path);

 private:
  QTreeWidgetItem* addFolder(QTreeWidgetItem* parent, const QString& path, const QString& label);
  void fillChildren(QTreeWidgetItem* item);
  QTreeWidgetItem* childWithPath(QTreeWidgetItem* item, const QString& path);
  void takeCurrent(QTreeWidgetItem* current);

  VolumeSource& volumes_;
  QString path_;
  bool building_ = false;
};

}  // namespace kvotlk
