#include "app/frm_Eingabe.h"

namespace kvotlk {

frm_Eingabe::frm_Eingabe(QWidget* parent) : QMainWindow(parent) {
  setObjectName(QStringLiteral("frm_Eingabe"));
  setWindowTitle(QStringLiteral("Kalvero - Tessmer & Lund Konverter"));
}

}  // namespace kvotlk
