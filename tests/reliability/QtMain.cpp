#include <gtest/gtest.h>

#include <QApplication>

// The windows, the simulator link and the processes need one application object; the
// tests always run offscreen, also when CTest lists them.
int main(int argc, char* argv[]) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
  }
  QApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
