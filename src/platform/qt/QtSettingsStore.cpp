#include "platform/qt/QtSettingsStore.h"

#include <QSettings>
#include <utility>

namespace kvotlk {

QtSettingsStore::QtSettingsStore(std::string root) : root_(std::move(root)) {}

QtSettingsStore::QtSettingsStore(std::string root, QString iniFile)
    : root_(std::move(root)), iniFile_(std::move(iniFile)) {}

QtSettingsStore::~QtSettingsStore() = default;

QtSettingsStore::Location QtSettingsStore::locate(const std::string& path) const {
  // Below the root the path is section + "\" + key.
  const bool belowRoot = path.compare(0, root_.size(), root_) == 0;
  const QString relative = QString::fromStdString(belowRoot ? path.substr(root_.size()) : path);
  QString key = relative;
  key.replace(QLatin1Char('\\'), QLatin1Char('/'));
  if (!iniFile_.isEmpty()) {
    return {std::make_unique<QSettings>(iniFile_, QSettings::IniFormat), key};
  }
#ifdef Q_OS_WIN
  QString rootKey = QString::fromStdString(root_);
  if (rootKey.endsWith(QLatin1Char('\\'))) {
    rootKey.chop(1);
  }
  return {std::make_unique<QSettings>(rootKey, QSettings::NativeFormat), key};
#else
  return {std::make_unique<QSettings>(QSettings::IniFormat, QSettings::UserScope,
                                      QStringLiteral("SolvikGermany"), QStringLiteral("KVOTLK")),
          key};
#endif
}

std::optional<std::string> QtSettingsStore::read(const std::string& path) {
  const Location where = locate(path);
  if (where.settings->status() != QSettings::NoError || !where.settings->contains(where.key)) {
    return std::nullopt;
  }
  const QVariant value = where.settings->value(where.key);
  if (!value.canConvert<QString>()) {
    return std::nullopt;
  }
  return value.toString().toStdString();
}

bool QtSettingsStore::write(const std::string& path, const std::string& value) {
  const Location where = locate(path);
  where.settings->setValue(where.key, QString::fromStdString(value));
  where.settings->sync();
  return where.settings->status() == QSettings::NoError;
}

}  // namespace kvotlk
