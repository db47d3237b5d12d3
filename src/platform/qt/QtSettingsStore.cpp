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
  return {std::make_unique<QSettings>(QSettings::IniFormat, QSettings::UserScope,
                                      QStringLiteral("SolvikGermany"), QStringLiteral("KVOTLK")),
          key};
}

std::optional<std::string> QtSettingsStore::read(const std::string& path) {
  const Location where = locate(path);
  if (where.settings->status() != QSettings::NoError || !where.settings->contains(where.key)) {
    return std::nullopt;
  }
  // A hand-typed list ("a,b" unquoted) or "@Rect(…)" is read by QSettings as another type;
  // it is no text as typed, so it counts as unreadable.
  const QVariant value = where.settings->value(where.key);
  if (value.typeId() != QMetaType::QString) {
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
