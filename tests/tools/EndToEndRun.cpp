#include "EndToEndRun.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <algorithm>

namespace kvotlk::test {
namespace {

constexpr const char* kSimulatorScript = "kalvero-sim.skript";
constexpr const char* kConverterScript = "kvotlk.skript";

QByteArray contents(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeScript(const QString& path, const std::vector<std::string>& steps) {
  QFile file(path);
  if (file.open(QIODevice::WriteOnly)) {
    for (const std::string& step : steps) {
      file.write((step + "\n").c_str());
    }
  }
}

std::string readReport(const QString& script) {
  return contents(script + QStringLiteral(".bericht")).toStdString();
}

bool waitForLine(const QString& script, const std::string& line) {
  bool found = false;
  waitUntil(
      [&] {
        const std::string report = "\n" + readReport(script);
        found = report.find("\n" + line + "\n") != std::string::npos;
        return found || report.find("\nABBRUCH ") != std::string::npos;
      },
      kEndToEndWaitMs);
  return found;
}

}  // namespace

SimProcess::SimProcess(const QString& program, const QStringList& arguments,
                       const QProcessEnvironment& environment) {
  QObject::connect(&process_, &QProcess::readyReadStandardOutput, &process_, [this] {
    while (process_.canReadLine()) {
      lines_.push_back(process_.readLine().trimmed().toStdString());
    }
  });
  process_.setProcessEnvironment(environment);
  process_.start(program, arguments);
}

bool SimProcess::waitForLine(const std::string& line, int timeoutMs) {
  return waitUntil([this, &line] { return std::ranges::find(lines_, line) != lines_.end(); },
                   timeoutMs);
}

int SimProcess::exitCode(int timeoutMs) {
  if (!waitUntil([this] { return process_.state() == QProcess::NotRunning; }, timeoutMs)) {
    return -1;
  }
  return process_.exitCode();
}

EndToEndRun::EndToEndRun() {
  for (const char* name : {"Programm/Kataloge", "tmp", "config", "Ziel", "run", "home"}) {
    QDir().mkpath(folder(name));
  }
  // Qt wants the runtime folder to belong to the user alone.
  QFile::setPermissions(folder("run"), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
  const QDir catalogues(QStringLiteral(KVOTLK_EXAMPLES_DIR "/Kataloge"));
  bool copied = true;
  for (const QString& name : catalogues.entryList(QDir::Files)) {
    copied = QFile::copy(catalogues.filePath(name), folder("Programm/Kataloge/") + name) && copied;
  }
  for (QString* installed : {&simulator_, &converter_}) {
    const QString executable = installed == &simulator_ ? QStringLiteral(KALVERO_SIM_PATH)
                                                        : QStringLiteral(KVOTLK_PROGRAM_PATH);
    *installed = folder("Programm/") + QFileInfo(executable).fileName();
    copied = QFile::copy(executable, *installed) && copied;
    QFile::setPermissions(*installed, QFile::permissions(executable));
  }
  // Where QSettings keeps organisation SolvikGermany, application KVOTLK, as INI per user.
  QSettings settings(folder("config/SolvikGermany/KVOTLK.ini"), QSettings::IniFormat);
  settings.beginGroup(QStringLiteral("Config"));
  settings.setValue(QStringLiteral("DIR"), folder("Ziel"));
  settings.setValue(QStringLiteral("RANDOM"), 0);
  settings.setValue(QStringLiteral("DateTimeStamp"), 0);
  settings.setValue(QStringLiteral("FILE"), QString::fromUtf8(kResultFile));
  settings.setValue(QStringLiteral("NumDez"), 4);
  settings.sync();
  ready_ = root_.isValid() && copied && settings.status() == QSettings::NoError;
}

// Offscreen, German regional settings as on the measuring PC (Qt takes the separators from
// the name), this run's folders, and the driver following the script when one is given.
QProcessEnvironment EndToEndRun::environment(const QString& script) const {
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
  environment.insert(QStringLiteral("LC_ALL"), QStringLiteral("de_DE.UTF-8"));
  environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), folder("run"));
  environment.insert(QStringLiteral("TMPDIR"), folder("tmp"));
  environment.insert(QStringLiteral("XDG_CONFIG_HOME"), folder("config"));
  environment.insert(QStringLiteral("HOME"), folder("home"));
  if (!script.isEmpty()) {
    environment.insert(QStringLiteral("QT_PLUGIN_PATH"), QStringLiteral(KVOTLK_DRIVER_PLUGINS));
    environment.insert(QStringLiteral("QT_QPA_GENERIC_PLUGINS"),
                       QStringLiteral("kvotlkdriver:") + script);
  }
  return environment;
}

std::unique_ptr<SimProcess> EndToEndRun::openProgram(const QStringList& options,
                                                     const QProcessEnvironment& environment,
                                                     const QString& program) {
  auto sim = std::make_unique<SimProcess>(
      simulator_, options + QStringList{QStringLiteral("--eingabe"), program}, environment);
  if (!sim->waitForLine("FERTIG oeffnen " + program.toStdString(), kEndToEndWaitMs)) {
    return nullptr;
  }
  return sim;
}

std::unique_ptr<SimProcess> EndToEndRun::startSimulator() {
  return openProgram({QStringLiteral("--ohne-fenster")}, environment(),
                     QStringLiteral(KVOTLK_EXAMPLES_DIR "/01-Masse.kmp"));
}

std::unique_ptr<SimProcess> EndToEndRun::startDrivenSimulator(const std::vector<std::string>& steps,
                                                              const QString& program) {
  writeScript(folder(kSimulatorScript), steps);
  return openProgram({}, environment(folder(kSimulatorScript)), program);
}

std::unique_ptr<SimProcess> EndToEndRun::startConverter(const std::vector<std::string>& steps) {
  writeScript(folder(kConverterScript), steps);
  return std::make_unique<SimProcess>(converter_, QStringList{},
                                      environment(folder(kConverterScript)));
}

bool EndToEndRun::waitForConverter(const std::string& line) const {
  return waitForLine(folder(kConverterScript), line);
}

bool EndToEndRun::waitForSimulator(const std::string& line) const {
  return waitForLine(folder(kSimulatorScript), line);
}

std::string EndToEndRun::converterReport() const { return readReport(folder(kConverterScript)); }

std::string EndToEndRun::simulatorReport() const { return readReport(folder(kSimulatorScript)); }

std::vector<std::string> EndToEndRun::converterMessages() const {
  std::vector<std::string> messages;
  for (const QString& line : QString::fromStdString(converterReport()).split(QLatin1Char('\n'))) {
    if (line.startsWith(QStringLiteral("MELDUNG "))) {
      messages.push_back(line.mid(8).toStdString());
    }
  }
  return messages;
}

std::string EndToEndRun::signalPath(const std::string& name) const {
  return folder("signal-").toStdString() + name;
}

void EndToEndRun::signal(const std::string& name) const {
  QFile(QString::fromStdString(signalPath(name))).open(QIODevice::WriteOnly);
}

QByteArray EndToEndRun::delivered() const {
  return contents(folder("Ziel/") + QString::fromUtf8(kResultFile));
}

QStringList EndToEndRun::files(const char* folderName) const {
  return QDir(folder(folderName)).entryList(QDir::Files);
}

QByteArray EndToEndRun::debugLog() const {
  return contents(folder("Programm/TempData/TLDebug.txt"));
}

std::vector<std::string> scriptSteps(const char* name) {
  std::vector<std::string> steps;
  for (const QByteArray& line :
       contents(QStringLiteral(KVOTLK_E2E_DATA "/") + QString::fromUtf8(name)).split('\n')) {
    if (!line.isEmpty()) {
      steps.push_back(line.toStdString());
    }
  }
  return steps;
}

std::vector<std::string> orderSteps() { return scriptSteps("auftrag.skript"); }

}  // namespace kvotlk::test
