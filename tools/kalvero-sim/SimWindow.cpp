#include "kalvero-sim/SimWindow.h"

#include <QFileDialog>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QTime>
#include <QVBoxLayout>

#include "kalvero-sim/SimServer.h"
#include "program/ProgramText.h"

namespace kvotlk::sim {
namespace {

constexpr int kMaxRunsPerClick = 1000;
constexpr int kWidth = 980;
constexpr int kHeight = 680;

QString qText(const std::string& text) { return QString::fromStdString(text); }

template <typename Widget>
Widget* named(Widget* widget, const char* name) {
  widget->setObjectName(QString::fromUtf8(name));
  return widget;
}

}  // namespace

SimWindow::SimWindow(SimServer& server)
    : server_(server),
      lblProgramm_(named(new QLabel, "lblProgramm")),
      lblFehler_(named(new QLabel, "lblFehler")),
      lblStatus_(named(new QLabel, "lblStatus")),
      tblBefehle_(named(new QTableWidget, "tblBefehle")),
      spnLaeufe_(named(new QSpinBox, "spnLaeufe")),
      cmdOeffnen_(named(new QPushButton(QStringLiteral("Öffnen …")), "cmdOeffnen")),
      cmdSchliessen_(named(new QPushButton(QStringLiteral("Programm schließen")), "cmdSchliessen")),
      cmdAusfuehren_(named(new QPushButton(QStringLiteral("Programm ausführen")), "cmdAusfuehren")),
      cmdAbbrechen_(named(new QPushButton(QStringLiteral("Abbrechen")), "cmdAbbrechen")),
      txtProtokoll_(named(new QPlainTextEdit, "txtProtokoll")) {
  setObjectName(QStringLiteral("frmKalveroSimulator"));
  setWindowTitle(QStringLiteral("Kalvero-Simulator"));
  buildLayout();
  connect(cmdOeffnen_, &QPushButton::clicked, this, [this] { chooseFile(); });
  connect(cmdSchliessen_, &QPushButton::clicked, this, [this] { server_.closeProgram(); });
  connect(cmdAusfuehren_, &QPushButton::clicked, this,
          [this] { server_.execute(spnLaeufe_->value()); });
  connect(cmdAbbrechen_, &QPushButton::clicked, this, [this] { server_.abort(); });
  refresh();
}

void SimWindow::buildLayout() {
  lblFehler_->setStyleSheet(QStringLiteral("color: #b00000;"));
  lblFehler_->setWordWrap(true);
  tblBefehle_->setColumnCount(static_cast<int>(program::kTableColumns.size()));
  QStringList headers;
  for (const char* column : program::kTableColumns) {
    headers << QString::fromUtf8(column);
  }
  tblBefehle_->setHorizontalHeaderLabels(headers);
  tblBefehle_->verticalHeader()->setVisible(false);
  tblBefehle_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  tblBefehle_->setSelectionMode(QAbstractItemView::NoSelection);
  spnLaeufe_->setRange(1, kMaxRunsPerClick);
  spnLaeufe_->setValue(1);
  txtProtokoll_->setReadOnly(true);
  txtProtokoll_->setMaximumBlockCount(kLogLines);

  auto* top = new QHBoxLayout;
  top->addWidget(lblProgramm_, 1);
  top->addWidget(cmdOeffnen_);
  top->addWidget(cmdSchliessen_);

  auto* runRow = new QHBoxLayout;
  runRow->addWidget(new QLabel(QStringLiteral("Anzahl Läufe:")));
  runRow->addWidget(spnLaeufe_);
  runRow->addWidget(cmdAusfuehren_);
  runRow->addWidget(cmdAbbrechen_);
  runRow->addStretch(1);
  runRow->addWidget(lblStatus_);

  auto* logBox = new QGroupBox(QStringLiteral("Protokoll"));
  auto* logLayout = new QVBoxLayout(logBox);
  logLayout->addWidget(txtProtokoll_);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(top);
  layout->addWidget(lblFehler_);
  layout->addWidget(tblBefehle_, 3);
  layout->addLayout(runRow);
  layout->addWidget(logBox, 2);
  resize(kWidth, kHeight);
}

void SimWindow::refresh() {
  const program::MeasuringProgram* program = server_.currentProgram();
  if (program != nullptr) {
    lblProgramm_->setText(QStringLiteral("Messprogramm: %1   (%2)")
                              .arg(qText(program->partProgName), qText(server_.programFile())));
  } else {
    lblProgramm_->setText(QStringLiteral("Kein Messprogramm geöffnet."));
  }
  lblFehler_->setText(qText(server_.loadError()));
  lblFehler_->setVisible(!server_.loadError().empty());
  if (server_.programHandle() != shownHandle_) {
    shownHandle_ = server_.programHandle();
    fillTable();
  }
  const bool running = server_.running();
  cmdAusfuehren_->setEnabled(program != nullptr && !running);
  cmdAbbrechen_->setEnabled(running);
  cmdSchliessen_->setEnabled(program != nullptr);
  lblStatus_->setText(QStringLiteral("Endpunkt %1 · Empfänger: %2 · Startwert %3 · Läufe: %4")
                          .arg(qText(server_.endpoint()))
                          .arg(server_.subscribers())
                          .arg(server_.seed())
                          .arg(server_.runsStarted()));
}

void SimWindow::fillTable() {
  const program::MeasuringProgram* program = server_.currentProgram();
  const auto rows =
      program != nullptr ? program::programTable(*program) : std::vector<program::TableRow>{};
  tblBefehle_->setRowCount(static_cast<int>(rows.size()));
  for (std::size_t row = 0; row < rows.size(); ++row) {
    for (std::size_t column = 0; column < rows[row].size(); ++column) {
      tblBefehle_->setItem(static_cast<int>(row), static_cast<int>(column),
                           new QTableWidgetItem(qText(rows[row][column])));
    }
  }
  tblBefehle_->resizeColumnsToContents();
}

void SimWindow::appendLog(const std::string& line) {
  txtProtokoll_->appendPlainText(QTime::currentTime().toString(QStringLiteral("HH:mm:ss ")) +
                                 qText(line));
}

void SimWindow::chooseFile() {
  const QString file =
      QFileDialog::getOpenFileName(this, QStringLiteral("Messprogramm öffnen"), QString(),
                                   QStringLiteral("Messprogramme (*.kmp);;Alle Dateien (*)"));
  if (!file.isEmpty()) {
    server_.openProgramFile(std::filesystem::path(file.toStdU16String()));
  }
}

}  // namespace kvotlk::sim
