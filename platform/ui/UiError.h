#pragma once

#include <stdexcept>
#include <string>

namespace platform::ui {

// A misuse of the control model: a missing control, focus to a control that cannot take it.
class UiError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Thrown by Application::endProgram to unwind to the entry point or the toolkit's event boundary.
class ProgramEnded {
 public:
  explicit ProgramEnded(int exitCode) : exitCode_(exitCode) {}
  int exitCode() const { return exitCode_; }

 private:
  int exitCode_;
};

}  // namespace platform::ui
