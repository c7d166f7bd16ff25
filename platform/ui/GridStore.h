#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
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
// numbers are 32-bit and start at 0. The texts lie back to back in one buffer and each cell holds only where
// its text is and its alignment, so that a fill of 300,000 rows appends without an allocation per cell and a
// refill frees one buffer instead of a million strings; a cell whose text equals the one above it shares its
// characters. The cells lie in blocks of rows: a growing grid adds blocks and never copies what it holds.
class GridStore {
 public:
  static constexpr int DefaultColWidth = 960;   // twips
  static constexpr int DefaultRowHeight = 240;  // twips

  int rows() const { return rows_; }
  int cols() const { return cols_; }
  // New cells are empty; cells that stay keep their text.
  void resize(int rows, int cols);

  // Valid until the next change of the store.
  std::string_view text(int row, int col) const {
    const Cell& cell = at(row, col);
    return {chars_.data() + cell.offset, cell.length};
  }
  void setText(int row, int col, std::string_view text);
  CellAlignment alignment(int row, int col) const { return static_cast<CellAlignment>(at(row, col).alignment); }
  void setAlignment(int row, int col, CellAlignment alignment) {
    at(row, col).alignment = static_cast<std::uint8_t>(alignment);
  }

  int colWidth(int col) const { return colWidths_[checkedCol(col)]; }
  void setColWidth(int col, int twips) { colWidths_[checkedCol(col)] = twips; }
  int rowHeight(int row) const { return rowHeights_[checkedRow(row)]; }
  void setRowHeight(int row, int twips) { rowHeights_[checkedRow(row)] = twips; }

  // Empties every cell and keeps the numbers of rows and columns.
  void clearTexts();
  // Adds one row of empty cells with this height and alignment; returns its number.
  int appendRow(int heightTwips, CellAlignment alignment);

 private:
  struct Cell {
    std::uint32_t offset = 0;
    std::uint32_t length : 24 = 0;
    std::uint32_t alignment : 8 = static_cast<std::uint8_t>(CellAlignment::General);
  };
  // 4,096 rows a block: large enough for few allocations, small enough that a short grid stays small.
  static constexpr int BlockShift = 12;
  static constexpr std::size_t BlockRows = std::size_t{1} << BlockShift;

  std::size_t checkedRow(int row) const;
  std::size_t checkedCol(int col) const;
  Cell& cell(std::size_t row, std::size_t col) const {
    return blocks_[row >> BlockShift][(row & (BlockRows - 1)) * static_cast<std::size_t>(cols_) + col];
  }
  Cell& at(int row, int col) const { return cell(checkedRow(row), checkedCol(col)); }
  // Blocks for `rows` rows of `cols` columns, the cells past the kept ones empty.
  void growBlocks(std::size_t rows);
  // Whether `cell`, read in `chars`, holds `text`.
  static bool holds(const std::string& chars, const Cell& cell, std::string_view text);
  // Drops the texts of replaced and removed cells from the buffer once they outweigh the live ones.
  void compactIfWasteful();

  int rows_ = 0;
  int cols_ = 0;
  std::string chars_;
  std::size_t liveChars_ = 0;
  std::vector<std::unique_ptr<Cell[]>> blocks_;
  std::vector<int> colWidths_;
  std::vector<int> rowHeights_;
};

}  // namespace platform::ui
