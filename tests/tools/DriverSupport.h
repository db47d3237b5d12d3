#pragma once

#include <QProcessEnvironment>
#include <QString>
#include <string>
#include <vector>

// Running a Qt program under the driver plugin (tests/tools/driver).
namespace kvotlk::test {

void writeScript(const QString& path, const std::vector<std::string>& steps);
// The environment of a program driven by the script: the base, offscreen, and the driver
// loaded as a generic plugin. Its report is the script's path with ".bericht" appended.
QProcessEnvironment drivenEnvironment(
    const QString& script, QProcessEnvironment base = QProcessEnvironment::systemEnvironment());
// Waits until the report holds the line.
bool waitForLine(const QString& script, const std::string& line, int timeoutMs = 60000);

}  // namespace kvotlk::test
