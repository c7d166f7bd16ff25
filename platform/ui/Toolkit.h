#pragma once

#include <chrono>
#include <functional>
#include <string>

#include "platform/ui/UiTypes.h"

namespace platform::ui {

class Application;
class Form;

// What the control model needs from a real windowing toolkit (or from the headless one of the tests).
class Toolkit {
 public:
  virtual ~Toolkit() = default;

  virtual mb::Answer messageBox(const std::string& prompt, int flags, const std::string& title) = 0;
  virtual void mousePointerChanged(MousePointer pointer) = 0;
  virtual int screenWidthTwips() const = 0;
  virtual int screenHeightTwips() const = 0;
  virtual std::string clipboardText() const = 0;
  virtual void setClipboardText(const std::string& text) = 0;

  // A form becomes visible (modeless) or is run modally; runModal returns once the form is hidden.
  virtual void showForm(Form& form) = 0;
  virtual void runModal(Form& form) = 0;
  virtual void hideForm(Form& form) = 0;
  virtual void unloadForm(Form& form) = 0;

  // The program is about to end with this status; no model event may run afterwards.
  virtual void programEnding(int exitCode) = 0;

  // Runs `work` once on the event loop, after the events already waiting, as one more event of `app`: never
  // inside the caller, never once the program is ending.
  virtual void post(Application& app, std::function<void()> work) = 0;
  // How long one slice of a long task may run before the waiting input and paints get their turn.
  virtual std::chrono::milliseconds sliceTime() const = 0;
};

}  // namespace platform::ui
