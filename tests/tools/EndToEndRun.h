#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <memory>
#include <string>
#include <vector>

#include "IsolatedSession.h"
#include "simlink/SimProcess.h"

// One order taken end to end: the converter and kalvero-sim as two processes of one
// isolated session, each program driven through its windows by a script of the driver
// (tests/tools/driver) where a test needs it.
namespace kvotlk::test {

// Long enough for programs under AddressSanitizer to start and work on a busy machine of
// two cores; a run that goes well waits a fraction of it.
inline constexpr int kEndToEndWaitMs = 120000;

// The example program the runs execute, and the name of the result file they deliver.
inline constexpr const char* kExampleProgram = KVOTLK_EXAMPLES_DIR "/01-Masse.kmp";
inline constexpr const char* kResultFile = "Ergebnis.txt";

class EndToEndRun {
 public:
  // Installs the converter, the simulator and the sample catalogues and writes the
  // settings: target folder, fixed file name without stamp, four decimals.
  EndToEndRun();

  bool ready() const { return ready_; }
  const IsolatedSession& session() const { return session_; }

  // kalvero-sim with the measuring program, taking further commands from standard input;
  // without a window, or with its window driven by the steps. Waits until the program is
  // open; null when it did not open.
  std::unique_ptr<SimProcess> startSimulator(const QString& program = kExampleProgram);
  std::unique_ptr<SimProcess> startDrivenSimulator(const std::vector<std::string>& steps,
                                                   const QString& program = kExampleProgram);
  // The converter driven by the steps.
  std::unique_ptr<SimProcess> startConverter(const std::vector<std::string>& steps);

  // Waits until the converter's (or the simulator's) driver reports the line.
  bool waitForConverter(const std::string& line) const;
  bool waitForSimulator(const std::string& line) const;
  std::string converterReport() const;
  std::string simulatorReport() const;
  // The message boxes the converter's driver answered, in order, line breaks as \r\n.
  std::vector<std::string> converterMessages() const;

  // A file whose appearance lets a "warte-datei" step go on.
  std::string signalPath(const std::string& name) const;
  void signal(const std::string& name) const;

  QByteArray delivered() const;
  QStringList targetFiles() const;
  QStringList stagingFiles() const;
  QByteArray debugLog() const;

 private:
  std::unique_ptr<SimProcess> openProgram(const QStringList& options,
                                          const QProcessEnvironment& environment,
                                          const QString& program);
  QString script(const char* name) const;

  IsolatedSession session_;
  QString simulator_;
  QString converter_;
  bool ready_ = false;
};

// The steps that fill in the order of every run and leave "&OK" to the caller: article
// A-100, machine M7, order 4711, sample size 3, 05.03.2026 08:07, inspector 12.
std::vector<std::string> orderSteps();

}  // namespace kvotlk::test
