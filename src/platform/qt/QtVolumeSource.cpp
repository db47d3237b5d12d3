#include <QDir>
#include <QFileInfo>
#include <QStorageInfo>
#include <algorithm>

#include "config/VolumeSource.h"

namespace kvotlk {
namespace {

// The drives (Windows) or the root and the mount points that are folders (elsewhere), as
// native paths: "C:\" or "/mnt/daten".
class QtVolumeSource final : public VolumeSource {
 public:
  std::vector<std::string> drives() override {
    std::vector<std::string> found{QDir::toNativeSeparators(QDir::rootPath()).toStdString()};
    for (const QStorageInfo& volume : QStorageInfo::mountedVolumes()) {
      if (volume.isValid() && volume.isReady() && QFileInfo(volume.rootPath()).isDir()) {
        found.push_back(QDir::toNativeSeparators(volume.rootPath()).toStdString());
      }
    }
    std::sort(found.begin(), found.end());
    found.erase(std::unique(found.begin(), found.end()), found.end());
    return found;
  }

  std::vector<std::string> subfolders(const std::string& folder) override {
    const QStringList names =
        QDir(QString::fromStdString(folder))
            .entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase);
    std::vector<std::string> result;
    result.reserve(static_cast<std::size_t>(names.size()));
    for (const QString& name : names) {
      result.push_back(name.toStdString());
    }
    return result;
  }
};

}  // namespace

std::unique_ptr<VolumeSource> makeSystemVolumes() { return std::make_unique<QtVolumeSource>(); }

}  // namespace kvotlk
