#pragma once

#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <memory>

#include "catalogs/frm_Maschinenkatalog.h"
#include "catalogs/frm_NestIDsKatalog.h"
#include "catalogs/frm_PrueferKatalog.h"
#include "common/Paths.h"
#include "dialogs/RecordingMainWindow.h"
#include "dialogs/WindowTesting.h"
#include "support/TestEnvironment.h"

namespace kvotlk::test {

// One catalogue editor open on a test environment, driven through its controls.
struct CatalogEditorRig {
  TestEnvironment t;
  RecordingMainWindow main;
  std::unique_ptr<WindowUnderTest<QWidget>> editor;
  QString listName;
  QString deleteName;

  std::string path(Catalog catalog) const { return CatalogPath(t.env.programFolder, catalog); }
  void addCatalogue(Catalog catalog, std::string bytes) {
    t.files.addFile(path(catalog), std::move(bytes));
  }

  template <typename Editor>
  void open(const char* list, const char* deleteButton) {
    editor = std::make_unique<WindowUnderTest<QWidget>>(new Editor(t.env, t.g, main));
    listName = QString::fromUtf8(list);
    deleteName = QString::fromUtf8(deleteButton);
  }
  void openPruefer() { open<frm_PrueferKatalog>("lstPrüfer", "cmdDeletePrüfer"); }
  void openMaschine() { open<frm_Maschinenkatalog>("lstMaschine", "cmdDeleteMaschine"); }
  void openNestID() { open<frm_NestIDsKatalog>("lstNestID", "cmdDeletePrüfer"); }

  QListWidget* list() const { return editor->child<QListWidget>(listName); }
  QPushButton* button(const char* name) const {
    return editor->child<QPushButton>(QString::fromUtf8(name));
  }
  std::vector<std::string> entries() const {
    std::vector<std::string> shown;
    shown.reserve(static_cast<std::size_t>(list()->count()));
    for (int row = 0; row < list()->count(); ++row) {
      shown.push_back(str(list()->item(row)->text()));
    }
    return shown;
  }
  void add(const std::string& number, const std::string& name = {}) {
    editor->child<QLineEdit>("txtNummer")->setText(QString::fromStdString(number));
    if (auto* nameBox = editor->get()->findChild<QLineEdit*>("txtName")) {
      nameBox->setText(QString::fromStdString(name));
    }
    button("cmdNew")->click();
  }
};

}  // namespace kvotlk::test
