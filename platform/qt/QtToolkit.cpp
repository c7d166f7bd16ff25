#include "platform/qt/QtToolkit.h"

#include <QApplication>
#include <QClipboard>
#include <QCursor>
#include <QEventLoop>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QPixmap>
#include <QScreen>
#include <QTimer>
#include <QWindow>
#include <algorithm>
#include <exception>
#include <utility>

#include "platform/qt/FormWindow.h"
#include "platform/qt/KeyTranslation.h"
#include "platform/qt/PlatformMessageBox.h"
#include "platform/ui/Application.h"
#include "platform/ui/Control.h"
#include "platform/ui/Form.h"
#include "platform/ui/UiError.h"

namespace platform::qt {

namespace {

QApplication& application() {
  auto* app = qobject_cast<QApplication*>(QCoreApplication::instance());
  if (app == nullptr) throw ui::UiError("the Qt toolkit needs a QApplication");
  return *app;
}

}  // namespace

QtToolkit::QtToolkit(std::string programTitle)
    : programTitle_(std::move(programTitle)), fonts_(FontResolver::fromFontDatabase()) {
  QApplication& app = application();
  // The window sees every key before its controls do (key preview): only a filter on the application is
  // asked before the focus widget.
  app.installEventFilter(this);
  connect(&app, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) { focusChanged(now); });
}

QtToolkit::~QtToolkit() {
  if (QCoreApplication* app = QCoreApplication::instance()) {
    app->removeEventFilter(this);
    disconnect(app, nullptr, this, nullptr);
  }
  clearOverrideCursor();
  const auto windows = std::exchange(windows_, {});
  for (const auto& [form, window] : windows) {
    window->detach();
    delete window;
  }
}

FormWindow* QtToolkit::findWindow(const ui::Form& form) const {
  const auto it = windows_.find(&form);
  return it != windows_.end() ? it->second : nullptr;
}

FormWindow* QtToolkit::windowOfWidget(const QWidget* widget) const {
  const QWidget* top = widget->window();
  for (const auto& [form, window] : windows_) {
    if (window == top) return window;
  }
  return nullptr;
}

QWidget* QtToolkit::windowOf(const ui::Form& form) const { return findWindow(form); }

QWidget* QtToolkit::widgetOf(const ui::Control& control) const {
  if (control.form() == nullptr) return nullptr;
  const FormWindow* window = findWindow(*control.form());
  return window != nullptr ? window->widgetOf(control) : nullptr;
}

void QtToolkit::post(ui::Application& app, std::function<void()> work) {
  posted_.push_back([this, &app, work = std::move(work)] { guard(app, work); });
  schedulePosted();
}

// Each piece of posted work is one queued call, one more event: Qt takes the input and paints that are waiting
// before it, and work that posts the next piece gives them their turn again.
void QtToolkit::schedulePosted() {
  if (postedScheduled_ || posted_.empty() || !unpainted_.empty()) return;
  postedScheduled_ = true;
  QMetaObject::invokeMethod(
      this,
      [this] {
        postedScheduled_ = false;
        if (posted_.empty() || !unpainted_.empty()) return;
        const std::function<void()> call = std::move(posted_.front());
        posted_.pop_front();
        call();
        schedulePosted();
      },
      Qt::QueuedConnection);
}

void QtToolkit::windowPainted(const QWidget* window) {
  const auto it = std::find(unpainted_.begin(), unpainted_.end(), window);
  if (it == unpainted_.end()) return;
  unpainted_.erase(it);
  schedulePosted();
}

bool QtToolkit::guard(ui::Form& form, const std::function<void()>& call) { return guard(form.application(), call); }

bool QtToolkit::guard(ui::Application& app, const std::function<void()>& call) {
  if (ending_) return false;
  try {
    call();
    return true;
  } catch (const ui::ProgramEnded& ended) {
    // Application::endProgram has normally told us already; nothing more is dispatched.
    if (!ending_) programEnding(ended.exitCode());
  } catch (const std::exception& error) {
    reportUntrappedError(app, QString::fromUtf8(error.what()));
  } catch (...) {
    reportUntrappedError(app, QStringLiteral("不明なエラー"));
  }
  return false;
}

// As the original desktop's run-time error report: a critical message, then the program ends with status 1.
void QtToolkit::reportUntrappedError(ui::Application& app, const QString& text) {
  if (ending_) return;
  PlatformMessageBox box(QStringLiteral("実行時エラー\n\n") + text, ui::mb::Critical,
                         QString::fromStdString(programTitle_), dialogParent());
  box.exec();
  try {
    app.endProgram(1);
  } catch (const ui::ProgramEnded&) {
    // expected: endProgram always unwinds, and this is where unwinding stops
  }
}

void QtToolkit::keepUnwinding() const { throw ui::ProgramEnded(exitCode_); }

bool QtToolkit::eventFilter(QObject* watched, QEvent* event) {
  const QEvent::Type type = event->type();
  if (type == QEvent::Paint && !unpainted_.empty()) {
    if (auto* widget = qobject_cast<QWidget*>(watched)) windowPainted(widget->window());
    return false;
  }
  if (type != QEvent::ShortcutOverride && type != QEvent::KeyPress && type != QEvent::KeyRelease &&
      type != QEvent::FocusIn) {
    return false;
  }
  auto* widget = qobject_cast<QWidget*>(watched);
  FormWindow* window = widget != nullptr ? windowOfWidget(widget) : nullptr;
  if (window == nullptr) return false;

  switch (type) {
    case QEvent::FocusIn:
      if (static_cast<QFocusEvent*>(event)->reason() == Qt::MouseFocusReason) mouseFocusTarget_ = widget;
      return false;
    case QEvent::ShortcutOverride:
      // Accepting it keeps Qt from running button mnemonics as shortcuts: Alt+letter reaches the model,
      // whose access-key logic clicks the button once.
      event->accept();
      return true;
    default:
      // The model decides what every key does; the widgets never edit by themselves.
      deliverKey(*window, *static_cast<QKeyEvent*>(event));
      return true;
  }
}

void QtToolkit::deliverKey(FormWindow& window, const QKeyEvent& event) {
  ui::Form* form = window.form();
  if (form == nullptr || ending_) return;
  const std::optional<KeyStroke> stroke = translateKey(event);
  if (!stroke) return;
  if (event.type() == QEvent::KeyPress) {
    const QPointer<FormWindow> alive(&window);
    guard(*form, [&] {
      form->keyDown(stroke->keyCode, stroke->shift, stroke->character);
      if (!stroke->followingText.empty() && alive && alive->form() == form) form->inputText(stroke->followingText);
    });
  } else if (!event.isAutoRepeat()) {
    // Auto-repeat sends only key-downs on the original desktop.
    guard(*form, [&] { form->keyUp(stroke->keyCode, stroke->shift); });
  }
}

void QtToolkit::focusChanged(QWidget* now) {
  if (ending_ || now == nullptr) return;
  const bool byMouse = mouseFocusTarget_ == now;
  mouseFocusTarget_.clear();
  if (FormWindow* window = windowOfWidget(now)) window->widgetFocused(now, byMouse);
}

QWidget* QtToolkit::dialogParent() const {
  // Over a modal form (the code search) the box must stand on it, not on the window it blocks.
  if (QWidget* modal = QApplication::activeModalWidget(); modal != nullptr && windowOfWidget(modal) != nullptr) {
    return modal;
  }
  if (QWidget* active = QApplication::activeWindow(); active != nullptr && windowOfWidget(active) != nullptr) {
    return active;
  }
  for (const auto& [form, window] : windows_) {
    if (window->isVisible()) return window;
  }
  return nullptr;  // no window shown yet (start-up): the box stands on its own
}

ui::mb::Answer QtToolkit::messageBox(const std::string& prompt, int flags, const std::string& title) {
  if (ending_) keepUnwinding();
  PlatformMessageBox box(QString::fromStdString(prompt), flags, QString::fromStdString(title), dialogParent());
  box.exec();
  if (ending_) keepUnwinding();
  return box.answer();
}

void QtToolkit::setOverrideCursor(Qt::CursorShape shape) {
  if (overrideCursor_) {
    QGuiApplication::changeOverrideCursor(QCursor(shape));
  } else {
    QGuiApplication::setOverrideCursor(QCursor(shape));
    overrideCursor_ = true;
  }
}

void QtToolkit::clearOverrideCursor() {
  if (!overrideCursor_) return;
  QGuiApplication::restoreOverrideCursor();
  overrideCursor_ = false;
}

void QtToolkit::mousePointerChanged(ui::MousePointer pointer) {
  switch (pointer) {
    case ui::MousePointer::Arrow: setOverrideCursor(Qt::ArrowCursor); break;
    case ui::MousePointer::Hourglass: setOverrideCursor(Qt::WaitCursor); break;
    default:
      clearOverrideCursor();  // each control shows its own pointer again
      break;
  }
}

int QtToolkit::screenWidthTwips() const {
  const QScreen* screen = QGuiApplication::primaryScreen();
  return screen != nullptr ? TwipScale::ofScreen(screen).toTwipsX(screen->geometry().width()) : 0;
}

int QtToolkit::screenHeightTwips() const {
  const QScreen* screen = QGuiApplication::primaryScreen();
  return screen != nullptr ? TwipScale::ofScreen(screen).toTwipsY(screen->geometry().height()) : 0;
}

std::string QtToolkit::clipboardText() const { return QGuiApplication::clipboard()->text().toStdString(); }

void QtToolkit::setClipboardText(const std::string& text) {
  QGuiApplication::clipboard()->setText(QString::fromStdString(text));
}

void QtToolkit::showForm(ui::Form& form) {
  if (ending_) keepUnwinding();
  FormWindow* window = findWindow(form);
  if (window == nullptr) {
    window = new FormWindow(*this, form);
    windows_.emplace(&form, window);
  }
  if (!window->isVisible()) {
    window->setWindowModality(Qt::NonModal);
    // A window opened without blocking from a modal one (the password change from the sign-on) would be
    // blocked by its opener: it belongs to the opener instead, as on the original desktop.
    QWidget* opener = QApplication::activeModalWidget();
    window->winId();
    window->windowHandle()->setTransientParent(opener != nullptr && opener != window ? opener->windowHandle()
                                                                                     : nullptr);
    window->show();
    window->raise();
    window->activateWindow();
    // Work posted meanwhile waits until the operator sees the window (at most a second, for a window that a
    // desktop never exposes).
    unpainted_.push_back(window);
    QTimer::singleShot(FirstPaintWait, this, [this, window = QPointer<QWidget>(window)] { windowPainted(window); });
  }
  window->showModelFocus();
}

void QtToolkit::runModal(ui::Form& form) {
  if (ending_) keepUnwinding();
  FormWindow* window = findWindow(form);
  if (window == nullptr || !form.isVisible()) return;
  if (window->windowModality() != Qt::ApplicationModal) {
    // Modality can only change while the window is hidden.
    window->hide();
    window->setWindowModality(Qt::ApplicationModal);
    window->show();
    window->raise();
    window->activateWindow();
    window->showModelFocus();
  }
  QEventLoop loop;
  const QPointer<FormWindow> alive(window);
  window->setModalLoop(&loop);
  loop.exec(QEventLoop::DialogExec);
  if (alive) alive->setModalLoop(nullptr);
  // The program ended inside the loop: the model code that showed the form must not go on.
  if (ending_) keepUnwinding();
}

void QtToolkit::hideForm(ui::Form& form) {
  FormWindow* window = findWindow(form);
  if (window == nullptr) return;
  windowPainted(window);
  window->hide();
  window->setWindowModality(Qt::NonModal);
  window->quitModalLoop();
}

void QtToolkit::unloadForm(ui::Form& form) {
  if (FormWindow* window = findWindow(form)) dropWindow(*window);
}

void QtToolkit::dropWindow(FormWindow& window) {
  for (auto it = windows_.begin(); it != windows_.end(); ++it) {
    if (it->second == &window) {
      windows_.erase(it);
      break;
    }
  }
  windowPainted(&window);
  window.detach();
  window.hide();
  // Later: the window may be in the middle of handling one of its own events.
  window.deleteLater();
}

void QtToolkit::programEnding(int exitCode) {
  if (ending_) return;
  ending_ = true;
  exitCode_ = exitCode;
  clearOverrideCursor();
  for (const auto& [form, window] : windows_) {
    window->hide();
    window->quitModalLoop();
  }
  // Ends the main loop and every nested one.
  QCoreApplication::exit(exitCode);
}

bool QtToolkit::saveScreenshot(const ui::Form& form, const QString& path) const {
  FormWindow* window = findWindow(form);
  return window != nullptr && window->grab().save(path);
}

}  // namespace platform::qt
