#include "catalogs/CatalogEditor.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "common/Environment.h"
#include "common/Prompts.h"
#include "entry/OrderEngine.h"
#include "gui/WindowKeys.h"

namespace kvotlk {
namespace {

QPushButton* makeButton(QWidget* owner, const char* name, const QString& caption) {
  auto* button = new QPushButton(caption, owner);
  button->setObjectName(QString::fromUtf8(name));
  return button;
}

// The catalogue's padded number fields line up only in a fixed-pitch font.
QFont listFont() {
  QFont font(QStringLiteral("Courier New"));
  font.setStyleHint(QFont::TypeWriter);
  font.setFixedPitch(true);
  return font;
}

}  // namespace

CatalogEditor::CatalogEditor(Environment& env, modGlobaleVariablen& g, OrderEngine& order,
                             CatalogEditorSetup setup, QWidget* parent)
    : QWidget(parent, Qt::Window), env_(env), g_(g), order_(order), setup_(std::move(setup)) {
  setObjectName(QString::fromUtf8(setup_.formName));
  setAttribute(Qt::WA_DeleteOnClose);
  setWindowTitle(setup_.caption);
  buildControls();
  connect(cmdNew, &QPushButton::clicked, this, &CatalogEditor::cmdNew_Click);
  connect(cmdDelete, &QPushButton::clicked, this, &CatalogEditor::cmdDelete_Click);
  connect(cmdDeleteList, &QPushButton::clicked, this, &CatalogEditor::cmdDeleteList_Click);
  connect(cmdOK, &QPushButton::clicked, this, &CatalogEditor::cmdOK_Click);
  Form_Load();
}

void CatalogEditor::buildControls() {
  list_ = new QListWidget(this);
  list_->setObjectName(QString::fromUtf8(setup_.listName));
  list_->setFont(listFont());
  list_->setSelectionMode(QAbstractItemView::SingleSelection);
  list_->setMinimumSize(320, 220);

  auto* fields = new QGridLayout;
  txtNummer = new QLineEdit(this);
  txtNummer->setObjectName(QStringLiteral("txtNummer"));
  auto* numberLabel = new QLabel(setup_.numberCaption, this);
  numberLabel->setObjectName(QStringLiteral("Label1"));
  numberLabel->setBuddy(txtNummer);
  fields->addWidget(numberLabel, 0, 0);
  fields->addWidget(txtNummer, 0, 1);
  if (!setup_.nameCaption.isEmpty()) {
    txtName = new QLineEdit(this);
    txtName->setObjectName(QStringLiteral("txtName"));
    auto* nameLabel = new QLabel(setup_.nameCaption, this);
    nameLabel->setObjectName(QStringLiteral("Label2"));
    nameLabel->setBuddy(txtName);
    fields->addWidget(nameLabel, 1, 0);
    fields->addWidget(txtName, 1, 1);
  }

  cmdNew = makeButton(this, "cmdNew", QStringLiteral("&Neuer Eintrag"));
  cmdDelete = makeButton(this, setup_.deleteName, QStringLiteral("&Eintrag löschen"));
  cmdDeleteList = makeButton(this, "cmdDeleteList", QStringLiteral("&Liste löschen"));
  cmdOK = makeButton(this, "cmdOK", QStringLiteral("OK"));
  auto* buttons = new QVBoxLayout;
  buttons->addWidget(cmdNew);
  buttons->addWidget(cmdDelete);
  buttons->addWidget(cmdDeleteList);
  buttons->addStretch();
  buttons->addWidget(cmdOK);

  auto* left = new QVBoxLayout;
  left->addWidget(list_, 1);
  left->addLayout(fields);
  auto* layout = new QHBoxLayout(this);
  layout->addLayout(left, 1);
  layout->addLayout(buttons);
  EnterPressesTheFocusedButton(*this);
}

void CatalogEditor::Form_Load() {
  const auto lines = LoadCatalog(env_, setup_.catalog);
  if (!lines) {
    // Nothing may be saved over a file that could not be read; only closing is left.
    for (QPushButton* button : {cmdNew, cmdDelete, cmdDeleteList, cmdOK}) {
      button->setEnabled(false);
    }
    return;
  }
  for (const std::string& line : *lines) {
    list_->addItem(QString::fromStdString(line));
  }
}

void CatalogEditor::cmdNew_Click() {
  const std::string name = txtName != nullptr ? txtName->text().toStdString() : std::string();
  const NewEntry entry = newEntry(txtNummer->text().toStdString(), name, listEntries());
  if (!entry.line) {
    env_.prompts.showStop(entry.message);
    return;
  }
  const QList<QListWidgetItem*> selected = list_->selectedItems();
  const std::optional<std::size_t> selectedRow =
      selected.isEmpty() ? std::nullopt : std::optional<std::size_t>(list_->row(selected.front()));
  list_->insertItem(static_cast<int>(InsertRow(selectedRow)), QString::fromStdString(*entry.line));
}

void CatalogEditor::cmdDelete_Click() {
  const QList<QListWidgetItem*> selected = list_->selectedItems();
  if (selected.isEmpty()) {
    return;
  }
  delete list_->takeItem(list_->row(selected.front()));
  // As after any removal nothing is selected, so the next entry goes to the top.
  list_->setCurrentRow(-1);
  list_->clearSelection();
}

void CatalogEditor::cmdDeleteList_Click() { list_->clear(); }

void CatalogEditor::cmdOK_Click() {
  const std::vector<std::string> entries = listEntries();
  if (SaveCatalog(env_, setup_.catalog, entries)) {
    order_.CatalogSaved(setup_.catalog, entries);
    close();
  }
}

void CatalogEditor::closeEvent(QCloseEvent* event) {
  order_.ShowAgain();
  QWidget::closeEvent(event);
}

std::vector<std::string> CatalogEditor::listEntries() const {
  std::vector<std::string> entries;
  entries.reserve(static_cast<std::size_t>(list_->count()));
  for (int row = 0; row < list_->count(); ++row) {
    entries.push_back(list_->item(row)->text().toStdString());
  }
  return entries;
}

}  // namespace kvotlk
