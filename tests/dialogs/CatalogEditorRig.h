#pragma once

#include <QListWidget>
#include <QPushButton>
#include <memory>

#include "app/WindowTestSupport.h"
#include "catalogs/frm_Maschinenkatalog.h"
#include "catalogs/frm_NestIDsKatalog.h"
#include "catalogs/frm_PrueferKatalog.h"
#include "common/Paths.h"
#include "dialogs/RecordingMainWindow.h"

namespace kvotlk::test {

// One catalogue editor open on a test environment, driven through its controls.
struct CatalogEditorRig {
  TestEnvironment t;
  RecordingMainWindow main{t.env, t.g};
  std::unique_ptr<WindowUnderTest<QWidget>> editor;

  std::string path(Catalog catalog) const { return CatalogPath(t.env.programFolder, catalog); }
  void addCatalogue(Catalog catalog, std::string bytes) {
    t.files.addFile(path(catalog), std::move(bytes));
  }
  template <typename Editor>
  void open() {
    editor = std::make_unique<WindowUnderTest<QWidget>>(new Editor(t.env, t.g, main.engine));
  }
  void openPruefer() { open<frm_PrueferKatalog>(); }
  void openMaschine() { open<frm_Maschinenkatalog>(); }
  void openNestID() { open<frm_NestIDsKatalog>(); }

  QListWidget* list() const { return editor->get()->findChild<QListWidget*>(); }
  QPushButton* button(const char* name) const { return child<QPushButton>(*editor->get(), name); }
  Names entries() const {
    Names shown;
    for (int row = 0; row < list()->count(); ++row) {
      shown.push_back(str(list()->item(row)->text()));
    }
    return shown;
  }
  void add(const std::string& number, const std::string& name = {}) {
    child<QLineEdit>(*editor->get(), "txtNummer")->setText(QString::fromStdString(number));
    if (auto* nameBox = editor->get()->findChild<QLineEdit*>("txtName")) {
      nameBox->setText(QString::fromStdString(name));
    }
    button("cmdNew")->click();
  }
};

}  // namespace kvotlk::test
