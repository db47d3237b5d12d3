#include "IsolatedSession.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>

namespace kvotlk::test {

namespace {

// Qt wants the runtime folder to belong to the user alone.
constexpr QFile::Permissions kOwnerOnly = QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner |
                                          QFile::ReadUser | QFile::WriteUser | QFile::ExeUser;

}  // namespace

IsolatedSession::IsolatedSession() {
  for (const QString& folder : {programFolder(), tempFolder(), configFolder(), targetFolder(),
                                runtimeFolder(), root_.filePath(QStringLiteral("home"))}) {
    QDir().mkpath(folder);
  }
  QFile::setPermissions(runtimeFolder(), kOwnerOnly);
}

QString IsolatedSession::endpointSocket() const {
  return QDir(tempFolder()).filePath(QStringLiteral("kalvero-sim"));
}

QString IsolatedSession::install(const QString& executable) const {
  QString copy = QDir(programFolder()).filePath(QFileInfo(executable).fileName());
  QFile::remove(copy);
  QFile::copy(executable, copy);
  QFile(copy).setPermissions(QFile(executable).permissions());
  return copy;
}

bool IsolatedSession::installCatalogues(const QString& catalogueFolder) const {
  const QDir source(catalogueFolder);
  const QString target = QDir(programFolder()).filePath(QStringLiteral("Kataloge"));
  QDir().mkpath(target);
  bool all = true;
  for (const QString& name : source.entryList(QDir::Files)) {
    all = QFile::copy(source.filePath(name), QDir(target).filePath(name)) && all;
  }
  return all;
}

bool IsolatedSession::writeSettings(const std::vector<std::pair<QString, QString>>& values) const {
  // Where QSettings keeps organisation SolvikGermany, application KVOTLK, as INI per user.
  QSettings settings(QDir(configFolder()).filePath(QStringLiteral("SolvikGermany/KVOTLK.ini")),
                     QSettings::IniFormat);
  for (const auto& [key, value] : values) {
    settings.setValue(QStringLiteral("Config/") + key, value);
  }
  settings.sync();
  return settings.status() == QSettings::NoError;
}

QProcessEnvironment IsolatedSession::environment() const {
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
  environment.insert(QStringLiteral("LC_ALL"), QStringLiteral("de_DE.UTF-8"));
  environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtimeFolder());
  environment.insert(QStringLiteral("TMPDIR"), tempFolder());
  environment.insert(QStringLiteral("XDG_CONFIG_HOME"), configFolder());
  environment.insert(QStringLiteral("HOME"), root_.filePath(QStringLiteral("home")));
  return environment;
}

QProcessEnvironment IsolatedSession::drivenEnvironment(const QString& script) const {
  QProcessEnvironment driven = environment();
  driven.insert(QStringLiteral("QT_PLUGIN_PATH"), QStringLiteral(KVOTLK_DRIVER_PLUGINS));
  driven.insert(QStringLiteral("QT_QPA_GENERIC_PLUGINS"), QStringLiteral("kvotlkdriver:") + script);
  return driven;
}

}  // namespace kvotlk::test
