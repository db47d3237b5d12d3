// Draws both programs during a capture, for the README's walkthrough:
// kvotlk-render-capture <output folder>. The converter and kalvero-sim run as two
// processes of an isolated session on the offscreen platform, each driven through its
// windows; nothing of the user's settings or the real endpoint is touched. The order is
// the one of the end-to-end tests; the simulator executes three runs of the example
// program from its window.
#include <QCoreApplication>
#include <QDir>
#include <cstdio>

#include "EndToEndRun.h"

namespace kvotlk::test {
namespace {

std::string picture(const QString& folder, const char* name) {
  return QDir(folder).filePath(QString::fromUtf8(name)).toStdString();
}

bool fail(const char* what, const std::string& report) {
  std::fprintf(stderr, "%s\n%s\n", what, report.c_str());
  return false;
}

bool render(const QString& folder) {
  EndToEndRun run;
  if (!run.ready()) {
    return fail("Die Sitzung konnte nicht eingerichtet werden.", {});
  }
  // Relative to the source folder, as README's run command opens it.
  auto sim = run.startDrivenSimulator(
      {"warte-fenster frmKalveroSimulator", "setze spnLaeufe 3",
       "warte-datei " + run.signalPath("messen"), "klicke cmdAusfuehren",
       "warte-datei " + run.signalPath("bilder"),
       "bild frmKalveroSimulator " + picture(folder, "walkthrough-simulator.png"), "melde BILD"},
      QStringLiteral("examples/01-Masse.kmp"));
  if (!sim) {
    return fail("Der Simulator hat das Messprogramm nicht geöffnet.", {});
  }
  std::vector<std::string> steps = orderSteps();
  steps.insert(
      steps.end(),
      {"bild frm_Eingabe " + picture(folder, "walkthrough-order.png"), "klicke cmd_OK",
       "warte-fenster frm_TuL", "melde ERFASSUNG", "warte-datei " + run.signalPath("bilder"),
       "bild frm_TuL " + picture(folder, "walkthrough-capture.png"), "melde BILD",
       "klicke CmdSendData", "warte-fenster frm_Eingabe", "beende"});
  auto converter = run.startConverter(steps);
  if (!run.waitForConverter("MELDE ERFASSUNG")) {
    return fail("Die Erfassung hat nicht begonnen.", run.converterReport());
  }
  sim->write("warten\n");
  run.signal("messen");
  if (!sim->waitForLine("Lauf 3 beendet.", kEndToEndWaitMs)) {
    return fail("Der Simulator hat die drei Läufe nicht ausgeführt.", {});
  }
  run.signal("bilder");
  // The simulator stays until the converter has sent and ended: the send asks it for its
  // version.
  const bool drawn = run.waitForConverter("MELDE BILD") && run.waitForSimulator("MELDE BILD");
  const bool ended = drawn && converter->exitCode(kEndToEndWaitMs) == 0;
  sim->write("beenden\n");
  if (!ended) {
    return fail("Die Bilder wurden nicht gezeichnet.",
                run.converterReport() + "\n" + run.simulatorReport() + converter->errors());
  }
  for (const char* name :
       {"walkthrough-order.png", "walkthrough-simulator.png", "walkthrough-capture.png"}) {
    std::printf("%s\n", picture(folder, name).c_str());
  }
  return true;
}

}  // namespace
}  // namespace kvotlk::test

int main(int argc, char* argv[]) {
  QCoreApplication application(argc, argv);
  const QStringList arguments = QCoreApplication::arguments();
  const QString folder =
      QDir(arguments.size() > 1 ? arguments[1] : QStringLiteral("render")).absolutePath();
  if (!QDir().mkpath(folder) || !QDir::setCurrent(QStringLiteral(KVOTLK_SOURCE_DIR))) {
    std::fprintf(stderr, "Konnte den Ordner %s nicht anlegen.\n", qPrintable(folder));
    return 1;
  }
  return kvotlk::test::render(folder) ? 0 : 1;
}
