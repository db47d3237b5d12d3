// The menu commands of the main window.
#include <QAction>

#include "app/frm_Eingabe.h"

namespace kvotlk {

void frm_Eingabe::connectMenus() {
  connect(menuBeenden, &QAction::triggered, this, &QWidget::close);
}

}  // namespace kvotlk
