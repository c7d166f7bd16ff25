#include "platform/ui/ListGrid.h"

#include <algorithm>
#include <utility>

#include "platform/ui/UiError.h"

namespace platform::ui {

namespace {

// The original grid's defaults: two rows and two columns, the first row fixed.
constexpr int InitialRows = 2;
constexpr int InitialCols = 2;

}  // namespace

ListGrid::ListGrid(std::string name, int index) : Control(ControlKind::ListGrid, std::move(name), index) {
  store_.resize(InitialRows, InitialCols);
  row_ = fixedRows_;
  topRow_ = fixedRows_;
}

void ListGrid::contentsChanged() {
  if (updating_ > 0) {
    dirty_ = true;
  } else {
    reportContents();
  }
}

void ListGrid::reportContents() {
  shownRows_ = rows();
  changed(Property::Contents);
}

void ListGrid::showAppendedRows() {
  if (rows() <= shownRows_) return;
  if (updating_ > 0) {
    dirty_ = true;
    return;
  }
  const int firstNew = std::exchange(shownRows_, rows());
  changed(ControlChange{Property::Contents, RowRange{firstNew, rows() - firstNew}});
}

void ListGrid::setRows(int rows) {
  if (rows < fixedRows_) throw UiError("a grid needs at least its fixed rows: " + name());
  store_.resize(rows, cols());
  topRow_ = std::clamp(topRow_, fixedRows_, std::max(rows - 1, fixedRows_));
  contentsChanged();
  if (row_ >= rows) moveTo(rows - 1, col_);
}

void ListGrid::setCols(int cols) {
  if (cols < 1) throw UiError("a grid needs a column: " + name());
  store_.resize(rows(), cols);
  colSel_ = std::min(colSel_, cols - 1);
  contentsChanged();
  if (col_ >= cols) moveTo(row_, cols - 1);
}

void ListGrid::moveTo(int row, int col) {
  if (row == row_ && col == col_) return;
  row_ = row;
  col_ = col;
  colSel_ = col;
  changed(Property::Selection);
  if (onRowColChange) onRowColChange();
}

void ListGrid::setRow(int row) {
  store_.text(row, 0);  // checks the row
  moveTo(row, col_);
}

void ListGrid::setCol(int col) {
  store_.colWidth(col);  // checks the column
  moveTo(row_, col);
}

void ListGrid::setColSel(int col) {
  store_.colWidth(col);
  if (colSel_ == col) return;
  colSel_ = col;
  changed(Property::Selection);
}

void ListGrid::setTopRow(int row) {
  if (row < fixedRows_ || row >= rows()) throw UiError("no such top row: " + std::to_string(row));
  if (topRow_ == row) return;
  topRow_ = row;
  changed(Property::Selection);
}

void ListGrid::selectCell(int row, int col) {
  store_.text(row, col);  // checks the cell
  const bool selectionMoves = colSel_ != col && row == row_ && col == col_;
  moveTo(row, col);
  if (selectionMoves) {
    colSel_ = col;
    changed(Property::Selection);
  }
}

void ListGrid::setTextMatrix(int row, int col, std::string_view text) {
  store_.setText(row, col, text);
  if (updating_ > 0) {
    dirty_ = true;
  } else {
    changed(ControlChange{Property::Contents, RowRange{row, 1}});
  }
}

void ListGrid::setColWidth(int col, int twips) {
  if (twips < 0) throw UiError("a column width must not be negative");
  store_.setColWidth(col, twips);
  contentsChanged();
}

void ListGrid::setRowHeight(int row, int twips) {
  if (twips < 0) throw UiError("a row height must not be negative");
  store_.setRowHeight(row, twips);
  contentsChanged();
}

void ListGrid::clear() {
  store_.clearTexts();
  contentsChanged();
}

void ListGrid::beginUpdate() { ++updating_; }

void ListGrid::endUpdate() {
  if (updating_ == 0) throw UiError("endUpdate without beginUpdate: " + name());
  if (--updating_ > 0 || !std::exchange(dirty_, false)) return;
  reportContents();
  changed(Property::Selection);
}

GridStore& ListGrid::cellsForUpdate() {
  if (updating_ == 0) throw UiError("the cells change only inside an update: " + name());
  dirty_ = true;
  return store_;
}

int ListGrid::pageRows() const {
  const int height = rows() > fixedRows_ ? store_.rowHeight(fixedRows_) : GridStore::DefaultRowHeight;
  return std::max(1, geometry().height / std::max(height, 1) - fixedRows_);
}

bool ListGrid::keyAction(std::int16_t keyCode, std::int16_t shiftState) {
  if ((shiftState & (shift::Ctrl | shift::Alt)) != 0 && keyCode != key::Home && keyCode != key::End) return false;
  const int firstRow = fixedRows_;
  const int lastRow = rows() - 1;
  if (lastRow < firstRow) return false;
  const bool ctrl = (shiftState & shift::Ctrl) != 0;
  int row = row_;
  int col = col_;
  switch (keyCode) {
    case key::Up: row = std::max(row_ - 1, firstRow); break;
    case key::Down: row = std::min(row_ + 1, lastRow); break;
    case key::PageUp: row = std::max(row_ - pageRows(), firstRow); break;
    case key::PageDown: row = std::min(row_ + pageRows(), lastRow); break;
    case key::Left: col = std::max(col_ - 1, 0); break;
    case key::Right: col = std::min(col_ + 1, cols() - 1); break;
    case key::Home:
      col = 0;
      if (ctrl) row = firstRow;
      break;
    case key::End:
      col = cols() - 1;
      if (ctrl) row = lastRow;
      break;
    default: return false;
  }
  // The selected columns move along with the row, so that a highlighted row stays highlighted; the grid
  // scrolls to keep the current row in view.
  if (row < topRow_) topRow_ = row;
  if (row >= topRow_ + pageRows()) topRow_ = std::max(row - pageRows() + 1, firstRow);
  if (col != col_) {
    moveTo(row, col);
    return false;
  }
  if (row == row_) return false;
  row_ = row;
  changed(Property::Selection);
  if (onRowColChange) onRowColChange();
  return false;
}

}  // namespace platform::ui
