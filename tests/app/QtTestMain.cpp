// main() of the window tests: the windows need a QApplication (offscreen in the tests).
#include <gtest/gtest.h>

#include <QApplication>

int main(int argc, char* argv[]) {
  ::testing::InitGoogleTest(&argc, argv);
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("KVOTLK"));
  return RUN_ALL_TESTS();
}
