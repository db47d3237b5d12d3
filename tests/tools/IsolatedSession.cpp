#include "IsolatedSession.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "DriverSupport.h"

namespace kvotlk::test {

IsolatedSession::IsolatedSession() {
  for (const QString& folder : {programFolder(), tempFolder(), configFolder(), targetFolder(),
                                root_.filePath(QStringLiteral("home"))}) {
    QDir().mkpath(folder);
  }
}

QString IsolatedSession::endpointSocket() const {
  return QDir(tempFolder()).filePath(QStringLiteral("kalvero-sim"));
}

QString IsolatedSession::install(const QString& executable) const {
  const QString copy = QDir(programFolder()).filePath(QFileInfo(executable).fileName());
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

QProcessEnvironment IsolatedSession::environment() const {
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
  environment.insert(QStringLiteral("TMPDIR"), tempFolder());
  environment.insert(QStringLiteral("XDG_CONFIG_HOME"), configFolder());
  environment.insert(QStringLiteral("HOME"), root_.filePath(QStringLiteral("home")));
  return environment;
}

QProcessEnvironment IsolatedSession::drivenEnvironment(const QString& script) const {
  return kvotlk::test::drivenEnvironment(script, environment());
}

}  // namespace kvotlk::test
