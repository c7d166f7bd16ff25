#include "platform/ui/Application.h"

#include "platform/ui/UiError.h"

namespace platform::ui {

mb::Answer Application::messageBox(const std::string& prompt, int flags, const std::string& title) {
  return toolkit_.messageBox(prompt, flags, title);
}

void Application::setMousePointer(MousePointer pointer) {
  pointer_ = pointer;
  toolkit_.mousePointerChanged(pointer);
}

void Application::endProgram(int exitCode) {
  if (!ended_) {
    ended_ = true;
    toolkit_.programEnding(exitCode);
  }
  throw ProgramEnded(exitCode);
}

}  // namespace platform::ui
