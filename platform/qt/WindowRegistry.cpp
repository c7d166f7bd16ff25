#include "platform/qt/WindowRegistry.h"

#include <QApplication>
#include <utility>

#include "platform/qt/FormWindow.h"

namespace platform::qt {

WindowRegistry::~WindowRegistry() {
  const auto windows = std::exchange(windows_, {});
  for (const auto& [form, window] : windows) {
    window->detach();
    delete window;
  }
}

FormWindow* WindowRegistry::find(const ui::Form& form) const {
  const auto it = windows_.find(&form);
  return it != windows_.end() ? it->second : nullptr;
}

FormWindow* WindowRegistry::ofWidget(const QWidget* widget) const {
  const QWidget* top = widget->window();
  for (const auto& [form, window] : windows_) {
    if (window == top) return window;
  }
  return nullptr;
}

void WindowRegistry::remove(const FormWindow& window) {
  for (auto it = windows_.begin(); it != windows_.end(); ++it) {
    if (it->second == &window) {
      windows_.erase(it);
      return;
    }
  }
}

QWidget* WindowRegistry::dialogParent() const {
  // Over a modal form (the code search) the box must stand on it, not on the window it blocks.
  if (QWidget* modal = QApplication::activeModalWidget(); modal != nullptr && ofWidget(modal) != nullptr) {
    return modal;
  }
  if (QWidget* active = QApplication::activeWindow(); active != nullptr && ofWidget(active) != nullptr) {
    return active;
  }
  for (const auto& [form, window] : windows_) {
    if (window->isVisible()) return window;
  }
  return nullptr;  // no window shown yet (start-up): the box stands on its own
}

}  // namespace platform::qt
