#include "WindowTestSupport.h"

#include <QCoreApplication>

#include "catalogs/CatalogFiles.h"
#include "common/Text.h"

namespace kvotlk::test {

MainWindowRig::MainWindowRig() {
  files.addFile(CatalogPath(env.programFolder, Catalog::Pruefer),
                toCp1252("(12)    Müller\r\n(1234)  Schäfer\r\n\r\n(7)     Özdemir\r\n"));
  files.addFile(CatalogPath(env.programFolder, Catalog::Maschine), "4711\r\nM7\r\nSG-220\r\n");
  files.addFile(CatalogPath(env.programFolder, Catalog::NestID),
                "(1)     Nest links\r\n(2)     Nest rechts\r\n(ab)    Nest-A\r\n");
  clock.current = {2026, 3, 5, 8, 7, 0};
  app = kalvero.start();
  app->openPartProgram("Welle.kvp");
}

MainWindowRig::~MainWindowRig() {
  window.reset();
  processEvents();
}

frm_Eingabe& MainWindowRig::load() {
  window = std::make_unique<frm_Eingabe>(windowEnv, g);
  observed.window = window.get();
  window->Form_Load();
  return *window;
}

void MainWindowRig::fillValidOrder() {
  edit("txt_Artikel")->setText(QStringLiteral("A-100"));
  edit("txt_Auftrag")->setText(QStringLiteral("4711"));
  edit("txt_Probenumfang")->setText(QStringLiteral("2"));
  child<QComboBox>("Combo_Maschine")->setCurrentIndex(1);
  child<QComboBox>("combo_Prüfer")->setCurrentIndex(0);
}

std::vector<std::string> MainWindowRig::messages() const {
  std::vector<std::string> texts;
  for (const ShownPrompt& shown : prompts.shown) {
    texts.push_back(shown.text);
  }
  return texts;
}

std::vector<std::string> MainWindowRig::entries(const char* name) const {
  std::vector<std::string> items;
  const auto* box = child<QComboBox>(name);
  for (int i = 0; i < box->count(); ++i) {
    items.push_back(box->itemText(i).toStdString());
  }
  return items;
}

void processEvents() {
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  QCoreApplication::processEvents();
}

}  // namespace kvotlk::test
