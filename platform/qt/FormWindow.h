#pragma once

#include <QEventLoop>
#include <QPointer>
#include <QWidget>
#include <map>

#include "platform/ui/ControlObserver.h"

namespace platform::ui {
class Control;
class Form;
}  // namespace platform::ui

namespace platform::qt {

class ControlView;
class QtToolkit;

// The top-level window of one model form, with one child widget per control. It observes the form and its
// controls and mirrors every change; input it receives goes back to the model through the toolkit's guard.
class FormWindow final : public QWidget, public ui::FormObserver, public ui::ControlObserver {
  Q_OBJECT

 public:
  FormWindow(QtToolkit& toolkit, ui::Form& form);
  ~FormWindow() override;
  FormWindow(const FormWindow&) = delete;
  FormWindow& operator=(const FormWindow&) = delete;

  ui::Form* form() const { return form_; }
  // Stops observing and forgets the model: the form was unloaded or destroyed.
  void detach();

  QWidget* widgetOf(const ui::Control& control) const;
  // The control a widget (or one of its children) shows; null for the window itself.
  ui::Control* controlOf(const QWidget* widget) const;

  // Qt put the focus on a widget of this window; byUser when a mouse click did it.
  void widgetFocused(QWidget* widget, bool byUser);
  // Puts the Qt focus where the model has it (nowhere when the model's control cannot take it).
  void showModelFocus();

  // A modal run of the form: the loop ends when the form is hidden.
  void setModalLoop(QEventLoop* loop) { modalLoop_ = loop; }
  void quitModalLoop();

  void formChanged(ui::Form& form, ui::Property property) override;
  void formDestroyed(ui::Form& form) override;
  void controlChanged(ui::Control& control, const ui::ControlChange& change) override;

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  ControlView* viewOf(const ui::Control& control) const;
  void applyControl(ui::Control& control, ControlView& view, const ui::ControlChange& change);
  void applyColors(const ui::Control& control, ControlView& view);
  void applyShown(const ui::Control& control, QWidget& widget);
  void applyTabOrder();
  void applyForm(ui::Property property);
  // Takes the Qt focus off a widget before it is disabled or hidden, so that Qt does not move it to the next
  // widget on its own (the model keeps its active control).
  void releaseFocus(QWidget& widget);

  QtToolkit& toolkit_;
  ui::Form* form_;
  std::map<const ui::Control*, ControlView*> views_;
  bool mirroringFocus_ = false;
  QPointer<QEventLoop> modalLoop_;
};

}  // namespace platform::qt
