#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace platform::ui {

// Cell alignments of the list grid (the values of the original platform's flex grid).
enum class CellAlignment : std::uint8_t {
  LeftTop = 0,
  LeftCenter = 1,
  LeftBottom = 2,
  CenterTop = 3,
  CenterCenter = 4,
  CenterBottom = 5,
  RightTop = 6,
  RightCenter = 7,
  RightBottom = 8,
  General = 9,
};

// The cells of a list grid, with its column widths and row heights: plain data, no toolkit. Row and column
// numbers are 32-bit and start at 0; cells are kept row by row in one vector so that a fill appends without
// an allocation per row.
class GridStore {
 public:
  static constexpr int DefaultColWidth = 960;   // twips
  static constexpr int DefaultRowHeight = 240;  // twips

  int rows() const { return rows_; }
  int cols() const { return cols_; }
  // New cells are empty; cells that stay keep their text.
  void resize(int rows, int cols);

  const std::string& text(int row, int col) const { return cells_[at(row, col)]; }
  void setText(int row, int col, std::string text) { cells_[at(row, col)] = std::move(text); }
  CellAlignment alignment(int row, int col) const { return alignments_[at(row, col)]; }
  void setAlignment(int row, int col, CellAlignment alignment) { alignments_[at(row, col)] = alignment; }

  int colWidth(int col) const { return colWidths_[checkedCol(col)]; }
  void setColWidth(int col, int twips) { colWidths_[checkedCol(col)] = twips; }
  int rowHeight(int row) const { return rowHeights_[checkedRow(row)]; }
  void setRowHeight(int row, int twips) { rowHeights_[checkedRow(row)] = twips; }

  // Empties every cell and keeps the numbers of rows and columns.
  void clearTexts();
  // Adds one row of empty cells with this height and alignment; returns its number.
  int appendRow(int heightTwips, CellAlignment alignment);

 private:
  std::size_t checkedRow(int row) const;
  std::size_t checkedCol(int col) const;
  std::size_t at(int row, int col) const { return checkedRow(row) * static_cast<std::size_t>(cols_) + checkedCol(col); }

  int rows_ = 0;
  int cols_ = 0;
  std::vector<std::string> cells_;
  std::vector<CellAlignment> alignments_;
  std::vector<int> colWidths_;
  std::vector<int> rowHeights_;
};

}  // namespace platform::ui
