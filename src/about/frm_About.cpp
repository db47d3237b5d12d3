#include "about/frm_About.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFrame>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "about/ProgramInfo.h"
#include "entry/OrderEngine.h"

namespace kvotlk {
namespace {

constexpr int kIconSize = 32;
constexpr int kTextWidth = 420;

QLabel* makeLabel(QWidget* owner, const char* name) {
  auto* label = new QLabel(owner);
  label->setObjectName(QString::fromUtf8(name));
  label->setWordWrap(true);
  return label;
}

QFrame* makeLine(QWidget* owner) {
  auto* line = new QFrame(owner);
  line->setObjectName(QStringLiteral("Line1"));
  line->setFrameShape(QFrame::HLine);
  line->setFrameShadow(QFrame::Sunken);
  return line;
}

}  // namespace

frm_About::frm_About(OrderEngine& order, QWidget* parent)
    : QWidget(parent, Qt::Window), order_(order) {
  setObjectName(QStringLiteral("frm_About"));
  setAttribute(Qt::WA_DeleteOnClose);
  buildControls();
  connect(cmdOK, &QPushButton::clicked, this, &frm_About::cmdOK_Click);
  Form_Load();
}

void frm_About::buildControls() {
  picIcon = makeLabel(this, "picIcon");
  picIcon->setFixedSize(kIconSize, kIconSize);
  picIcon->setPixmap(QApplication::windowIcon().pixmap(kIconSize, kIconSize));
  lblTitle = makeLabel(this, "lblTitle");
  QFont titleFont = lblTitle->font();
  titleFont.setBold(true);
  titleFont.setPointSizeF(titleFont.pointSizeF() * 1.5);
  lblTitle->setFont(titleFont);
  lblVersion = makeLabel(this, "lblVersion");
  lblDescription = makeLabel(this, "lblDescription");
  lblDescription->setWordWrap(false);
  Label1 = makeLabel(this, "Label1");
  Label1->setMinimumWidth(kTextWidth);
  lblCopyRight = makeLabel(this, "lblCopyRight");
  Label2 = makeLabel(this, "Label2");
  cmdOK = new QPushButton(this);
  cmdOK->setObjectName(QStringLiteral("cmdOK"));
  cmdOK->setDefault(true);

  auto* texts = new QVBoxLayout;
  texts->addWidget(lblTitle);
  texts->addWidget(lblVersion);
  texts->addWidget(lblDescription);
  auto* head = new QHBoxLayout;
  head->addWidget(picIcon, 0, Qt::AlignTop);
  head->addLayout(texts, 1);

  auto* foot = new QHBoxLayout;
  foot->addWidget(lblCopyRight, 1);
  foot->addWidget(cmdOK, 0, Qt::AlignBottom);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(head);
  layout->addWidget(makeLine(this));
  layout->addWidget(Label1);
  layout->addWidget(Label2);
  layout->addWidget(makeLine(this));
  layout->addLayout(foot);
}

void frm_About::Form_Load() {
  setWindowTitle(QStringLiteral("Info zu Kalvero - Tessmer & Lund Konverter"));
  // A label shows "&" as it is; the menu entry needs it doubled, this label does not.
  lblTitle->setText(QStringLiteral("Kalvero - Tessmer & Lund Konverter"));
  lblVersion->setText(QString::fromStdString(ProgramVersionCaption()));
  lblDescription->setText(QString::fromUtf8(kProgramDescription.data(),
                                            static_cast<qsizetype>(kProgramDescription.size())));
  lblCopyRight->setText(QString::fromUtf8(kProgramCopyright.data(),
                                          static_cast<qsizetype>(kProgramCopyright.size())));
  Label1->setText(
      QStringLiteral("Dieses Produkt wurde für Kalvero Version 3.7 entwickelt. Bei der Verwendung "
                     "dieses Produktes mit einer aktuelleren Kalvero Version, kann eine "
                     "Aktualisierung dieses Produktes notwendig werden. Hierfür besteht kein "
                     "Anspruch gegenüber dem Lieferanten oder Hersteller."));
  cmdOK->setText(QStringLiteral("OK"));
}

// OK is both the default and the cancel button: Enter and Escape close wherever the focus is.
void frm_About::keyPressEvent(QKeyEvent* event) {
  switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Escape:
      cmdOK->click();
      return;
    default:
      QWidget::keyPressEvent(event);
  }
}

void frm_About::cmdOK_Click() { close(); }

void frm_About::closeEvent(QCloseEvent* event) {
  order_.ShowAgain();
  QWidget::closeEvent(event);
}

}  // namespace kvotlk
