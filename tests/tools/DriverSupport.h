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
    const QString& script,
    const QProcessEnvironment& base = QProcessEnvironment::systemEnvironment());
// The report so far.
std::string readReport(const QString& script);
// Waits until the report holds the line, running the event loop meanwhile; false after
// the time or as soon as the driver has given up ("ABBRUCH").
bool waitForLine(const QString& script, const std::string& line, int timeoutMs = 60000);

}  // namespace kvotlk::test
