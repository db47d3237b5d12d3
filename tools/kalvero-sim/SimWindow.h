#pragma once

#include <cstdint>
#include <string>

#include <QWidget>

class QLabel;
class QPlainTextEdit;
class QPushButton;
class QSpinBox;
class QTableWidget;

// The simulator's window: the open measuring program and its commands, the run count with
// "Programm ausführen", opening and closing a program, and a short log of what was sent.
// It shows the server's state and forwards the operator's clicks; it holds no rule.
namespace kvotlk::sim {

class SimServer;

class SimWindow final : public QWidget {
 public:
  explicit SimWindow(SimServer& server);

  // Shows the server's state anew.
  void refresh();
  void appendLog(const std::string& line);

  // The number of log lines the window keeps.
  static constexpr int kLogLines = 500;

 private:
  void buildLayout();
  void fillTable();
  void chooseFile();

  SimServer& server_;
  QLabel* lblProgramm_;
  QLabel* lblFehler_;
  QLabel* lblStatus_;
  QTableWidget* tblBefehle_;
  QSpinBox* spnLaeufe_;
  QPushButton* cmdOeffnen_;
  QPushButton* cmdSchliessen_;
  QPushButton* cmdAusfuehren_;
  QPushButton* cmdAbbrechen_;
  QPlainTextEdit* txtProtokoll_;
  std::int64_t shownHandle_ = -1;
};

}  // namespace kvotlk::sim
