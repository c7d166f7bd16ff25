#include "platform/qt/ModalLoop.h"

#include <QEventLoop>
#include <QPointer>

#include "platform/qt/FormWindow.h"

namespace platform::qt {

void runModalLoop(FormWindow& window) {
  if (window.windowModality() != Qt::ApplicationModal) {
    // Modality can only change while the window is hidden.
    window.hide();
    window.setWindowModality(Qt::ApplicationModal);
    window.show();
    window.raise();
    window.activateWindow();
    window.showModelFocus();
  }
  QEventLoop loop;
  const QPointer<FormWindow> alive(&window);
  window.setModalLoop(&loop);
  loop.exec(QEventLoop::DialogExec);
  if (alive) alive->setModalLoop(nullptr);
}

}  // namespace platform::qt
