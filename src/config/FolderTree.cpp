#include "config/FolderTree.h"

#include <QStyle>

#include "common/Paths.h"
#include "config/DriveFolders.h"
#include "config/VolumeSource.h"

namespace kvotlk {
namespace {

constexpr int kPathRole = Qt::UserRole;
constexpr int kFilledRole = Qt::UserRole + 1;

QString childPath(const QString& parent, const QString& name) {
  const QChar separator = QLatin1Char(kPathSeparator);
  return parent.endsWith(separator) ? parent + name : parent + separator + name;
}

}  // namespace

FolderTree::FolderTree(VolumeSource& volumes, QWidget* parent)
    : QTreeWidget(parent), volumes_(volumes) {
  setHeaderHidden(true);
  setColumnCount(1);
  setSelectionMode(QAbstractItemView::SingleSelection);
  connect(this, &QTreeWidget::itemExpanded, this, &FolderTree::fillChildren);
  connect(this, &QTreeWidget::currentItemChanged, this,
          [this](QTreeWidgetItem* current) { takeCurrent(current); });
}

void FolderTree::setPath(const QString& path) {
  building_ = true;
  clear();
  std::vector<std::string> chain = FolderChain(path.toStdString());
  if (chain.empty()) {
    chain.push_back(path.toStdString());
  }
  QTreeWidgetItem* item = addFolder(nullptr, QString::fromStdString(chain.front()),
                                    QString::fromStdString(chain.front()));
  item->setIcon(0, style()->standardIcon(QStyle::SP_DriveHDIcon));
  for (std::size_t i = 1; i < chain.size(); ++i) {
    fillChildren(item);
    const QString next = QString::fromStdString(chain[i]);
    QTreeWidgetItem* child = childWithPath(item, next);
    if (child == nullptr) {
      // A folder the listing does not show (hidden, or gone) still keeps its place.
      child = addFolder(item, next, next.section(QLatin1Char(kPathSeparator), -1));
    }
    item->setExpanded(true);
    item = child;
  }
  // The chosen folder shows the folders inside it.
  fillChildren(item);
  item->setExpanded(true);
  setCurrentItem(item);
  scrollToItem(item);
  building_ = false;
  if (path != path_) {
    path_ = path;
    emit pathChanged(path_);
  }
}

QTreeWidgetItem* FolderTree::addFolder(QTreeWidgetItem* parent, const QString& path,
                                       const QString& label) {
  auto* item = new QTreeWidgetItem(QStringList{label});
  item->setData(0, kPathRole, path);
  item->setIcon(0, style()->standardIcon(QStyle::SP_DirIcon));
  item->setChildIndicatorPolicy(QTreeWidgetItem::ShowIndicator);
  if (parent == nullptr) {
    addTopLevelItem(item);
  } else {
    parent->addChild(item);
  }
  return item;
}

void FolderTree::fillChildren(QTreeWidgetItem* item) {
  if (item->data(0, kFilledRole).toBool()) {
    return;
  }
  item->setData(0, kFilledRole, true);
  const QString parentPath = item->data(0, kPathRole).toString();
  const std::vector<std::string> names = volumes_.subfolders(parentPath.toStdString());
  for (const std::string& name : names) {
    const QString label = QString::fromStdString(name);
    addFolder(item, childPath(parentPath, label), label);
  }
  if (names.empty()) {
    item->setChildIndicatorPolicy(QTreeWidgetItem::DontShowIndicatorWhenChildless);
  }
}

QTreeWidgetItem* FolderTree::childWithPath(QTreeWidgetItem* item, const QString& path) {
  for (int i = 0; i < item->childCount(); ++i) {
    if (item->child(i)->data(0, kPathRole).toString() == path) {
      return item->child(i);
    }
  }
  return nullptr;
}

void FolderTree::takeCurrent(QTreeWidgetItem* current) {
  if (building_ || current == nullptr) {
    return;
  }
  const QString chosen = current->data(0, kPathRole).toString();
  if (chosen != path_) {
    path_ = chosen;
    emit pathChanged(path_);
  }
}

}  // namespace kvotlk
