#pragma once

#include <optional>
#include <string>

#include "framework/FieldTable.h"
#include "platform/ui/Control.h"
#include "platform/ui/Form.h"

namespace mnt4820 {

// The window that every framework and screen operation acts on, and its field table.
struct ScreenState {
  platform::ui::Form* CurrentForm = nullptr;
  FieldTable fields;
  // The area whose fields are enabled.
  Area ScreenArea = Area::Head;

  platform::ui::Form& form() const {
    if (CurrentForm == nullptr) throw FieldTableError("no current window");
    return *CurrentForm;
  }

  // The row of the control that has the focus on the current window, when that control is a registered
  // field; none for any other control (the grid, a button) or when nothing has the focus.
  std::optional<int> activeFieldRow() const {
    const platform::ui::Control* active = form().activeControl();
    if (active == nullptr) return std::nullopt;
    const int row = active->tabIndex();
    if (!fields.holds(row, active)) return std::nullopt;
    return row;
  }
};

}  // namespace mnt4820
