#pragma once

#include <QLineEdit>

#include "platform/qt/ControlView.h"

namespace platform::ui {
class TextBox;
}

namespace platform::qt {

class PasswordCharStyle;
class QtToolkit;

// The line edit of a model text box. The model owns text and selection and decides what every keystroke does
// (the toolkit eats the keys before the line edit sees them); this widget only shows the model's state, lets the
// user place the caret and select with the mouse, and hands committed input-method text to the model.
class TextBoxEdit final : public QLineEdit, public ControlView {
  Q_OBJECT

 public:
  TextBoxEdit(QtToolkit& toolkit, ui::TextBox& box, QWidget* parent);

  ui::TextBox* box() const { return box_; }

  QWidget& widget() override { return *this; }
  std::vector<ColorRoles> colorRoles() const override;
  void showChange(const ui::ControlChange& change) override;
  void detach() override { box_ = nullptr; }

  // Text and selection as the model has them.
  void showModelState();
  // Locked, password character and input-method mode as the model has them.
  void showEditingMode();

  // The input method asks here whether it may compose for the field: a field whose mode is off or disabled,
  // a password field and a locked field say no, whatever the input method's own state is.
  QVariant inputMethodQuery(Qt::InputMethodQuery query) const override;

 protected:
  void focusInEvent(QFocusEvent* event) override;
  void inputMethodEvent(QInputMethodEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;

 private:
  void copySelectionToModel();
  bool takesInputMethod() const;

  QtToolkit& toolkit_;
  ui::TextBox* box_;
  // Made for the first password character shown; a child of the widget.
  PasswordCharStyle* passwordStyle_ = nullptr;
  // Set while the widget is changed from the model (or by the preedit), so its signals are not fed back.
  bool updating_ = false;
};

}  // namespace platform::qt
