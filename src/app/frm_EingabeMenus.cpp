// The menu commands of the main window: "&Beenden" ends the program; "&Handbuch" (F1) opens
// the manual beside the main window; every other command opens its window non-modal and
// hides the main window, which that window shows again when it closes.
#include <QAction>
#include <QKeyEvent>

#include "about/frm_About.h"
#include "app/frm_Eingabe.h"
#include "catalogs/frm_Maschinenkatalog.h"
#include "catalogs/frm_NestIDsKatalog.h"
#include "catalogs/frm_PrueferKatalog.h"
#include "common/Environment.h"
#include "config/frm_Konfiguration.h"
#include "manual/ManualWindow.h"

namespace kvotlk {

void frm_Eingabe::connectMenus() {
  connect(menuBeenden, &QAction::triggered, this, &QWidget::close);
  connect(menuWartendeDateien, &QAction::triggered, this,
          [this] { engine_.menuWartendeDateien_Click(); });
  connect(menuSetup, &QAction::triggered, this,
          [this] { openSecondary(new frm_Konfiguration(env_, g_, engine_)); });
  connect(menuMaschine, &QAction::triggered, this,
          [this] { openSecondary(new frm_Maschinenkatalog(env_, g_, engine_)); });
  connect(menuPruefer, &QAction::triggered, this,
          [this] { openSecondary(new frm_PrueferKatalog(env_, g_, engine_)); });
  connect(NestIDsKatalog, &QAction::triggered, this,
          [this] { openSecondary(new frm_NestIDsKatalog(env_, g_, engine_)); });
  connect(menuHandbuch, &QAction::triggered, this, &frm_Eingabe::openManual);
  // The about command hides the main window before the about box loads.
  connect(menuInfo, &QAction::triggered, this, [this] {
    hide();
    secondary_ = new frm_About(engine_);
    secondary_->show();
  });
}

void frm_Eingabe::openManual() {
  if (manual_ == nullptr) {
    manual_ = new ManualWindow(env_.programFolder);
  }
  manual_->show();
  manual_->raise();
  manual_->activateWindow();
}

void frm_Eingabe::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_F1 && event->modifiers() == Qt::NoModifier) {
    openManual();
    return;
  }
  QMainWindow::keyPressEvent(event);
}

}  // namespace kvotlk
