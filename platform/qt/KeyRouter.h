#pragma once

#include <QObject>
#include <QPointer>

class QKeyEvent;
class QWidget;

namespace platform::qt {

class FormWindow;
class QtToolkit;
class WindowRegistry;

// Real input on the forms' windows, handed to the model: every key goes to the form before its controls see
// it (key preview), and the model decides what it does; a focus that Qt moves is reported to the window, with
// whether a mouse click moved it.
class KeyRouter final : public QObject {
  Q_OBJECT

 public:
  KeyRouter(QtToolkit& toolkit, const WindowRegistry& windows);
  ~KeyRouter() override;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void deliverKey(FormWindow& window, const QKeyEvent& event);
  void focusChanged(QWidget* now);

  QtToolkit& toolkit_;
  const WindowRegistry& windows_;
  // The widget that a mouse click is focusing, between its focus-in event and Qt's focus-changed signal.
  QPointer<QWidget> mouseFocusTarget_;
};

}  // namespace platform::qt
