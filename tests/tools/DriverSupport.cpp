#include "DriverSupport.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QThread>
#include <utility>

namespace kvotlk::test {

void writeScript(const QString& path, const std::vector<std::string>& steps) {
  QFile file(path);
  if (file.open(QIODevice::WriteOnly)) {
    for (const std::string& step : steps) {
      file.write((step + "\n").c_str());
    }
  }
}

QProcessEnvironment drivenEnvironment(const QString& script, QProcessEnvironment base) {
  QProcessEnvironment environment = std::move(base);
  environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
  environment.insert(QStringLiteral("QT_PLUGIN_PATH"), QStringLiteral(KVOTLK_DRIVER_PLUGINS));
  environment.insert(QStringLiteral("QT_QPA_GENERIC_PLUGINS"),
                     QStringLiteral("kvotlkdriver:") + script);
  return environment;
}

bool waitForLine(const QString& script, const std::string& line, int timeoutMs) {
  const QDeadlineTimer deadline(timeoutMs);
  const QString wanted = QString::fromStdString(line);
  while (!deadline.hasExpired()) {
    QFile report(script + QStringLiteral(".bericht"));
    if (report.open(QIODevice::ReadOnly) &&
        QString::fromUtf8(report.readAll()).split(QLatin1Char('\n')).contains(wanted)) {
      return true;
    }
    QThread::msleep(20);
  }
  return false;
}

}  // namespace kvotlk::test
