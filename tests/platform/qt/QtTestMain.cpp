#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <cstdlib>

// The widgets run on the offscreen platform, so the tests need no display; the QApplication lives for the
// whole run because every test needs one.
int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  char runtimeDir[] = "/tmp/mnt4820-qt-test-XXXXXX";  // mkdtemp makes it 0700, as Qt wants
  if (mkdtemp(runtimeDir) == nullptr) return 2;
  setenv("XDG_RUNTIME_DIR", runtimeDir, 1);
  setenv("QT_QPA_PLATFORM", "offscreen", 1);
  int result = 0;
  {
    QApplication app(argc, argv);
    result = RUN_ALL_TESTS();
  }
  QDir(QString::fromLocal8Bit(runtimeDir)).removeRecursively();
  return result;
}
