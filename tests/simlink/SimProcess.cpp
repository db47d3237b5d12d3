#include "simlink/SimProcess.h"

#include <algorithm>

#include "simlink/SimTestSupport.h"

namespace kvotlk::test {

SimProcess::SimProcess(const QStringList& arguments, const QProcessEnvironment& environment,
                       const QString& program) {
  QObject::connect(&process_, &QProcess::readyReadStandardOutput, &process_, [this] {
    while (process_.canReadLine()) {
      lines_.push_back(process_.readLine().trimmed().toStdString());
    }
  });
  process_.setProcessEnvironment(environment);
  process_.start(program, arguments);
}

SimProcess::~SimProcess() {
  if (process_.state() != QProcess::NotRunning) {
    kill();
  }
}

bool SimProcess::waitForLine(const std::string& line, int timeoutMs) {
  return waitUntil(
      [this, &line] { return std::find(lines_.begin(), lines_.end(), line) != lines_.end(); },
      timeoutMs);
}

void SimProcess::write(const std::string& text) {
  process_.write(text.data(), static_cast<qint64>(text.size()));
}

int SimProcess::exitCode(int timeoutMs) {
  if (!waitUntil([this] { return process_.state() == QProcess::NotRunning; }, timeoutMs)) {
    return -1;
  }
  return process_.exitCode();
}

void SimProcess::kill() {
  process_.kill();
  process_.waitForFinished();
}

std::string SimProcess::errors() { return process_.readAllStandardError().toStdString(); }

}  // namespace kvotlk::test
