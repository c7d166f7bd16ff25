#include "platform/qt/PostedWork.h"

#include <QCoreApplication>
#include <QEvent>
#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <algorithm>
#include <utility>

namespace platform::qt {

PostedWork::PostedWork() {
  // Paints reach the window's children first: only a filter on the application sees them all.
  if (QCoreApplication* app = QCoreApplication::instance()) app->installEventFilter(this);
}

PostedWork::~PostedWork() {
  if (QCoreApplication* app = QCoreApplication::instance()) app->removeEventFilter(this);
}

void PostedWork::post(std::function<void()> work) {
  posted_.push_back(std::move(work));
  schedule();
}

// Each piece of posted work is one queued call, one more event: Qt takes the input and paints that are waiting
// before it, and work that posts the next piece gives them their turn again.
void PostedWork::schedule() {
  if (scheduled_ || posted_.empty() || !unpainted_.empty()) return;
  scheduled_ = true;
  QMetaObject::invokeMethod(
      this,
      [this] {
        scheduled_ = false;
        if (posted_.empty() || !unpainted_.empty()) return;
        const std::function<void()> call = std::move(posted_.front());
        posted_.pop_front();
        call();
        schedule();
      },
      Qt::QueuedConnection);
}

void PostedWork::windowShown(QWidget* window) {
  unpainted_.push_back(window);
  QTimer::singleShot(FirstPaintWait, this, [this, window = QPointer<QWidget>(window)] { windowPainted(window); });
}

void PostedWork::windowPainted(const QWidget* window) {
  const auto it = std::find(unpainted_.begin(), unpainted_.end(), window);
  if (it == unpainted_.end()) return;
  unpainted_.erase(it);
  schedule();
}

bool PostedWork::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::Paint && !unpainted_.empty()) {
    if (auto* widget = qobject_cast<QWidget*>(watched)) windowPainted(widget->window());
  }
  return false;
}

}  // namespace platform::qt
