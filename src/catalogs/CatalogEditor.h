#pragma once

#include <QString>
#include <QWidget>
#include <string>
#include <vector>

#include "catalogs/CatalogEntries.h"

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace kvotlk {

struct Environment;
struct modGlobaleVariablen;
class OrderEngine;

// What sets the three catalogue editors apart, besides their entry rule.
struct CatalogEditorSetup {
  Catalog catalog;
  const char* formName;
  QString caption;
  const char* listName;
  const char* deleteName;
  QString numberCaption;
  QString nameCaption;  // empty when the editor has no name field
};

// A catalogue editor: the catalogue as a list, entries added after the selected one or at
// the top, the selected entry or the whole list deleted, OK writing the file and bringing
// the main window up to date. The close box leaves file and main window as they were.
class CatalogEditor : public QWidget {
  Q_OBJECT

 public:
  CatalogEditor(const CatalogEditor&) = delete;
  CatalogEditor& operator=(const CatalogEditor&) = delete;
  ~CatalogEditor() override = default;

 protected:
  CatalogEditor(Environment& env, modGlobaleVariablen& g, OrderEngine& order,
                CatalogEditorSetup setup, QWidget* parent);

  // The line the typed number and name give beside the list's entries, or the message
  // that refuses them.
  virtual NewEntry newEntry(const std::string& number, const std::string& name,
                            const std::vector<std::string>& entries) = 0;

  void closeEvent(QCloseEvent* event) override;

  Environment& env_;
  modGlobaleVariablen& g_;

 private:
  void buildControls();
  void Form_Load();
  void cmdNew_Click();
  void cmdDelete_Click();
  void cmdDeleteList_Click();
  void cmdOK_Click();
  std::vector<std::string> listEntries() const;

  OrderEngine& order_;
  CatalogEditorSetup setup_;
  QListWidget* list_ = nullptr;
  QLineEdit* txtNummer = nullptr;
  QLineEdit* txtName = nullptr;
  QPushButton* cmdNew = nullptr;
  QPushButton* cmdDelete = nullptr;
  QPushButton* cmdDeleteList = nullptr;
  QPushButton* cmdOK = nullptr;
};

}  // namespace kvotlk
