#include "platform/qt/QtToolkit.h"

#include <QApplication>
#include <QPointer>
#include <QScreen>
#include <QWindow>
#include <utility>

#include "platform/qt/Clipboard.h"
#include "platform/qt/FormWindow.h"
#include "platform/qt/ModalLoop.h"
#include "platform/qt/PlatformMessageBox.h"
#include "platform/ui/Application.h"
#include "platform/ui/Control.h"
#include "platform/ui/Form.h"
#include "platform/ui/UiError.h"

namespace platform::qt {

namespace {

FontResolver fontsOfTheApplication() {
  if (qobject_cast<QApplication*>(QCoreApplication::instance()) == nullptr) {
    throw ui::UiError("the Qt toolkit needs a QApplication");
  }
  return FontResolver::fromFontDatabase();
}

}  // namespace

QtToolkit::QtToolkit(std::string programTitle)
    : fonts_(fontsOfTheApplication()), keys_(*this, windows_), errorGuard_(*this, windows_, std::move(programTitle)) {}

QtToolkit::~QtToolkit() = default;

QWidget* QtToolkit::windowOf(const ui::Form& form) const { return windows_.find(form); }

QWidget* QtToolkit::widgetOf(const ui::Control& control) const {
  if (control.form() == nullptr) return nullptr;
  const FormWindow* window = windows_.find(*control.form());
  return window != nullptr ? window->widgetOf(control) : nullptr;
}

void QtToolkit::post(ui::Application& app, std::function<void()> work) {
  posted_.post([this, &app, work = std::move(work)] { guard(app, work); });
}

bool QtToolkit::guard(ui::Form& form, const std::function<void()>& call) { return guard(form.application(), call); }

void QtToolkit::keepUnwinding() const { throw ui::ProgramEnded(exitCode_); }

ui::mb::Answer QtToolkit::messageBox(const std::string& prompt, int flags, const std::string& title) {
  if (ending_) keepUnwinding();
  PlatformMessageBox box(QString::fromStdString(prompt), flags, QString::fromStdString(title), windows_.dialogParent());
  box.exec();
  if (ending_) keepUnwinding();
  return box.answer();
}

int QtToolkit::screenWidthTwips() const {
  const QScreen* screen = QGuiApplication::primaryScreen();
  return screen != nullptr ? TwipScale::ofScreen(screen).toTwipsX(screen->geometry().width()) : 0;
}

int QtToolkit::screenHeightTwips() const {
  const QScreen* screen = QGuiApplication::primaryScreen();
  return screen != nullptr ? TwipScale::ofScreen(screen).toTwipsY(screen->geometry().height()) : 0;
}

std::string QtToolkit::clipboardText() const { return qt::clipboardText(); }

void QtToolkit::setClipboardText(const std::string& text) { qt::setClipboardText(text); }

void QtToolkit::showForm(ui::Form& form) {
  if (ending_) keepUnwinding();
  FormWindow* window = windows_.find(form);
  if (window == nullptr) {
    window = new FormWindow(*this, form);
    windows_.add(form, window);
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
    posted_.windowShown(window);
  }
  window->showModelFocus();
}

void QtToolkit::runModal(ui::Form& form) {
  if (ending_) keepUnwinding();
  FormWindow* window = windows_.find(form);
  if (window == nullptr || !form.isVisible()) return;
  runModalLoop(*window);
  // The program ended inside the loop: the model code that showed the form must not go on.
  if (ending_) keepUnwinding();
}

void QtToolkit::hideForm(ui::Form& form) {
  FormWindow* window = windows_.find(form);
  if (window == nullptr) return;
  posted_.windowPainted(window);
  window->hide();
  window->setWindowModality(Qt::NonModal);
  window->quitModalLoop();
}

void QtToolkit::unloadForm(ui::Form& form) {
  if (FormWindow* window = windows_.find(form)) dropWindow(*window);
}

void QtToolkit::dropWindow(FormWindow& window) {
  windows_.remove(window);
  posted_.windowPainted(&window);
  window.detach();
  window.hide();
  // Later: the window may be in the middle of handling one of its own events.
  window.deleteLater();
}

void QtToolkit::programEnding(int exitCode) {
  if (ending_) return;
  ending_ = true;
  exitCode_ = exitCode;
  cursor_.clear();
  windows_.forEach([](FormWindow& window) {
    window.hide();
    window.quitModalLoop();
  });
  // Ends the main loop and every nested one.
  QCoreApplication::exit(exitCode);
}

}  // namespace platform::qt
