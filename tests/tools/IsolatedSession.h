#pragma once

#include <QProcessEnvironment>
#include <QString>
#include <QTemporaryDir>
#include <utility>
#include <vector>

// A folder of its own for one end-to-end run of the converter and the simulator as two
// processes: a program folder (executables and their Kataloge, where the converter
// stages into TempData), a temporary folder (so the simulator's fixed endpoint, a socket
// in it, belongs to this run alone), the user's configuration folder (the settings file)
// and a target folder for the result files. Removed with everything in it at the end.
namespace kvotlk::test {

class IsolatedSession {
 public:
  IsolatedSession();

  bool valid() const { return root_.isValid(); }
  QString root() const { return root_.path(); }
  QString programFolder() const { return root_.filePath(QStringLiteral("Programm")); }
  QString tempFolder() const { return root_.filePath(QStringLiteral("tmp")); }
  QString configFolder() const { return root_.filePath(QStringLiteral("config")); }
  QString targetFolder() const { return root_.filePath(QStringLiteral("Ziel")); }
  QString runtimeFolder() const { return root_.filePath(QStringLiteral("run")); }
  // Where the converter stages the result file and writes its debug log.
  QString stagingFolder() const { return programFolder() + QStringLiteral("/TempData"); }
  // Where the simulator's endpoint appears on Linux.
  QString endpointSocket() const;

  // Copies the executable into the program folder; the path of the copy.
  QString install(const QString& executable) const;
  // Copies the sample catalogues into the program folder's Kataloge.
  bool installCatalogues(const QString& catalogueFolder) const;
  // Writes settings of section "Config" where the converter reads them on this platform.
  bool writeSettings(const std::vector<std::pair<QString, QString>>& values) const;

  // For both programs: offscreen, German regional settings (as on the measuring PC), with
  // this run's temporary, runtime and configuration folders.
  QProcessEnvironment environment() const;
  // The same, with the driver plugin (tests/tools/driver) following the script; its report
  // is the script's path with ".bericht" appended.
  QProcessEnvironment drivenEnvironment(const QString& script) const;

 private:
  QTemporaryDir root_;
};

}  // namespace kvotlk::test
