#pragma once

#include <QObject>
#include <QPointer>
#include <QString>
#include <chrono>
#include <deque>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "platform/qt/FontResolver.h"
#include "platform/qt/TwipScale.h"
#include "platform/ui/Toolkit.h"

class QKeyEvent;
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
  explicit QtToolkit(std::string programTitle = "MNT4820");
  ~QtToolkit() override;
  QtToolkit(const QtToolkit&) = delete;
  QtToolkit& operator=(const QtToolkit&) = delete;

  ui::mb::Answer messageBox(const std::string& prompt, int flags, const std::string& title) override;
  void mousePointerChanged(ui::MousePointer pointer) override;
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
  bool saveScreenshot(const ui::Form& form, const QString& path) const;

  // The window of a shown form and the widget of a control on it; null when there is none.
  QWidget* windowOf(const ui::Form& form) const;
  QWidget* widgetOf(const ui::Control& control) const;

  // The one way from a Qt event handler into the model. Nothing runs once the program is ending; an
  // error that no procedure trapped is reported and ends the program with status 1. Returns whether the call
  // ran to its end.
  bool guard(ui::Form& form, const std::function<void()>& call);
  // The same for code that runs outside any form's events (the start-up).
  bool guard(ui::Application& app, const std::function<void()>& call);

  const FontResolver& fonts() const { return fonts_; }
  TwipScale twipScale() const { return TwipScale::ofPrimaryScreen(); }

  // A form is gone while its window lives: the window is dropped.
  void dropWindow(FormWindow& window);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  FormWindow* windowOfWidget(const QWidget* widget) const;
  FormWindow* findWindow(const ui::Form& form) const;
  void deliverKey(FormWindow& window, const QKeyEvent& event);
  void focusChanged(QWidget* now);
  void reportUntrappedError(ui::Application& app, const QString& text);
  QWidget* dialogParent() const;
  void setOverrideCursor(Qt::CursorShape shape);
  void clearOverrideCursor();
  [[noreturn]] void keepUnwinding() const;
  void schedulePosted();
  // A window shown has been painted (or hidden, or given up on): the posted work held for it goes on.
  void windowPainted(const QWidget* window);

  std::string programTitle_;
  FontResolver fonts_;
  std::map<const ui::Form*, FormWindow*> windows_;
  bool ending_ = false;
  int exitCode_ = 0;
  bool overrideCursor_ = false;
  // The widget that a mouse click is focusing, between its focus-in event and Qt's focus-changed signal.
  QPointer<QWidget> mouseFocusTarget_;
  // The work posted and not yet run; it waits while a window shown is not yet painted.
  std::deque<std::function<void()>> posted_;
  bool postedScheduled_ = false;
  static constexpr int FirstPaintWait = 1000;  // ms
  std::vector<const QWidget*> unpainted_;
};

}  // namespace platform::qt
