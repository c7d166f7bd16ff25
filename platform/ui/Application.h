#pragma once

#include <chrono>
#include <functional>
#include <string>
#include <string_view>
#include <utility>

#include "platform/ui/Toolkit.h"
#include "platform/ui/UiTypes.h"

namespace platform::ui {

// The program-wide services of the desktop: message boxes, the mouse pointer, the screen, the way out.
class Application {
 public:
  explicit Application(Toolkit& toolkit) : toolkit_(toolkit) {}
  Application(const Application&) = delete;
  Application& operator=(const Application&) = delete;

  Toolkit& toolkit() { return toolkit_; }

  mb::Answer messageBox(const std::string& prompt, int flags, const std::string& title);

  MousePointer mousePointer() const { return pointer_; }
  void setMousePointer(MousePointer pointer);

  // Work to be done on the event loop, after the input and paints already waiting: a long task cut into pieces,
  // each piece posting the next, leaves the program answering the operator in between. An error that the work
  // does not trap ends the program, as in any event.
  void post(std::function<void()> work) { toolkit_.post(*this, std::move(work)); }
  std::chrono::milliseconds sliceTime() const { return toolkit_.sliceTime(); }

  // Moments of a run that someone outside the model times (a benchmark of the start-up): whoever wants them
  // installs the hook, and without one a moment costs nothing.
  using MomentHook = std::function<void(std::string_view name)>;
  void setMomentHook(MomentHook hook) { momentHook_ = std::move(hook); }
  void moment(std::string_view name) const {
    if (momentHook_) momentHook_(name);
  }

  int screenWidthTwips() const { return toolkit_.screenWidthTwips(); }
  int screenHeightTwips() const { return toolkit_.screenHeightTwips(); }

  // Ends the program at once with the exit status: throws ProgramEnded, which the entry point or the toolkit's
  // event boundary catches.
  [[noreturn]] void endProgram(int exitCode);
  bool hasEnded() const { return ended_; }

 private:
  Toolkit& toolkit_;
  MousePointer pointer_ = MousePointer::Default;
  bool ended_ = false;
  MomentHook momentHook_;
};

}  // namespace platform::ui
