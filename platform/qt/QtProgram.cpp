#include "platform/qt/QtProgram.h"

#include <QApplication>

namespace platform::qt {

QtProgram::QtProgram(int& argc, char** argv)
    : application_(std::make_unique<QApplication>(argc, argv)), toolkit_(std::make_unique<QtToolkit>()) {
  // The program ends through its own exit question, not when its last window happens to close.
  QApplication::setQuitOnLastWindowClosed(false);
}

QtProgram::~QtProgram() = default;

int QtProgram::exec() {
  const int status = QApplication::exec();
  return toolkit_->isEnding() ? toolkit_->exitCode() : status;
}

}  // namespace platform::qt
