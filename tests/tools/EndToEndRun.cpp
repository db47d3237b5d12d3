#include "EndToEndRun.h"

#include <QDir>
#include <QFile>

#include "simlink/SimTestSupport.h"

namespace kvotlk::test {
namespace {

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

// Waits until the report holds the line; false after the time or as soon as the driver
// has given up ("ABBRUCH").
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

EndToEndRun::EndToEndRun() {
  simulator_ = session_.install(QStringLiteral(KALVERO_SIM_PATH));
  converter_ = session_.install(QStringLiteral(KVOTLK_PROGRAM_PATH));
  ready_ = session_.valid() && QFile::exists(simulator_) && QFile::exists(converter_) &&
           session_.installCatalogues(QStringLiteral(KVOTLK_EXAMPLES_DIR "/Kataloge")) &&
           session_.writeSettings({{QStringLiteral("DIR"), session_.targetFolder()},
                                   {QStringLiteral("RANDOM"), QStringLiteral("0")},
                                   {QStringLiteral("DateTimeStamp"), QStringLiteral("0")},
                                   {QStringLiteral("FILE"), QString::fromUtf8(kResultFile)},
                                   {QStringLiteral("NumDez"), QStringLiteral("4")}});
}

QString EndToEndRun::script(const char* name) const {
  return QDir(session_.root()).filePath(QString::fromUtf8(name));
}

std::unique_ptr<SimProcess> EndToEndRun::openProgram(const QStringList& options,
                                                     const QProcessEnvironment& environment,
                                                     const QString& program) {
  auto sim = std::make_unique<SimProcess>(
      options + QStringList{QStringLiteral("--eingabe"), program}, environment, simulator_);
  if (!sim->waitForLine("FERTIG oeffnen " + program.toStdString(), kEndToEndWaitMs)) {
    return nullptr;
  }
  return sim;
}

std::unique_ptr<SimProcess> EndToEndRun::startSimulator(const QString& program) {
  return openProgram({QStringLiteral("--ohne-fenster")}, session_.environment(), program);
}

std::unique_ptr<SimProcess> EndToEndRun::startDrivenSimulator(const std::vector<std::string>& steps,
                                                              const QString& program) {
  writeScript(script("kalvero-sim.skript"), steps);
  return openProgram({}, session_.drivenEnvironment(script("kalvero-sim.skript")), program);
}

std::unique_ptr<SimProcess> EndToEndRun::startConverter(const std::vector<std::string>& steps) {
  writeScript(script("kvotlk.skript"), steps);
  return std::make_unique<SimProcess>(
      QStringList{}, session_.drivenEnvironment(script("kvotlk.skript")), converter_);
}

bool EndToEndRun::waitForConverter(const std::string& line) const {
  return waitForLine(script("kvotlk.skript"), line);
}

bool EndToEndRun::waitForSimulator(const std::string& line) const {
  return waitForLine(script("kalvero-sim.skript"), line);
}

std::string EndToEndRun::converterReport() const { return readReport(script("kvotlk.skript")); }

std::string EndToEndRun::simulatorReport() const {
  return readReport(script("kalvero-sim.skript"));
}

std::vector<std::string> EndToEndRun::converterMessages() const {
  std::vector<std::string> messages;
  const QString report = QString::fromStdString(converterReport());
  for (const QString& line : report.split(QLatin1Char('\n'))) {
    if (line.startsWith(QStringLiteral("MELDUNG "))) {
      messages.push_back(line.mid(8).toStdString());
    }
  }
  return messages;
}

std::string EndToEndRun::signalPath(const std::string& name) const {
  return script("signal-").toStdString() + name;
}

void EndToEndRun::signal(const std::string& name) const {
  QFile(QString::fromStdString(signalPath(name))).open(QIODevice::WriteOnly);
}

QByteArray EndToEndRun::delivered() const {
  return contents(QDir(session_.targetFolder()).filePath(QString::fromUtf8(kResultFile)));
}

QStringList EndToEndRun::targetFiles() const {
  return QDir(session_.targetFolder()).entryList(QDir::Files);
}

QStringList EndToEndRun::stagingFiles() const {
  return QDir(session_.stagingFolder()).entryList(QDir::Files);
}

QByteArray EndToEndRun::debugLog() const {
  return contents(QDir(session_.stagingFolder()).filePath(QStringLiteral("TLDebug.txt")));
}

std::vector<std::string> orderSteps() {
  return {"warte-fenster frm_Eingabe",         "setze txt_Artikel A-100",
          "waehle Combo_Maschine M7",          "setze txt_Auftrag 4711",
          "setze txt_Probenumfang 3",          "setze txt_DatumTag 05",
          "setze txt_DatumMonat 03",           "setze txt_DatumJahr 2026",
          "setze txt_UhrzeitStunde 08",        "setze txt_UhrzeitMinute 07",
          "waehle combo_Prüfer (12)    Müller"};
}

}  // namespace kvotlk::test
