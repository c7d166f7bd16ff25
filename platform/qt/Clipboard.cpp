#include "platform/qt/Clipboard.h"

#include <QClipboard>
#include <QGuiApplication>

namespace platform::qt {

std::string clipboardText() { return QGuiApplication::clipboard()->text().toStdString(); }

void setClipboardText(const std::string& text) { QGuiApplication::clipboard()->setText(QString::fromStdString(text)); }

}  // namespace platform::qt
