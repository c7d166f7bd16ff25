#include "platform/qt/QtProgram.h"

#include <QApplication>
#include <utility>

namespace platform::qt {

namespace {
// For a process started with no arguments at all, not even its name.
char unnamed[] = "program";
}  // namespace

QtProgram::QtProgram(char* programName, std::string programTitle)
    : qtArgv_{programName != nullptr ? programName : unnamed, nullptr},
      application_(std::make_unique<QApplication>(qtArgc_, qtArgv_)),
      toolkit_(std::make_unique<QtToolkit>(std::move(programTitle))) {
  // The program ends through its own exit question, not when its last window happens to close.
  QApplication::setQuitOnLastWindowClosed(false);
}

QtProgram::~QtProgram() = default;

int QtProgram::exec() {
  const int status = QApplication::exec();
  return toolkit_->isEnding() ? toolkit_->exitCode() : status;
}

}  // namespace platform::qt
