#include "platform/qt/KeyRouter.h"

#include <QApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <optional>

#include "platform/qt/FormWindow.h"
#include "platform/qt/KeyTranslation.h"
#include "platform/qt/QtToolkit.h"
#include "platform/qt/WindowRegistry.h"
#include "platform/ui/Form.h"

namespace platform::qt {

KeyRouter::KeyRouter(QtToolkit& toolkit, const WindowRegistry& windows) : toolkit_(toolkit), windows_(windows) {
  auto* app = qobject_cast<QApplication*>(QCoreApplication::instance());
  // The window sees every key before its controls do (key preview): only a filter on the application is
  // asked before the focus widget.
  app->installEventFilter(this);
  connect(app, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) { focusChanged(now); });
}

KeyRouter::~KeyRouter() {
  if (QCoreApplication* app = QCoreApplication::instance()) {
    app->removeEventFilter(this);
    disconnect(app, nullptr, this, nullptr);
  }
}

bool KeyRouter::eventFilter(QObject* watched, QEvent* event) {
  const QEvent::Type type = event->type();
  if (type != QEvent::ShortcutOverride && type != QEvent::KeyPress && type != QEvent::KeyRelease &&
      type != QEvent::FocusIn) {
    return false;
  }
  auto* widget = qobject_cast<QWidget*>(watched);
  FormWindow* window = widget != nullptr ? windows_.ofWidget(widget) : nullptr;
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

void KeyRouter::deliverKey(FormWindow& window, const QKeyEvent& event) {
  ui::Form* form = window.form();
  if (form == nullptr || toolkit_.isEnding()) return;
  const std::optional<KeyStroke> stroke = translateKey(event);
  if (!stroke) return;
  if (event.type() == QEvent::KeyPress) {
    const QPointer<FormWindow> alive(&window);
    toolkit_.guard(*form, [&] {
      form->keyDown(stroke->keyCode, stroke->shift, stroke->character);
      if (!stroke->followingText.empty() && alive && alive->form() == form) form->inputText(stroke->followingText);
    });
  } else if (!event.isAutoRepeat()) {
    // Auto-repeat sends only key-downs on the original desktop.
    toolkit_.guard(*form, [&] { form->keyUp(stroke->keyCode, stroke->shift); });
  }
}

void KeyRouter::focusChanged(QWidget* now) {
  if (toolkit_.isEnding() || now == nullptr) return;
  const bool byMouse = mouseFocusTarget_ == now;
  mouseFocusTarget_.clear();
  if (FormWindow* window = windows_.ofWidget(now)) window->widgetFocused(now, byMouse);
}

}  // namespace platform::qt
