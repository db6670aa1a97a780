#include <gtest/gtest.h>

#include <QApplication>

// Every test runs against real widgets on the offscreen platform.
int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  // As the program names itself, so untitled windows read the same in tests.
  QApplication::setApplicationName(QStringLiteral("Wrenfold"));
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
