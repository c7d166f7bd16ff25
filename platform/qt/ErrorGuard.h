#pragma once

#include <QString>
#include <functional>
#include <string>

namespace platform::ui {
class Application;
}

namespace platform::qt {

class QtToolkit;
class WindowRegistry;

// The boundary between Qt's events and the model: an error that no procedure trapped is reported as the
// original desktop's run-time error (a critical message titled with the program's title) and ends the
// program with status 1; the end of the program stops there too.
class ErrorGuard {
 public:
  ErrorGuard(QtToolkit& toolkit, const WindowRegistry& windows, std::string programTitle);

  // Runs the call unless the program is ending; returns whether it ran to its end.
  bool run(ui::Application& app, const std::function<void()>& call);

 private:
  void reportUntrappedError(ui::Application& app, const QString& text);

  QtToolkit& toolkit_;
  const WindowRegistry& windows_;
  std::string programTitle_;
};

}  // namespace platform::qt
