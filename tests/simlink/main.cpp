// The tests of the simulator and its link need an application object: the link works in
// its event loop, and the simulator's window is a widget.
#include <QApplication>

#include <gtest/gtest.h>

int main(int argc, char* argv[]) {
  QApplication application(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
