#pragma once

#include <QWidget>
#include <map>

namespace platform::ui {
class Form;
}

namespace platform::qt {

class FormWindow;

// The windows of the forms that have been shown, one for each form. The registry owns them until they are
// dropped.
class WindowRegistry {
 public:
  WindowRegistry() = default;
  ~WindowRegistry();
  WindowRegistry(const WindowRegistry&) = delete;
  WindowRegistry& operator=(const WindowRegistry&) = delete;

  FormWindow* find(const ui::Form& form) const;
  // The window that holds a widget; null when the widget is on no form's window.
  FormWindow* ofWidget(const QWidget* widget) const;
  void add(const ui::Form& form, FormWindow* window) { windows_.emplace(&form, window); }
  // Forgets a window whose form is gone; the caller disposes of it.
  void remove(const FormWindow& window);
  // The message boxes' owner: the modal form (the code search) when there is one, else the active window,
  // else any shown; null before any window shows (start-up).
  QWidget* dialogParent() const;

  template <typename Visit>
  void forEach(Visit visit) const {
    for (const auto& [form, window] : windows_) visit(*window);
  }

 private:
  std::map<const ui::Form*, FormWindow*> windows_;
};

}  // namespace platform::qt
