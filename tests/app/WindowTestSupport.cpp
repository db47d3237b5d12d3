#include "WindowTestSupport.h"

#include <QCoreApplication>

#include "catalogs/CatalogFiles.h"
#include "common/Paths.h"
#include "common/Text.h"

namespace kvotlk::test {

void ObservedPrompts::observe() {
  windowVisible.push_back(window != nullptr && window->isVisible());
}

void ObservedPrompts::showStop(const std::string& text) {
  observe();
  inner_.showStop(text);
}

void ObservedPrompts::showPlain(const std::string& text) {
  observe();
  inner_.showPlain(text);
}

bool ObservedPrompts::askYesNo(const std::string& text) {
  observe();
  return inner_.askYesNo(text);
}

MainWindowRig::MainWindowRig() {
  addCatalogues();
  clock.current = {2026, 3, 5, 8, 7, 0};
  app = kalvero.start();
  app->openPartProgram("Welle.kvp");
}

MainWindowRig::~MainWindowRig() {
  window.reset();
  processEvents();
}

void MainWindowRig::addCatalogues() {
  files.addFile(CatalogPath(env.programFolder, Catalog::Pruefer),
                toCp1252("(12)    Müller\r\n(1234)  Schäfer\r\n\r\n(7)     Özdemir\r\n"));
  files.addFile(CatalogPath(env.programFolder, Catalog::Maschine), "4711\r\nM7\r\nSG-220\r\n");
  files.addFile(CatalogPath(env.programFolder, Catalog::NestID),
                "(1)     Nest links\r\n(2)     Nest rechts\r\n(ab)    Nest-A\r\n");
}

void MainWindowRig::removeCatalogues() {
  for (const Catalog catalog : {Catalog::Pruefer, Catalog::Maschine, Catalog::NestID}) {
    files.removeFile(toFsPath(CatalogPath(env.programFolder, catalog)));
  }
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
  list("Combo_Maschine")->setCurrentIndex(1);
  list("combo_Prüfer")->setCurrentIndex(0);
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
  const QComboBox* box = list(name);
  items.reserve(static_cast<std::size_t>(box->count()));
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
