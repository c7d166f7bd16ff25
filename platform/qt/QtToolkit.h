#pragma once

#include <QObject>
#include <chrono>
#include <functional>
#include <string>

#include "platform/qt/ErrorGuard.h"
#include "platform/qt/FontResolver.h"
#include "platform/qt/KeyRouter.h"
#include "platform/qt/OverrideCursor.h"
#include "platform/qt/PostedWork.h"
#include "platform/qt/TwipScale.h"
#include "platform/qt/WindowRegistry.h"
#include "platform/ui/Toolkit.h"

class QWidget;

namespace platform::ui {
class Application;
class Control;
class Form;
}  // namespace platform::ui

namespace platform::qt {

class FormWindow;

// The Qt 6 Widgets face of the control model. It owns nothing of the model: it creates a window for a form
// the first time it is shown, mirrors every change the model reports, and feeds real input back to the
// model, which decides what each keystroke does. A QApplication must exist for its whole life.
class QtToolkit final : public QObject, public ui::Toolkit {
  Q_OBJECT

 public:
  // programTitle: the title of the run-time error report.
  explicit QtToolkit(std::string programTitle);
  ~QtToolkit() override;
  QtToolkit(const QtToolkit&) = delete;
  QtToolkit& operator=(const QtToolkit&) = delete;

  ui::mb::Answer messageBox(const std::string& prompt, int flags, const std::string& title) override;
  void mousePointerChanged(ui::MousePointer pointer) override { cursor_.show(pointer); }
  int screenWidthTwips() const override;
  int screenHeightTwips() const override;
  std::string clipboardText() const override;
  void setClipboardText(const std::string& text) override;
  void showForm(ui::Form& form) override;
  void runModal(ui::Form& form) override;
  void hideForm(ui::Form& form) override;
  void unloadForm(ui::Form& form) override;
  void programEnding(int exitCode) override;
  // Also waits for the windows just shown to be painted: the operator sees a window before work goes on.
  void post(ui::Application& app, std::function<void()> work) override;
  // Short enough that keys and paints never wait noticeably.
  std::chrono::milliseconds sliceTime() const override { return std::chrono::milliseconds{12}; }

  // The status the program ends with (0 until it ends), for main().
  int exitCode() const { return exitCode_; }
  bool isEnding() const { return ending_; }

  // The window of a shown form and the widget of a control on it; null when there is none.
  QWidget* windowOf(const ui::Form& form) const;
  QWidget* widgetOf(const ui::Control& control) const;

  // The one way from a Qt event handler into the model. Nothing runs once the program is ending; an
  // error that no procedure trapped is reported and ends the program with status 1. Returns whether the call
  // ran to its end.
  bool guard(ui::Form& form, const std::function<void()>& call);
  // The same for code that runs outside any form's events (the start-up).
  bool guard(ui::Application& app, const std::function<void()>& call) { return errorGuard_.run(app, call); }

  const FontResolver& fonts() const { return fonts_; }
  TwipScale twipScale() const { return TwipScale::ofPrimaryScreen(); }

  // A form is gone while its window lives: the window is dropped.
  void dropWindow(FormWindow& window);

 private:
  [[noreturn]] void keepUnwinding() const;

  // Destroyed in reverse: the cursor is restored and input and posted work stop before the windows go.
  FontResolver fonts_;
  WindowRegistry windows_;
  KeyRouter keys_;
  PostedWork posted_;
  OverrideCursor cursor_;
  ErrorGuard errorGuard_;
  bool ending_ = false;
  int exitCode_ = 0;
};

}  // namespace platform::qt
