#include <QApplication>

#include "app/frm_Eingabe.h"

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("KVOTLK"));
  kvotlk::frm_Eingabe window;
  window.show();
  return QApplication::exec();
}
