#pragma once

#include <optional>

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
  // A grid's current row, and the widths of its columns.
  CurrentRow,
  Columns,
};

// Rows of a control that holds rows (a grid): `count` rows from `first`.
struct RowRange {
  int first = 0;
  int count = 0;
  bool operator==(const RowRange&) const = default;
};

// What changed on a control: the property, and for the contents of a control with rows, which rows (all of
// them when none are named).
struct ControlChange {
  Property property;
  std::optional<RowRange> rows;
};

class ControlObserver {
 public:
  virtual ~ControlObserver() = default;
  virtual void controlChanged(Control& control, const ControlChange& change) = 0;
};

class FormObserver {
 public:
  virtual ~FormObserver() = default;
  virtual void formChanged(Form& form, Property property) = 0;
  // The form is being destroyed; a binding drops its window for it.
  virtual void formDestroyed(Form&) {}
};

}  // namespace platform::ui
