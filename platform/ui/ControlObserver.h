#pragma once

namespace platform::ui {

class Control;
class Form;

// What changed on a control or form, so that a toolkit binding can mirror it.
enum class Property {
  Text,
  Selection,
  Enabled,
  Visible,
  Geometry,
  Colors,
  Font,
  TabIndex,
  Locked,
  MaxLength,
  PasswordChar,
  ImeMode,
  Caption,
  Focus,
  Contents,
};

class ControlObserver {
 public:
  virtual ~ControlObserver() = default;
  virtual void controlChanged(Control& control, Property property) = 0;
};

class FormObserver {
 public:
  virtual ~FormObserver() = default;
  virtual void formChanged(Form& form, Property property) = 0;
  // The form is being destroyed; a binding drops its window for it.
  virtual void formDestroyed(Form&) {}
};

}  // namespace platform::ui
