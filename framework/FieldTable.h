#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "platform/ui/Control.h"
#include "platform/ui/TextBox.h"

namespace mnt4820 {

// A field-table row that does not exist or holds no control, or a field operation without a window or a
// current field: a fault of the screen that registered the table or wired the event, never of the input.
class FieldTableError : public std::logic_error {
 public:
  using std::logic_error::logic_error;
};

// The two areas of a data-entry window: the key area and the detail area.
enum class Area { Head, Body };

// One input field of the current window.
struct FieldRow {
  platform::ui::TextBox* control = nullptr;
  // "yyyy/mm/dd", "yy/mm/dd", "mm/dd", "yyyy/mm", "hh:mm" or empty (no format).
  std::string format;
  // The keystroke filter's attribute code; empty counts as "2".
  std::string attribute;
  Area area = Area::Head;
};

// The input fields of the current window: row i is the field whose TabIndex is i. ClearScreen counts the
// window's fields into FieldCount without touching the rows; the screen then registers exactly that many.
class FieldTable {
 public:
  std::int16_t FieldCount = 0;

  // Replaces the rows with the screen's fields; every row must hold a control and there must be FieldCount
  // of them (FieldTableError otherwise: a window whose fields the screen does not know is a design fault).
  void setRows(std::vector<FieldRow> rows) {
    if (rows.size() != static_cast<std::size_t>(std::max<int>(FieldCount, 0))) {
      throw FieldTableError("the window has " + std::to_string(FieldCount) + " fields, the screen registers " +
                            std::to_string(rows.size()));
    }
    for (const FieldRow& r : rows) {
      if (r.control == nullptr) throw FieldTableError("a field row without a control");
    }
    rows_ = std::move(rows);
  }

  // The columns of a registered row by their old names; FieldTableError when there is no such row.
  platform::ui::TextBox& FieldControls(int row) const { return *rows_[index(row)].control; }
  const std::string& FieldFormats(int row) const { return rows_[index(row)].format; }
  const std::string& FieldAttributes(int row) const { return rows_[index(row)].attribute; }
  // The keystroke filter stores "2" in an empty attribute.
  std::string& FieldAttributes(int row) { return rows_[index(row)].attribute; }
  Area FieldAreas(int row) const { return rows_[index(row)].area; }

  // Whether `control` is the control of the registered row `row`.
  bool holds(int row, const platform::ui::Control* control) const {
    return isRow(row) && rows_[static_cast<std::size_t>(row)].control == control;
  }

 private:
  // FieldCount is recounted by every ClearScreen, the rows only replaced by a registration: a row must exist
  // in both.
  bool isRow(int row) const { return row >= 0 && row < FieldCount && static_cast<std::size_t>(row) < rows_.size(); }
  std::size_t index(int row) const {
    if (!isRow(row)) {
      throw FieldTableError("no field row " + std::to_string(row) + " (FieldCount " + std::to_string(FieldCount) + ")");
    }
    return static_cast<std::size_t>(row);
  }

  std::vector<FieldRow> rows_;
};

}  // namespace mnt4820
