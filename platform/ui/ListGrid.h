#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/ui/Control.h"
#include "platform/ui/GridStore.h"

namespace platform::ui {

// A read-only list grid: rows of text cells, the first of them titles. The current cell (Row, Col),
// the selected columns of the current row (Col..ColSel) and the first visible data row (TopRow) are model
// state; the cells live in a GridStore that a toolkit view only reads. Row numbers and counts are 32-bit.
class ListGrid : public Control {
 public:
  explicit ListGrid(std::string name, int index = NotInArray);

  int rows() const { return store_.rows(); }
  void setRows(int rows);
  int cols() const { return store_.cols(); }
  void setCols(int cols);
  int fixedRows() const { return fixedRows_; }

  // The current cell; a change runs onRowColChange once.
  int row() const { return row_; }
  void setRow(int row);
  int col() const { return col_; }
  void setCol(int col);
  // The other end of the selection in the current row; moving the current column moves it along.
  int colSel() const { return colSel_; }
  void setColSel(int col);
  int topRow() const { return topRow_; }
  void setTopRow(int row);
  // A click on a cell: it becomes the current cell and the whole selection (onRowColChange when it moved).
  void selectCell(int row, int col);

  std::string textMatrix(int row, int col) const { return std::string(store_.text(row, col)); }
  void setTextMatrix(int row, int col, std::string_view text);
  // The current cell's text.
  std::string text() const { return std::string(store_.text(row_, col_)); }
  void setText(std::string_view text) { setTextMatrix(row_, col_, text); }

  // Widths and heights in twips; a column of width 0 is hidden.
  int colWidth(int col) const { return store_.colWidth(col); }
  void setColWidth(int col, int twips);
  int rowHeight(int row) const { return store_.rowHeight(row); }
  void setRowHeight(int row, int twips);

  // Empties every cell and keeps the numbers of rows and columns.
  void clear();
  // Redraws the grid: every row is reported, its shape stays (no reset of the views).
  void refresh() { changed(ControlChange{Property::Contents, RowRange{0, rows()}}); }

  // A whole fill: between beginUpdate and endUpdate the views hear nothing; endUpdate reports one reset. Inside,
  // the cells may also be written straight into the store.
  void beginUpdate();
  void endUpdate();
  GridStore& cellsForUpdate();
  // beginUpdate and endUpdate for a scope, so that a fill that fails part-way still reports what it left.
  class Update {
   public:
    explicit Update(ListGrid& grid) : grid_(grid) { grid_.beginUpdate(); }
    ~Update() { grid_.endUpdate(); }
    Update(const Update&) = delete;
    Update& operator=(const Update&) = delete;

   private:
    ListGrid& grid_;
  };

  // Rows added at the end while the grid is in use (a listing that goes on arriving): appendRow on these cells,
  // then showAppendedRows, as often as the views should follow. The views hear of the new rows alone, so that
  // the current cell, the selection and the scrolling stay as they are.
  GridStore& cellsForAppend() { return store_; }
  void showAppendedRows();

  // What a toolkit view reads.
  const GridStore& cells() const { return store_; }

  // Data rows in view, from the height of the grid and of its first data row.
  int pageRows() const;

  Handler onRowColChange;

 protected:
  // The arrow, page, Home and End keys move the current cell; a click gives the grid the focus.
  bool keyAction(std::int16_t keyCode, std::int16_t shiftState) override;
  bool takesFocusOnClick() const override { return true; }

 private:
  void contentsChanged();
  void reportContents();
  void moveTo(int row, int col);

  GridStore store_;
  const int fixedRows_ = 1;
  int row_ = 0;
  int col_ = 0;
  int colSel_ = 0;
  int topRow_ = 0;
  int updating_ = 0;
  bool dirty_ = false;
  // The rows the views were last told of.
  int shownRows_ = 0;
};

}  // namespace platform::ui
