#pragma once

#include <QProcess>
#include <QProcessEnvironment>
#include <QStringList>
#include <string>
#include <vector>

namespace kvotlk::test {

// One kalvero-sim process (or another program); its standard output is collected line by
// line while the event loop runs. Killed when it is destroyed.
class SimProcess {
 public:
  static constexpr int kDefaultWaitMs = 20000;

  explicit SimProcess(
      const QStringList& arguments,
      const QProcessEnvironment& environment = QProcessEnvironment::systemEnvironment(),
      const QString& program = QStringLiteral(KALVERO_SIM_PATH));
  ~SimProcess();
  SimProcess(const SimProcess&) = delete;
  SimProcess& operator=(const SimProcess&) = delete;
  SimProcess(SimProcess&&) = delete;
  SimProcess& operator=(SimProcess&&) = delete;

  bool waitForLine(const std::string& line, int timeoutMs = kDefaultWaitMs);
  void write(const std::string& text);
  // Waits for the end; the exit code, or -1 when it did not end.
  int exitCode(int timeoutMs = kDefaultWaitMs);
  void kill();
  std::string errors();
  const std::vector<std::string>& lines() const { return lines_; }

 private:
  QProcess process_;
  std::vector<std::string> lines_;
};

}  // namespace kvotlk::test
