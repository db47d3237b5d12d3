#pragma once

#include <QMainWindow>

namespace kvotlk {

// The main window: order entry and the hub of the program.
class frm_Eingabe : public QMainWindow {
  Q_OBJECT

 public:
  explicit frm_Eingabe(QWidget* parent = nullptr);
};

}  // namespace kvotlk
