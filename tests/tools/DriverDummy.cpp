// A stand-in for the converter's windows, to test the driver without them: an order
// window whose "OK" asks a question and opens a capture window that counts to three, and
// whose "Daten übertragen" writes what was entered to the file named by the argument.
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

namespace {

template <typename Widget>
Widget* named(Widget* widget, const char* name, QWidget& parent) {
  widget->setObjectName(QString::fromUtf8(name));
  parent.layout()->addWidget(widget);
  return widget;
}

}  // namespace

int main(int argc, char* argv[]) {
  QApplication application(argc, argv);
  const QString output = QCoreApplication::arguments().value(1);

  QWidget order;
  order.setObjectName(QStringLiteral("frm_Eingabe"));
  order.setLayout(new QVBoxLayout);
  auto* artikel = named(new QLineEdit, "txt_Artikel", order);
  auto* pruefer = named(new QComboBox, "combo_Pruefer", order);
  pruefer->addItems({QStringLiteral("(11)    Erster"), QStringLiteral("(12)    Name")});
  auto* nest = named(new QCheckBox, "chkNest", order);
  auto* ok = named(new QPushButton(QStringLiteral("&OK")), "cmd_OK", order);

  QWidget capture;
  capture.setObjectName(QStringLiteral("frm_TuL"));
  capture.setLayout(new QVBoxLayout);
  auto* probe = named(new QLabel(QStringLiteral("0")), "lblCurrentProbe", capture);
  auto* send = named(new QPushButton(QStringLiteral("Daten übertragen")), "CmdSendData", capture);
  QTimer counter;

  QObject::connect(ok, &QPushButton::clicked, &order, [&] {
    QMessageBox box(QMessageBox::NoIcon, QStringLiteral("KVOTLK"),
                    QStringLiteral("Weiter?\r\nWirklich?"), QMessageBox::NoButton, &order);
    const QAbstractButton* yes = box.addButton(QStringLiteral("Ja"), QMessageBox::YesRole);
    box.addButton(QStringLiteral("Nein"), QMessageBox::NoRole);
    box.exec();
    if (box.clickedButton() == yes) {
      order.hide();
      capture.show();
      counter.start(30);
    }
  });
  QObject::connect(&counter, &QTimer::timeout, &capture, [&] {
    const int next = probe->text().toInt() + 1;
    probe->setText(QString::number(next));
    if (next == 3) {
      counter.stop();
    }
  });
  QObject::connect(send, &QPushButton::clicked, &capture, [&] {
    QFile file(output);
    if (file.open(QIODevice::WriteOnly)) {
      file.write(QStringLiteral("%1|%2|%3")
                     .arg(artikel->text(), pruefer->currentText())
                     .arg(nest->checkState())
                     .toUtf8());
    }
    QMessageBox::information(&capture, QStringLiteral("KVOTLK"), QStringLiteral("Gesendet."));
    capture.close();
    order.show();
  });
  order.show();
  return QApplication::exec();
}
