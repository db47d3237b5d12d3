#pragma once

#include <QWidget>

class QLabel;
class QPushButton;

namespace kvotlk {

class OrderEngine;

// The about box: title, version, description, the note on the Kalvero version and the
// copyright. OK, Enter and Escape close it; any way of closing shows the main window.
class frm_About : public QWidget {
  Q_OBJECT

 public:
  explicit frm_About(OrderEngine& order, QWidget* parent = nullptr);

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void buildControls();
  void Form_Load();
  void cmdOK_Click();

  OrderEngine& order_;
  QLabel* picIcon = nullptr;
  QLabel* lblTitle = nullptr;
  QLabel* lblVersion = nullptr;
  QLabel* lblDescription = nullptr;
  QLabel* Label1 = nullptr;
  QLabel* lblCopyRight = nullptr;
  QLabel* Label2 = nullptr;
  QPushButton* cmdOK = nullptr;
};

}  // namespace kvotlk
