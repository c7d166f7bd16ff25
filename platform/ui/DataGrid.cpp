#include "platform/ui/DataGrid.h"

#include <algorithm>
#include <utility>

#include "platform/ui/DataSource.h"
#include "platform/ui/UiError.h"

namespace platform::ui {

DataGrid::DataGrid(std::string name, int index) : Control(ControlKind::DataGrid, std::move(name), index) {}

void DataGrid::setDataSource(DataSource* source) {
  rows_ = source != nullptr ? RowCache::readAll(*source) : RowCache();
  bound_ = source != nullptr;
  widths_.assign(rows_.columnCount(), 0);
  row_ = rows_.rowCount() > 0 ? 0 : NoRow;
  changed(Property::Contents);
}

int DataGrid::columnWidth(std::size_t column) const {
  if (column >= widths_.size()) throw UiError(name() + " has no column " + std::to_string(column));
  return widths_[column];
}

void DataGrid::setColumnWidth(std::size_t column, int twips) {
  if (column >= widths_.size()) throw UiError(name() + " has no column " + std::to_string(column));
  if (twips < 0) throw UiError("a column width must not be negative");
  widths_[column] = twips;
  changed(Property::Columns);
}

void DataGrid::setRow(int row) {
  if (row < 0 || static_cast<std::size_t>(row) >= rowCount()) {
    throw UiError(name() + " has no row " + std::to_string(row));
  }
  if (row_ == row) return;
  row_ = row;
  changed(Property::CurrentRow);
}

const RowCache::Cell& DataGrid::value(std::size_t column) const {
  if (row_ == NoRow) throw UiError(name() + " has no current row");
  return rows_.cell(static_cast<std::size_t>(row_), column);
}

int DataGrid::pageRows() const { return std::max(1, (geometry().height - rowHeight_) / rowHeight_); }

void DataGrid::moveTo(int row) {
  if (rowCount() == 0) return;
  setRow(std::clamp(row, 0, static_cast<int>(rowCount()) - 1));
}

bool DataGrid::keyAction(std::int16_t keyCode, std::int16_t shiftState) {
  if ((shiftState & (shift::Alt | shift::Shift)) != 0) return false;
  switch (keyCode) {
    case key::Up: moveTo(row_ - 1); break;
    case key::Down: moveTo(row_ + 1); break;
    case key::PageUp: moveTo(row_ - pageRows()); break;
    case key::PageDown: moveTo(row_ + pageRows()); break;
    case key::Home: moveTo(0); break;
    case key::End: moveTo(static_cast<int>(rowCount()) - 1); break;
    default: break;
  }
  return false;
}

}  // namespace platform::ui
