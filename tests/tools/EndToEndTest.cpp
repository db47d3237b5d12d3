// End-to-end sessions: the converter and kalvero-sim as two processes, offscreen, driven
// through their windows by the driver, in a folder of their own, each following one
// session file data/*.ablauf (its steps: docs/simulator.md).
#include <gtest/gtest.h>

#include <qtestsupport_core.h>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <algorithm>
#include <memory>

namespace kvotlk::test {
namespace {

// Long enough for programs under AddressSanitizer on a busy machine of two cores.
constexpr int kWaitMs = 120000;

QByteArray contents(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QString data(const std::string& name) { return QString::fromStdString(KVOTLK_E2E_DATA "/" + name); }

// A program as a process in the folder, its output and errors collected; killed when
// destroyed.
struct Process {
  Process(const QString& program, const QStringList& arguments, const QProcessEnvironment& env,
          const QString& folder) {
    QObject::connect(&process, &QProcess::readyReadStandardOutput, &process,
                     [this] { output += process.readAllStandardOutput(); });
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.setProcessEnvironment(env);
    process.setWorkingDirectory(folder);
    process.start(program, arguments);
  }
  bool ends() {
    return QTest::qWaitFor([this] { return process.state() == QProcess::NotRunning; }, kWaitMs);
  }
  ~Process() {
    process.kill();
    process.waitForFinished();
  }
  QProcess process;
  QByteArray output;
};

class Session {
 public:
  Session() {
    for (const char* name : {"Programm/Kataloge", "tmp", "config", "Ziel", "run", "home"}) {
      QDir().mkpath(path(name));
    }
    // Qt wants the runtime folder to belong to the user alone.
    QFile::setPermissions(path("run"), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    const QDir catalogues(QStringLiteral(KVOTLK_SOURCE_DIR "/examples/Kataloge"));
    for (const QString& name : catalogues.entryList(QDir::Files)) {
      QFile::copy(catalogues.filePath(name), path("Programm/Kataloge/") + name);
    }
    for (const char* executable : {KALVERO_SIM_PATH, KVOTLK_PROGRAM_PATH}) {
      // The copy keeps the permissions.
      QFile::copy(executable, path("Programm/") + QFileInfo(executable).fileName());
    }
    // Organisation SolvikGermany, application KVOTLK, as INI per user.
    QDir().mkpath(path("config/SolvikGermany"));
    write("config/SolvikGermany/KVOTLK.ini", {"KVOTLK.ini"});
  }

  // One step of the session file.
  void step(const std::string& verb, const std::string& arg) {
    const QStringList args = QString::fromStdString(arg).split(' ', Qt::SkipEmptyParts);
    if (verb == "bilder") {
      if (qEnvironmentVariableIsEmpty("KVOTLK_BILDER")) {
        GTEST_SKIP() << "Bilder nur mit KVOTLK_BILDER (scripts/render-windows.sh)";
      }
    } else if (verb == "simulator") {
      // Windowless, or with its window driven by the script given.
      const bool driven = args.size() > 1;
      const QStringList options{"--eingabe", args[0]};
      sim_ =
          start("Programm/kalvero-sim", driven ? options : QStringList{"--ohne-fenster"} + options,
                driven ? write("kalvero-sim.skript", {args[1].toStdString()}) : QString());
      step("warte-simulator", "FERTIG oeffnen " + args[0].toStdString());
    } else if (verb == "konverter") {
      converter_ = start("Programm/kvotlk", {}, write("kvotlk.skript", {"auftrag.skript", arg}));
    } else if (verb == "konverter-wieder") {
      // Started again without the order typed: a restore fills it.
      converter_ = start("Programm/kvotlk", {}, write("kvotlk.skript", {arg}));
    } else if (verb == "toete-konverter") {
      // As the task manager or a crash ends it: no shutdown, no flush of its own.
      converter_->process.kill();
      ASSERT_TRUE(converter_->ends());
    } else if (verb == "warte-enthaelt") {
      const QByteArray text = QByteArray::fromStdString(arg).replace("\\t", "\t");
      const QByteArray wanted = text.mid(text.indexOf(' ') + 1);
      ASSERT_TRUE(QTest::qWaitFor(
          [&] { return contents(path(args[0].toStdString())).contains(wanted); }, kWaitMs))
          << arg;
    } else if (verb == "an-simulator") {
      sim_->process.write((arg + "\n").c_str());
    } else if (verb == "warte-simulator") {
      const QByteArray line = "\n" + QByteArray::fromStdString(arg);
      ASSERT_TRUE(QTest::qWaitFor([&] { return ("\n" + sim_->output).contains(line); }, kWaitMs))
          << arg;
    } else if (verb == "warte-konverter" || verb == "warte-simulator-bericht") {
      // Gives up as soon as the driver has.
      const QString report =
          path(verb == "warte-konverter" ? "kvotlk.skript.bericht" : "kalvero-sim.skript.bericht");
      const auto done = [&] { return ("\n" + contents(report)).contains("\n" + arg + "\n"); };
      const auto doneOrAborted = [&] { return done() || contents(report).contains("\nABBRUCH "); };
      ASSERT_TRUE(QTest::qWaitFor(doneOrAborted, kWaitMs) && done())
          << arg << "\n"
          << contents(report).toStdString();
    } else if (verb == "aufruf-simulator") {
      command_ = start("Programm/kalvero-sim", QStringList{"--ohne-fenster"} + args, QString(),
                       KVOTLK_E2E_DATA);
    } else if (verb == "ende-simulator") {
      // The simulator started as a command gets its input, ends with the exit code and
      // printed exactly the expected file.
      if (args.size() > 2) {
        command_->process.write(contents(data(args[2].toStdString())));
      }
      command_->process.closeWriteChannel();
      ASSERT_TRUE(command_->ends());
      EXPECT_EQ(command_->process.exitCode(), args[0].toInt());
      EXPECT_EQ(command_->output.toStdString(), filled(data(args[1].toStdString())).toStdString());
    } else if (verb == "signal") {
      QFile(path("signal-" + arg)).open(QIODevice::WriteOnly);
    } else if (verb == "beende-simulator") {
      sim_.reset();
    } else if (verb == "ende-konverter") {
      ASSERT_TRUE(converter_->ends());
      EXPECT_EQ(converter_->process.exitCode(), 0) << converter_->output.toStdString();
      EXPECT_FALSE(contents(path("kvotlk.skript.bericht")).contains("ABBRUCH"));
    } else if (verb == "existiert") {
      EXPECT_TRUE(QFileInfo::exists(path(arg))) << arg;
    } else if (verb == "dateien") {
      EXPECT_EQ(QDir(path(args.value(0).toStdString())).entryList(QDir::Files), args.mid(1)) << arg;
    } else if (verb == "vergleiche") {
      // The file equals one of the expected files, written with this session's folders.
      const QByteArray actual = contents(path(args[0].toStdString()));
      EXPECT_TRUE(std::ranges::any_of(
          args.mid(1),
          [&](const QString& name) { return filled(data(name.toStdString())) == actual; }))
          << arg << "\n"
          << actual.toStdString();
    } else if (verb == "enthaelt") {
      const QByteArray text = QByteArray::fromStdString(arg).replace("\\r\\n", "\r\n");
      EXPECT_TRUE(contents(path(args[0].toStdString())).contains(text.mid(text.indexOf(' ') + 1)))
          << arg;
    } else if (verb == "meldung") {
      messages_.push_back(arg);
    } else {
      FAIL() << "Unbekannter Schritt " << verb;
    }
  }

  // The message boxes the converter's driver answered, in order, line breaks as \n.
  void expectMessages() const {
    std::vector<std::string> shown;
    for (const QByteArray& line : contents(path("kvotlk.skript.bericht")).split('\n')) {
      if (line.startsWith("MELDUNG ")) {
        shown.push_back(line.mid(8).toStdString());
      }
    }
    EXPECT_EQ(shown, messages_);
  }

 private:
  QString path(const std::string& name) const {
    return root_.filePath(QString::fromStdString(name));
  }

  // A data file with this session's folders and the pictures' folder KVOTLK_BILDER.
  QByteArray filled(const QString& name) const {
    return contents(name)
        .replace("@TEMPDATA@", path("Programm/TempData").toUtf8())
        .replace("@ZIEL@", path("Ziel").toUtf8())
        .replace("@BILDER@", qgetenv("KVOTLK_BILDER"));
  }

  // A file of this session made of the data files.
  QString write(const std::string& name, const std::vector<std::string>& parts) const {
    QFile file(path(name));
    file.open(QIODevice::WriteOnly);
    for (const std::string& part : parts) {
      file.write(filled(data(part)));
    }
    return path(name);
  }

  // German regional settings as on the measuring PC, this session's folders, the driver.
  std::unique_ptr<Process> start(const char* program, const QStringList& options,
                                 const QString& script,
                                 const QString& folder = KVOTLK_SOURCE_DIR) const {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    const std::pair<const char*, QString> variables[] = {
        {"QT_QPA_PLATFORM", "offscreen"},
        {"LC_ALL", "de_DE.UTF-8"},
        {"XDG_RUNTIME_DIR", path("run")},
        {"TMPDIR", path("tmp")},
        {"XDG_CONFIG_HOME", path("config")},
        {"HOME", path("home")},
        {"QT_PLUGIN_PATH", KVOTLK_DRIVER_PLUGINS},
        {"QT_QPA_GENERIC_PLUGINS", script.isEmpty() ? QString() : "kvotlkdriver:" + script}};
    for (const auto& [name, value] : variables) {
      env.insert(QString::fromUtf8(name), value);
    }
    return std::make_unique<Process>(path(program), options, env, folder);
  }

  QTemporaryDir root_;
  std::unique_ptr<Process> sim_;
  std::unique_ptr<Process> converter_;
  std::unique_ptr<Process> command_;
  std::vector<std::string> messages_;
};

class EndToEndTest : public ::testing::TestWithParam<std::string> {};

TEST_P(EndToEndTest, FollowsTheSession) {
  Session session;
  for (const QByteArray& line : contents(data(GetParam() + ".ablauf")).split('\n')) {
    if (!line.isEmpty() && !line.startsWith('#')) {
      const qsizetype space = line.contains(' ') ? line.indexOf(' ') : line.size();
      session.step(line.left(space).toStdString(), line.mid(space + 1).toStdString());
      ASSERT_FALSE(HasFatalFailure()) << line.toStdString();
      if (IsSkipped()) {
        return;
      }
    }
  }
  session.expectMessages();
}

std::vector<std::string> sessions() {
  std::vector<std::string> names;
  for (const QString& name : QDir(QStringLiteral(KVOTLK_E2E_DATA)).entryList({"*.ablauf"})) {
    names.push_back(name.chopped(7).toStdString());
  }
  return names;
}

INSTANTIATE_TEST_SUITE_P(Sessions, EndToEndTest, ::testing::ValuesIn(sessions()),
                         [](const auto& session) {
                           std::string name = session.param;
                           std::ranges::replace(name, '-', '_');
                           return name;
                         });

}  // namespace
}  // namespace kvotlk::test
