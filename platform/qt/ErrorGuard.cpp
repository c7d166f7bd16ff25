#include "platform/qt/ErrorGuard.h"

#include <exception>
#include <utility>

#include "platform/qt/PlatformMessageBox.h"
#include "platform/qt/QtToolkit.h"
#include "platform/qt/WindowRegistry.h"
#include "platform/ui/Application.h"
#include "platform/ui/UiError.h"

namespace platform::qt {

ErrorGuard::ErrorGuard(QtToolkit& toolkit, const WindowRegistry& windows, std::string programTitle)
    : toolkit_(toolkit), windows_(windows), programTitle_(std::move(programTitle)) {}

bool ErrorGuard::run(ui::Application& app, const std::function<void()>& call) {
  if (toolkit_.isEnding()) return false;
  try {
    call();
    return true;
  } catch (const ui::ProgramEnded& ended) {
    // Application::endProgram has normally told the toolkit already; nothing more is dispatched.
    if (!toolkit_.isEnding()) toolkit_.programEnding(ended.exitCode());
  } catch (const std::exception& error) {
    reportUntrappedError(app, QString::fromUtf8(error.what()));
  } catch (...) {
    reportUntrappedError(app, QStringLiteral("不明なエラー"));
  }
  return false;
}

// As the original desktop's run-time error report: a critical message, then the program ends with status 1.
void ErrorGuard::reportUntrappedError(ui::Application& app, const QString& text) {
  if (toolkit_.isEnding()) return;
  PlatformMessageBox box(QStringLiteral("実行時エラー\n\n") + text, ui::mb::Critical,
                         QString::fromStdString(programTitle_), windows_.dialogParent());
  box.exec();
  try {
    app.endProgram(1);
  } catch (const ui::ProgramEnded&) {
    // expected: endProgram always unwinds, and this is where unwinding stops
  }
}

}  // namespace platform::qt
