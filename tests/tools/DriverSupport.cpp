#include "DriverSupport.h"

#include <QFile>

#include "simlink/SimTestSupport.h"

namespace kvotlk::test {

void writeScript(const QString& path, const std::vector<std::string>& steps) {
  QFile file(path);
  if (file.open(QIODevice::WriteOnly)) {
    for (const std::string& step : steps) {
      file.write((step + "\n").c_str());
    }
  }
}

QProcessEnvironment drivenEnvironment(const QString& script, const QProcessEnvironment& base) {
  QProcessEnvironment environment = base;
  environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
  environment.insert(QStringLiteral("QT_PLUGIN_PATH"), QStringLiteral(KVOTLK_DRIVER_PLUGINS));
  environment.insert(QStringLiteral("QT_QPA_GENERIC_PLUGINS"),
                     QStringLiteral("kvotlkdriver:") + script);
  return environment;
}

std::string readReport(const QString& script) {
  QFile report(script + QStringLiteral(".bericht"));
  return report.open(QIODevice::ReadOnly) ? report.readAll().toStdString() : std::string();
}

bool waitForLine(const QString& script, const std::string& line, int timeoutMs) {
  bool found = false;
  waitUntil(
      [&] {
        const std::string report = "\n" + readReport(script);
        found = report.find("\n" + line + "\n") != std::string::npos;
        return found || report.find("\nABBRUCH ") != std::string::npos;
      },
      timeoutMs);
  return found;
}

}  // namespace kvotlk::test
