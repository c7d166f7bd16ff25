#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/ui/Control.h"
#include "platform/ui/Form.h"

namespace mnt4820 {

// A field-table row that does not exist or holds no control, or a field operation without a window or a
// current field: a fault of the screen that registered the table or wired the event, never of the input.
class FieldTableError : public std::logic_error {
 public:
  using std::logic_error::logic_error;
};

// The input fields of the current window: row i is the field whose TabIndex is i.
struct FieldTable {
  std::int16_t FieldCount = 0;
  std::vector<platform::ui::Control*> FieldControls;
  std::vector<std::string> FieldFormats;
  std::vector<std::string> FieldAttributes;
  std::vector<std::string> FieldAreas;


 private:
  template <class Column>
  auto& entry(Column& column, int row) const {
    if (row < 0 || row >= FieldCount || static_cast<std::size_t>(row) >= column.size()) {
      throw FieldTableError("no field row " + std::to_string(row) + " (FieldCount " + std::to_string(FieldCount) + ")");
    }
    return column[static_cast<std::size_t>(row)];
  }

 public:
  // Checked access to a registered row; FieldTableError when the row is outside the table or holds no
  // control (FieldCount is recounted by ClearScreen before the columns are sized).
  platform::ui::Control& control(int row) const {
    platform::ui::Control* c = entry(FieldControls, row);
    if (c == nullptr) throw FieldTableError("no control in field row " + std::to_string(row));
    return *c;
  }
  const std::string& format(int row) const { return entry(FieldFormats, row); }
  std::string& attribute(int row) { return entry(FieldAttributes, row); }
  const std::string& area(int row) const { return entry(FieldAreas, row); }
};

// The window that every framework and screen operation acts on, and its field table.
struct ScreenState {
  platform::ui::Form* CurrentForm = nullptr;
  FieldTable fields;
  // "HEAD" while the key area is active, "BODY" while the detail area is.
  std::string ScreenArea;

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
    if (row >= fields.FieldCount || static_cast<std::size_t>(row) >= fields.FieldControls.size() ||
        fields.FieldControls[static_cast<std::size_t>(row)] != active) {
      return std::nullopt;
    }
    return row;
  }
};

}  // namespace mnt4820
