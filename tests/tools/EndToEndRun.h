#pragma once

#include <QByteArray>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <memory>
#include <string>
#include <vector>

#include "simlink/SimTestSupport.h"

// One order taken end to end: the converter and kalvero-sim as two processes, each driven
// through its windows by a script of the driver (tests/tools/driver) where needed, in a
// folder of their own: a program folder (executables and Kataloge; the converter stages
// into its TempData), a temporary folder (the simulator's fixed endpoint is a socket in
// it, so the converter finds this run's simulator and no other), the user's configuration
// folder and a target folder. Removed with everything in it at the end.
namespace kvotlk::test {

// Long enough for programs under AddressSanitizer to start and work on a busy machine of
// two cores; a run that goes well waits a fraction of it.
inline constexpr int kEndToEndWaitMs = 120000;
inline constexpr const char* kResultFile = "Ergebnis.txt";

// A program (kalvero-sim or the converter) as a process; its standard output is collected
// line by line while the event loop runs. Killed when it is destroyed.
class SimProcess {
 public:
  SimProcess(const QString& program, const QStringList& arguments,
             const QProcessEnvironment& environment);
  ~SimProcess() { kill(); }

  bool waitForLine(const std::string& line, int timeoutMs = kEndToEndWaitMs);
  void write(const std::string& text) {
    process_.write(text.data(), static_cast<qint64>(text.size()));
  }
  // Waits for the end; the exit code, or -1 when it did not end.
  int exitCode(int timeoutMs = kEndToEndWaitMs);
  void kill() {
    process_.kill();
    process_.waitForFinished();
  }
  std::string errors() { return process_.readAllStandardError().toStdString(); }
  const std::vector<std::string>& lines() const { return lines_; }

 private:
  QProcess process_;
  std::vector<std::string> lines_;
};

class EndToEndRun {
 public:
  // Installs the converter, the simulator and the sample catalogues and writes the
  // settings: target folder, fixed file name without stamp, four decimals.
  EndToEndRun();

  bool ready() const { return ready_; }
  QString folder(const char* name) const { return root_.filePath(QString::fromUtf8(name)); }

  // kalvero-sim with the measuring program (the example of three runs unless another is
  // given), taking further commands from standard input; without a window, or with its
  // window driven by the steps. Waits until the program is open; null when it did not open.
  std::unique_ptr<SimProcess> startSimulator();
  std::unique_ptr<SimProcess> startDrivenSimulator(const std::vector<std::string>& steps,
                                                   const QString& program);
  // The converter driven by the steps.
  std::unique_ptr<SimProcess> startConverter(const std::vector<std::string>& steps);

  // Waits until the converter's (or the simulator's) driver reports the line; false as
  // soon as the driver has given up.
  bool waitForConverter(const std::string& line) const;
  bool waitForSimulator(const std::string& line) const;
  std::string converterReport() const;
  std::string simulatorReport() const;
  // The message boxes the converter's driver answered, in order, line breaks as \n.
  std::vector<std::string> converterMessages() const;

  // A file whose appearance lets a "warte-datei" step go on; a relative step names it.
  std::string signalPath(const std::string& name) const;
  void signal(const std::string& name) const;

  QByteArray delivered() const;
  QStringList files(const char* folderName) const;
  QByteArray debugLog() const;

 private:
  QProcessEnvironment environment(const QString& script = {}) const;
  std::unique_ptr<SimProcess> openProgram(const QStringList& options,
                                          const QProcessEnvironment& environment,
                                          const QString& program);

  QTemporaryDir root_;
  QString simulator_;
  QString converter_;
  bool ready_ = false;
};

// The steps of a script in tests/tools/data.
std::vector<std::string> scriptSteps(const char* name);
// The steps that fill in the order of every run and leave "&OK" to the caller: article
// A-100, machine M7, order 4711, sample size 3, 05.03.2026 08:07, inspector 12.
std::vector<std::string> orderSteps();

}  // namespace kvotlk::test
