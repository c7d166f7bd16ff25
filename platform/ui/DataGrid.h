#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/ui/Control.h"
#include "platform/ui/RowCache.h"

namespace platform::ui {

class DataSource;

// A grid bound to a recordset: one column per result column, headed by the column's name, in the source's
// order, one line per row, and a current row that the keys and the mouse move. The rows are read once, when
// the grid is bound; the grid only shows them and never writes.
class DataGrid : public Control {
 public:
  static constexpr int NoRow = -1;
  // Rows have one fixed height; the column headings take one row's height.
  static constexpr int DefaultRowHeight = 300;  // twips

  explicit DataGrid(std::string name, int index = NotInArray);

  // Binds the grid to a source (its rows are read at once, the first becomes current); null unbinds it,
  // leaving no columns and no rows.
  void setDataSource(DataSource* source);
  bool isBound() const { return bound_; }
  const RowCache& rows() const { return rows_; }
  std::size_t columnCount() const { return rows_.columnCount(); }
  std::size_t rowCount() const { return rows_.rowCount(); }

  // Column widths in twips; 0 leaves the column as wide as the grid makes it. UiError for a missing column.
  int columnWidth(std::size_t column) const;
  void setColumnWidth(std::size_t column, int twips);

  // The current row, NoRow when the grid has none. Setting it outside the rows is a UiError.
  int row() const { return row_; }
  void setRow(int row);
  // A column's value in the current row; UiError when there is no current row.
  const RowCache::Cell& value(std::size_t column) const;

  int rowHeight() const { return rowHeight_; }
  // How many rows fit below the headings: what Page Up and Page Down move by.
  int pageRows() const;

 protected:
  // The arrows, Page Up/Down, Home and End move the current row.
  bool keyAction(std::int16_t keyCode, std::int16_t shiftState) override;
  bool takesFocusOnClick() const override { return true; }

 private:
  void moveTo(int row);

  RowCache rows_;
  std::vector<int> widths_;
  bool bound_ = false;
  int row_ = NoRow;
  int rowHeight_ = DefaultRowHeight;
};

}  // namespace platform::ui
