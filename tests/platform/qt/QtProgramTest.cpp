// The program's command line is its own: words that Qt would take as its options reach the program whole.
// An executable of its own, as the process may hold only the one application object that QtProgram makes.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QGuiApplication>
#include <cstdlib>

#include "platform/qt/QtProgram.h"
#include "platform/system/ProcessInfo.h"

namespace {

TEST(QtProgram, LeavesTheCommandLineToTheProgram) {
  char name[] = "mnt4820", reverse[] = "-reverse", session[] = "-session", x[] = "x", platform[] = "-platform",
       xcb[] = "xcb";
  char* argv[] = {name, reverse, session, x, platform, xcb, nullptr};
  const int argc = 6;
  setenv("QT_QPA_PLATFORM", "offscreen", 1);
  const platform::qt::QtProgram qt(argv[0], "QtProgramTest");
  EXPECT_EQ(platform::commandLineText(argc, argv), "-reverse -session x -platform xcb");
  EXPECT_EQ(QGuiApplication::layoutDirection(), Qt::LeftToRight);
  EXPECT_EQ(QGuiApplication::platformName(), "offscreen");
  EXPECT_EQ(QCoreApplication::arguments(), QStringList{"mnt4820"});
}

}  // namespace
