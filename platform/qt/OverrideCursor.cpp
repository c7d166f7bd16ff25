#include "platform/qt/OverrideCursor.h"

#include <QCursor>
#include <QGuiApplication>

namespace platform::qt {

void OverrideCursor::show(ui::MousePointer pointer) {
  if (pointer != ui::MousePointer::Arrow && pointer != ui::MousePointer::Hourglass) {
    clear();  // each control shows its own pointer again
    return;
  }
  const Qt::CursorShape shape = pointer == ui::MousePointer::Hourglass ? Qt::WaitCursor : Qt::ArrowCursor;
  // One override at most: Qt keeps a stack of them, and one restore must empty it.
  if (set_) {
    QGuiApplication::changeOverrideCursor(QCursor(shape));
  } else {
    QGuiApplication::setOverrideCursor(QCursor(shape));
    set_ = true;
  }
}

void OverrideCursor::clear() {
  if (!set_) return;
  QGuiApplication::restoreOverrideCursor();
  set_ = false;
}

}  // namespace platform::qt
