#pragma once

#include <memory>
#include <string>

#include "platform/qt/QtToolkit.h"

class QApplication;

namespace platform::qt {

// The Qt side of a program's process: the application object, the toolkit on it, and the event loop.
class QtProgram {
 public:
  // Qt is given the program's name only: the command line belongs to the program (an operator code such as
  // "-reverse" is no Qt option). Qt's own settings stay reachable through its environment variables.
  // programTitle: the title of the run-time error report.
  QtProgram(char* programName, std::string programTitle);
  ~QtProgram();
  QtProgram(const QtProgram&) = delete;
  QtProgram& operator=(const QtProgram&) = delete;

  QtToolkit& toolkit() { return *toolkit_; }
  // Runs the event loop until the program ends; returns its exit status.
  int exec();

 private:
  // QApplication keeps referring to its argc and argv for its whole life.
  int qtArgc_ = 1;
  char* qtArgv_[2];
  std::unique_ptr<QApplication> application_;
  std::unique_ptr<QtToolkit> toolkit_;
};

}  // namespace platform::qt
