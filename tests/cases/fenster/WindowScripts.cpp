// The window scripts of tests/cases/fenster (docs/testing.md): each opens one window over
// the test doubles with real message boxes, runs its steps through the end-to-end driver
// and compares the driver's report with the script's "bericht".
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAction>
#include <QFontInfo>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTest>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>

#include "CaseFile.h"
#include "Driver.h"
#include "FaultyFileSystem.h"
#include "WindowTestSupport.h"
#include "about/frm_About.h"
#include "app/ProgramIcon.h"
#include "app/QtPrompts.h"
#include "capture/CaptureEngine.h"
#include "catalogs/frm_Maschinenkatalog.h"
#include "catalogs/frm_NestIDsKatalog.h"
#include "catalogs/frm_PrueferKatalog.h"
#include "common/Paths.h"
#include "config/VolumeSource.h"
#include "config/frm_Konfiguration.h"
#include "dialogs/RecordingMainWindow.h"
#include "output/modTuLOutput.h"

namespace kvotlk::test {
namespace {

namespace fs = std::filesystem;
bool gUpdate = false;

QString q(const std::string& text) { return QString::fromStdString(text); }

// The drives and folders the configuration dialog sees.
struct FixedVolumes final : VolumeSource {
  std::vector<std::string> drives() override { return {"/", "/mnt/daten"}; }
  std::vector<std::string> subfolders(const std::string& folder) override {
    return folder == "/"             ? Names{"mnt", "opt"}
           : folder == "/opt"        ? Names{"kvotlk"}
           : folder == "/opt/kvotlk" ? Names{"Daten", "Kataloge"}
           : folder == "/mnt/daten"  ? Names{"pruef"}
                                     : Names{};
  }
};

// The test doubles, a clock at 5 March 2026 08:07 and a running fake Kalvero with
// "Welle.kvp" open; the windows see the fake file system with the script's faults.
struct Scene : TestEnvironment {
  explicit Scene(std::vector<cases::Fault> faults)
      : faulty(files, env.programFolder, std::move(faults)) {
    clock.current = {2026, 3, 5, 8, 7, 0};
    app = startKalvero();
    files.addFolder("/opt/kvotlk/Daten");
    files.addFolder("/mnt/daten/pruef");
  }
  QWidget* open(const std::string& name);
  QString mainWindowCalls();

  QtPrompts boxes;
  cases::FaultyFileSystem faulty;
  Environment windowEnv{settings, faulty,  clock,   random,
                        boxes,    numbers, kalvero, env.programFolder};
  std::shared_ptr<FakeKvoApplication> app;
  RecordingMainWindow main{windowEnv, g};
  // The capture window's order: what it does to the order window is noted among the main
  // window's calls.
  TestCaptureOrder order;
  std::unique_ptr<CaptureEngine> capture;
  FixedVolumes volumes;
  int programEnds = 0;
};

QWidget* Scene::open(const std::string& name) {
  QWidget* window = nullptr;
  if (name == "frm_Eingabe") {
    auto* orderWindow = new frm_Eingabe(windowEnv, g);
    QObject::connect(orderWindow, &frm_Eingabe::unloaded, [this] { ++programEnds; });
    orderWindow->Form_Load();
    return orderWindow;
  }
  if (name == "frm_TuL") {
    readyForCapture(app);
    order.send = [this] { return Written(WriteResultFile(windowEnv, g, OrderForm{})); };
    capture = std::make_unique<CaptureEngine>(windowEnv, g, order);
    auto* captureWindow = new frm_TuL(*capture);
    capture->Form_Load(*captureWindow);
    captureWindow->showWindow();
    return captureWindow;
  } else if (name == "frm_Konfiguration") {
    window = new frm_Konfiguration(windowEnv, g, main.engine, volumes);
  } else if (name == "frm_PrüferKatalog") {
    window = new frm_PrueferKatalog(windowEnv, g, main.engine);
  } else if (name == "frm_Maschinenkatalog") {
    window = new frm_Maschinenkatalog(windowEnv, g, main.engine);
  } else if (name == "frm_NestIDsKatalog") {
    window = new frm_NestIDsKatalog(windowEnv, g, main.engine);
  } else if (name == "frm_About") {
    window = new frm_About(main.engine);
  }
  if (window != nullptr) {
    window->show();
  }
  return window;
}

QString Scene::mainWindowCalls() {
  QStringList calls;
  Names made = std::exchange(main.calls, {});
  for (std::string& call : std::exchange(order.calls, {})) {
    made.push_back(std::move(call));
  }
  for (const std::string& call : made) {
    const Names* list = call == "setPrueferList"    ? &main.prueferList
                        : call == "setMaschineList" ? &main.maschineList
                                                    : nullptr;
    QStringList entries;
    for (const std::string& entry : list != nullptr ? *list : Names{}) {
      entries << q('"' + entry + '"');
    }
    calls << q(call) + (list != nullptr ? "(" + entries.join(", ") + ")" : QString());
  }
  return (QStringLiteral("HAUPTFENSTER ") + calls.join(QStringLiteral(", "))).trimmed();
}

class WindowScript : public ::testing::Test {
 public:
  explicit WindowScript(fs::path file) : file_(std::move(file)) {}
  void TestBody() override;

 private:
  void addSteps(Driver& driver, Scene& scene, const QPointer<QWidget>& window);
  fs::path file_;
};

void WindowScript::addSteps(Driver& driver, Scene& scene, const QPointer<QWidget>& window) {
  const auto path = [&scene](const QString& relative) {
    return joinPath(scene.env.programFolder, relative.toStdString());
  };
  driver.addStep("einstellung", [&scene](const QString& entry) {
    scene.setSetting(entry.section('=', 0, 0).toStdString(), entry.section('=', 1).toStdString());
    return QString();
  });
  driver.addStep("speichern-scheitert", [&scene](const QString& answer) {
    scene.settings.failWrites = answer == QStringLiteral("ja");
    return QString();
  });
  driver.addStep("gespeichert", [&scene](const QString& key) {
    return "GESPEICHERT " + key + "=" +
           q(scene.settings.values[scene.settingPath(key.toStdString())]);
  });
  driver.addStep("datei", [&scene, path](const QString& file) {
    // The file's lines joined by " | ", as renderFile shows them.
    QString shown = scene.files.hasFile(path(file))
                        ? q(cases::renderFile(scene.files.content(path(file))))
                        : QStringLiteral("␄ fehlt");
    shown.chop(shown.endsWith('\n') ? 1 : 0);
    shown = shown.isEmpty() ? QStringLiteral("(leer)") : shown;
    return "DATEI " + file + " " + shown.replace('\n', QStringLiteral(" | "));
  });
  driver.addStep("hauptfenster", [&scene](const QString&) { return scene.mainWindowCalls(); });
  // How often the main window has ended the program, and whether Kalvero's objects are held.
  driver.addStep("programmende", [&scene](const QString&) {
    return QStringLiteral("PROGRAMMENDE %1 Kalvero %2")
        .arg(scene.programEnds)
        .arg(scene.g.KvoApp != nullptr ? QStringLiteral("gehalten") : QStringLiteral("frei"));
  });
  driver.addStep("texte", [&window](const QString& name) {
    ExpectTexts(*window, name.toUtf8().constData(), name == QStringLiteral("frm_TuL"));
    return QString();
  });
  driver.addStep("schrift", [&window](const QString& name) {
    const bool fixed = QFontInfo(window->findChild<QWidget*>(name)->font()).fixedPitch();
    return "SCHRIFT " + name + (fixed ? " fest" : " proportional");
  });
  // The window under test, or the window of that name: open (modal), hidden or gone.
  driver.addStep("fenster", [&window](const QString& name) {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QWidget* shown = name.isEmpty() ? window.data() : nullptr;
    for (QWidget* top : name.isEmpty() ? QWidgetList() : QApplication::topLevelWidgets()) {
      shown = top->objectName() == name ? top : shown;
    }
    const QString state = shown == nullptr      ? QStringLiteral("geschlossen")
                          : !shown->isVisible() ? QStringLiteral("verborgen")
                          : shown->isModal()    ? QStringLiteral("offen modal")
                                                : QStringLiteral("offen");
    return (QStringLiteral("FENSTER ") + name + QLatin1Char(' ') + state).simplified();
  });
  driver.addStep("menue", [&window](const QString& name) {
    auto* command = window->findChild<QAction*>(name);
    QMetaObject::invokeMethod(command, &QAction::trigger, Qt::QueuedConnection);
    return QString();
  });
  // Opens a menu of the menu bar as a click on its title would (for the render scripts).
  driver.addStep("aufklappen", [&window](const QString& name) {
    auto* bar = window->findChild<QMenuBar*>();
    bar->setActiveAction(window->findChild<QMenu*>(name)->menuAction());
    return QString();
  });
  // A window that takes the focus back after a message box gets it once it is active again.
  driver.addStep("fokus", [](const QString&) {
    static_cast<void>(QTest::qWaitFor([] { return QApplication::focusWidget() != nullptr; }, 3000));
    const QWidget* focus = QApplication::focusWidget();
    return "FOKUS " + (focus != nullptr ? focus->objectName() : QStringLiteral("keiner"));
  });
  // One run of the measuring program: ID and value of each command, "101 1.5 102 -0.5".
  driver.addStep("lauf", [&scene](const QString& samples) {
    std::vector<CommandRecord> commands;
    const QStringList words = samples.split(' ', Qt::SkipEmptyParts);
    for (qsizetype i = 0; i + 1 < words.size(); i += 2) {
      commands.push_back(CommandRecord::Dimension(words[i].toStdString(), words[i + 1].toDouble()));
    }
    QMetaObject::invokeMethod(
        qApp, [&scene, commands] { scene.app->run(commands); }, Qt::QueuedConnection);
    return QString();
  });
}

void WindowScript::TestBody() {
  cases::CaseFile script = cases::parseCase(cases::readFile(file_));
  const auto window = std::find_if(script.sections.begin(), script.sections.end(),
                                   [](const cases::Section& s) { return s.name == "fenster"; });
  ASSERT_TRUE(window != script.sections.end() && script.find("skript") != nullptr) << file_;
  Scene scene(cases::parseFaults(script.find("fehler") ? script.find("fehler")->content : ""));
  for (const cases::Section& section : script.sections) {
    if (section.name == "datei") {
      scene.files.addFile(joinPath(scene.env.programFolder, section.argument),
                          cases::fileBytes(section.content));
    }
  }
  std::istringstream settings(script.find("einstellungen") ? script.find("einstellungen")->content
                                                           : "");
  for (std::string line; std::getline(settings, line);) {
    if (const auto equals = line.find('='); equals != std::string::npos) {
      scene.setSetting(line.substr(0, equals), line.substr(equals + 1));
    }
  }
  QTemporaryDir folder;
  const QString steps = folder.filePath(QStringLiteral("skript"));
  std::ofstream(steps.toStdString()) << script.find("skript")->content;
  QPointer<QWidget> opened;
  Driver driver(steps);
  addSteps(driver, scene, opened);
  QTimer::singleShot(0, [&] { opened = scene.open(window->argument); });
  // A message box still open after the last step fails the script instead of hanging it.
  std::string leftOpen;
  QTimer boxes;
  QObject::connect(&boxes, &QTimer::timeout, [&] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (driver.finished() && box != nullptr) {
      leftOpen += "OFFEN " + box->text().replace('\n', QStringLiteral("\\n")).toStdString() + "\n";
      box->buttons().front()->click();
    }
  });
  boxes.start(50);
  EXPECT_TRUE(QTest::qWaitFor([&driver] { return driver.finished(); }, 120000));
  delete opened.data();
  processEvents();

  // What the steps showed; "OK <step>" lines only repeat the script.
  std::string report;
  std::istringstream lines(cases::readFile((steps + QStringLiteral(".bericht")).toStdString()));
  for (std::string line; std::getline(lines, line);) {
    report += line.starts_with("OK ") ? "" : line + "\n";
  }
  report += leftOpen;
  const cases::Section* expected = script.find("bericht");
  const std::string wanted = expected != nullptr ? expected->content : "";
  if (report != wanted && gUpdate && expected != nullptr) {
    const_cast<cases::Section*>(expected)->content = report;
    std::ofstream(file_, std::ios::binary) << script.text();
    return;
  }
  EXPECT_TRUE(report == wanted) << file_.string() << "\n" << cases::unifiedDiff(wanted, report);
}

}  // namespace
}  // namespace kvotlk::test

int main(int argc, char* argv[]) {
  using kvotlk::test::WindowScript;
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
  }
  QApplication app(argc, argv);
  QApplication::setWindowIcon(kvotlk::ProgramIcon());
  ::testing::InitGoogleTest(&argc, argv);
  kvotlk::test::gUpdate = std::string_view(argc > 1 ? argv[1] : "") == "--aktualisieren";
  // scripts/render-windows.sh runs the render scripts of tests/render instead.
  const std::string folder = qEnvironmentVariableIsEmpty("KVOTLK_FENSTER_SKRIPTE")
                                 ? KVOTLK_WINDOW_SCRIPTS
                                 : qEnvironmentVariable("KVOTLK_FENSTER_SKRIPTE").toStdString();
  kvotlk::cases::registerFiles(folder, ".skript", "fenster",
                               [](const auto& path) { return new WindowScript(path); });
  return RUN_ALL_TESTS();
}
