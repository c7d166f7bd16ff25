#pragma once

#include <memory>

#include "platform/qt/QtToolkit.h"

class QApplication;

namespace platform::qt {

// The Qt side of a program's process: the application object, the toolkit on it, and the event loop.
class QtProgram {
 public:
  // Qt takes its own options out of the command line here.
  QtProgram(int& argc, char** argv);
  ~QtProgram();
  QtProgram(const QtProgram&) = delete;
  QtProgram& operator=(const QtProgram&) = delete;

  QtToolkit& toolkit() { return *toolkit_; }
  // Runs the event loop until the program ends; returns its exit status.
  int exec();

 private:
  std::unique_ptr<QApplication> application_;
  std::unique_ptr<QtToolkit> toolkit_;
};

}  // namespace platform::qt
