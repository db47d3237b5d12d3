#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>
#include <cstdlib>

#include "app/KalveroWaitNotice.h"
#include "app/ProgramIcon.h"
#include "app/QtPrompts.h"
#include "app/frm_Eingabe.h"
#include "common/Clock.h"
#include "common/Environment.h"
#include "common/FileSystem.h"
#include "common/LocaleNumbers.h"
#include "common/Paths.h"
#include "common/SingleInstance.h"
#include "kalvero/KalveroPort.h"
#include "settings/SettingsStore.h"
#include "settings/modRegistrierung.h"
#include "state/modGlobaleVariablen.h"

int main(int argc, char* argv[]) {
  // The program takes no arguments: Qt sees the program name only.
  int qtArgc = argc > 0 ? 1 : 0;
  QApplication app(qtArgc, argv);
  QApplication::setApplicationName(QStringLiteral("KVOTLK"));
  QApplication::setWindowIcon(kvotlk::ProgramIcon());
  // Closing the main window ends the program; hiding it while another window is open
  // does not.
  QApplication::setQuitOnLastWindowClosed(false);

  // Qt's own texts (context menus of the text boxes) in German where they are installed:
  // qt_de.qm refers to qtbase_de.qm in a Qt installation, and is the one file windeployqt
  // puts into the program folder's translations.
  QTranslator qtTexts;
  if (qtTexts.load(QLocale(QLocale::German, QLocale::Germany), QStringLiteral("qt"),
                   QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
    QApplication::installTranslator(&qtTexts);
  }

  kvotlk::QtPrompts prompts;
  const auto claim = kvotlk::claimWorkstation();
  if (!claim) {
    prompts.showStop(kvotlk::AlreadyRunningMessage());
    return EXIT_SUCCESS;
  }

  const auto settings = kvotlk::makeSettingsStore(std::string(kvotlk::kRegistryRoot));
  const auto files = kvotlk::makeFileSystem();
  const auto clock = kvotlk::makeSystemClock();
  const auto random = kvotlk::makeSystemRandom();
  const auto numbers = kvotlk::makeLocaleNumbers();
  kvotlk::KalveroWaitNotice waitNotice;
  const auto kalvero = kvotlk::makeKvoConnector();
  kalvero->SetWaitObserver([&waitNotice](bool waiting) { waitNotice.setWaiting(waiting); });
  const std::string programFolder = kvotlk::executableFolder();
  kvotlk::Environment env{*settings, *files,        *clock,
                          *random,   prompts,       *numbers,
                          *kalvero,  programFolder, kvotlk::dataFolderFor(programFolder)};
  kvotlk::modGlobaleVariablen g;

  kvotlk::frm_Eingabe window(env, g);
  QObject::connect(&window, &kvotlk::frm_Eingabe::unloaded, &app, &QCoreApplication::quit,
                   Qt::QueuedConnection);
  window.Form_Load();
  return QApplication::exec();
}
