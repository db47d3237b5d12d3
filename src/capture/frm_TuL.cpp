#include "capture/frm_TuL.h"

#include <QCloseEvent>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QTableWidget>
#include <QTimer>
#include <algorithm>
#include <cmath>

#include "capture/CaptureEngine.h"
#include "capture/FrameGrid.h"
#include "gui/FileWork.h"
#include "gui/WindowKeys.h"

namespace kvotlk {
namespace {

constexpr double kTwipsPerInch = 1440.0;
// Column widths of the grid, in twips.
constexpr int kIdColumnTwips = 600;
constexpr int kValueColumnTwips = 3200;
constexpr int kRowHeightTwips = 240;
// What the ID column must show besides IdLaenge characters: a nest number of up to two
// digits, appended to the ID. The value column keeps at least this much.
constexpr int kNestSuffixChars = 2;
constexpr int kLeastValueColumnTwips = 1600;
constexpr int kJournalTickMs = 500;

// Arial 8.25 pt, or a font of the same metrics where Arial is missing.
QFont windowFont() {
  QFont font;
  font.setFamilies({QStringLiteral("Arial"), QStringLiteral("Liberation Sans")});
  font.setStyleHint(QFont::SansSerif);
  font.setPointSizeF(8.25);
  return font;
}

QTableWidgetItem* centredItem(const QString& text) {
  auto* item = new QTableWidgetItem(text);
  item->setTextAlignment(Qt::AlignCenter);
  return item;
}

}  // namespace

int TwipsToPixels(int twips, double dotsPerInch) {
  return static_cast<int>(std::lround(twips * dotsPerInch / kTwipsPerInch));
}

frm_TuL::frm_TuL(CaptureEngine& engine, QWidget* parent)
    : QWidget(parent, Qt::Window), engine_(engine) {
  buildControls();
  // The journal's values reach the disk within a second of their capture.
  auto* journalTimer = new QTimer(this);
  connect(journalTimer, &QTimer::timeout, this, [this] { engine_.JournalTick(); });
  journalTimer->start(kJournalTickMs);
}

frm_TuL::~frm_TuL() = default;

void frm_TuL::buildControls() {
  setObjectName(QStringLiteral("frm_TuL"));
  setWindowTitle(QStringLiteral("Konverter Tessmer & Lund"));
  setFont(windowFont());
  setFixedSize(twipsX(8565), twipsY(5115));

  Frame1_ = new QGroupBox(QStringLiteral("Messdaten"), this);
  Frame1_->setObjectName(QStringLiteral("Frame1"));
  Frame1_->setGeometry(twipsRect(60, 60, 5895, 4995));

  auto* Label2 = new QLabel(QStringLiteral("Stichprobe"), Frame1_);
  Label2->setObjectName(QStringLiteral("Label2"));
  Label2->setGeometry(twipsRect(120, 360, 795, 255));

  lblCurrentProbe_ = new QLabel(Frame1_);
  lblCurrentProbe_->setObjectName(QStringLiteral("lblCurrentProbe"));
  lblCurrentProbe_->setGeometry(twipsRect(120, 600, 795, 315));

  auto* Label4 = new QLabel(QStringLiteral("von"), Frame1_);
  Label4->setObjectName(QStringLiteral("Label4"));
  Label4->setGeometry(twipsRect(120, 960, 795, 255));

  lblNumProbes_ = new QLabel(Frame1_);
  lblNumProbes_->setObjectName(QStringLiteral("lblNumProbes"));
  lblNumProbes_->setGeometry(twipsRect(120, 1200, 795, 315));

  for (QLabel* framed : {lblCurrentProbe_, lblNumProbes_}) {
    framed->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    framed->setAlignment(Qt::AlignCenter);
  }

  FlexGridDaten_ = new FrameGrid(1, 2, Frame1_);
  FlexGridDaten_->setObjectName(QStringLiteral("FlexGridDaten"));
  FlexGridDaten_->setGeometry(twipsRect(1080, 360, 4695, 4515));
  FlexGridDaten_->verticalHeader()->hide();
  FlexGridDaten_->verticalHeader()->setMinimumSectionSize(1);
  FlexGridDaten_->verticalHeader()->setDefaultSectionSize(
      std::max(twipsY(kRowHeightTwips), fontMetrics().height() + 2));
  FlexGridDaten_->horizontalHeader()->setSectionsClickable(false);
  FlexGridDaten_->horizontalHeader()->setHighlightSections(false);
  FlexGridDaten_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  FlexGridDaten_->setSelectionMode(QAbstractItemView::NoSelection);
  FlexGridDaten_->setHorizontalHeaderItem(0, centredItem(QString()));
  FlexGridDaten_->setHorizontalHeaderItem(1, centredItem(QString()));

  CmdSendData_ = new QPushButton(QStringLiteral("Daten übertragen"), this);
  CmdSendData_->setObjectName(QStringLiteral("CmdSendData"));
  CmdSendData_->setGeometry(twipsRect(6060, 120, 2415, 375));

  CmdLoeschen_ = new QPushButton(QStringLiteral("Letzte Stichprobe löschen"), this);
  CmdLoeschen_->setObjectName(QStringLiteral("CmdLoeschen"));
  CmdLoeschen_->setGeometry(twipsRect(6060, 540, 2415, 375));

  // What waits for delivery, or what a send does right now.
  lblStatus_ = new QLabel(this);
  lblStatus_->setObjectName(QStringLiteral("lblStatus"));
  lblStatus_->setGeometry(twipsRect(6060, 1020, 2415, 1200));
  lblStatus_->setWordWrap(true);
  lblStatus_->setAlignment(Qt::AlignLeft | Qt::AlignTop);

  CmdAbbrechen_ = new QPushButton(QStringLiteral("Abbrechen"), this);
  CmdAbbrechen_->setObjectName(QStringLiteral("CmdAbbrechen"));
  CmdAbbrechen_->setGeometry(twipsRect(6060, 2340, 2415, 375));
  CmdAbbrechen_->hide();

  // Enter presses the button that has the focus, and only that one: no default button.
  EnterPressesTheFocusedButton(*this);
  setTabOrder(CmdSendData_, CmdLoeschen_);
  setTabOrder(CmdLoeschen_, FlexGridDaten_);
  CmdSendData_->setFocus();

  connect(CmdSendData_, &QPushButton::clicked, this, [this] { engine_.CmdSendData_Click(); });
  connect(CmdLoeschen_, &QPushButton::clicked, this, [this] { engine_.CmdLoeschen_Click(); });
}

int frm_TuL::twipsX(int twips) const { return TwipsToPixels(twips, logicalDpiX()); }

int frm_TuL::twipsY(int twips) const { return TwipsToPixels(twips, logicalDpiY()); }

QRect frm_TuL::twipsRect(int left, int top, int width, int height) const {
  return {twipsX(left), twipsY(top), twipsX(width), twipsY(height)};
}

// Column 0 shows every ID whole, without "…": it is made as wide as IdLaenge characters
// and a nest suffix need, and the value column, which has room to spare, gives up that width.
void frm_TuL::fitIdColumn(int idLength) {
  const int both = twipsX(kIdColumnTwips + kValueColumnTwips);
  const int chars = std::max(idLength, 0) + kNestSuffixChars;
  const int textMargin =
      FlexGridDaten_->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, FlexGridDaten_) +
      1;
  const int needed =
      FlexGridDaten_->fontMetrics().horizontalAdvance(QString(chars, u'0')) + 2 * textMargin + 1;
  const int idWidth =
      std::min(std::max(twipsX(kIdColumnTwips), needed), both - twipsX(kLeastValueColumnTwips));
  FlexGridDaten_->setColumnWidth(0, idWidth);
  FlexGridDaten_->setColumnWidth(1, both - idWidth);
}

int frm_TuL::gridRowCount() const { return FlexGridDaten_->rowCount() + 1; }

QString frm_TuL::gridText(int row, int column) const {
  const QTableWidgetItem* item = row == 0 ? FlexGridDaten_->horizontalHeaderItem(column)
                                          : FlexGridDaten_->item(row - 1, column);
  return item != nullptr ? item->text() : QString();
}

void frm_TuL::prepareGrid() {
  FlexGridDaten_->setColumnCount(2);
  FlexGridDaten_->setColumnWidth(0, twipsX(kIdColumnTwips));
  FlexGridDaten_->setColumnWidth(1, twipsX(kValueColumnTwips));
  FlexGridDaten_->setHorizontalHeaderItem(0, centredItem(QStringLiteral("ID")));
  FlexGridDaten_->setHorizontalHeaderItem(1, centredItem(QStringLiteral("Messwert")));
}

void frm_TuL::setGridRowCount(int rows) {
  FlexGridDaten_->hold();
  FlexGridDaten_->setRowCount(std::max(rows - 1, 0));
}

void frm_TuL::setGridCell(int row, int column, const std::string& text) {
  if (row < 0 || row >= gridRowCount() || column < 0 || column >= FlexGridDaten_->columnCount()) {
    return;
  }
  FlexGridDaten_->hold();
  const QString shown = QString::fromStdString(text);
  if (row == 0) {
    FlexGridDaten_->setHorizontalHeaderItem(column, centredItem(shown));
  } else {
    FlexGridDaten_->setItem(row - 1, column, centredItem(shown));
  }
}

void frm_TuL::setCurrentProbe(const std::string& caption, bool repaintNow) {
  lblCurrentProbe_->setText(QString::fromStdString(caption));
  if (repaintNow) {
    lblCurrentProbe_->repaint();
  }
}

void frm_TuL::setNumProbes(const std::string& caption) {
  lblNumProbes_->setText(QString::fromStdString(caption));
}

// The ID column fits IdLaenge, which the load step has read.
void frm_TuL::showWindow() {
  fitIdColumn(engine_.intIdLaenge());
  show();
}

// The window is hidden, not destroyed: an event handler of the engine may still be on the
// stack below a message box. Its owner deletes it when no engine call can be running.
void frm_TuL::closeWindow() { close(); }

void frm_TuL::setWaitingFiles(const QString& text) { lblStatus_->setText(text); }

void frm_TuL::runFileWork(const std::function<void(WorkProgress&)>& work) {
  working_ = true;
  const QList<QWidget*> blocked = {CmdSendData_, CmdLoeschen_};
  RunFileWork(work, *lblStatus_, *CmdAbbrechen_, blocked);
  working_ = false;
}

void frm_TuL::closeEvent(QCloseEvent* event) {
  if (working_ || !engine_.Form_Unload()) {
    event->ignore();
    return;
  }
  event->accept();
}

}  // namespace kvotlk
