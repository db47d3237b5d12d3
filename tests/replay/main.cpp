// The end-to-end tests start kvotlk-replay as a process of its own.
#include <QCoreApplication>

#include <gtest/gtest.h>

int main(int argc, char* argv[]) {
  QCoreApplication application(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
