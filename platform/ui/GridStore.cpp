#include "platform/ui/GridStore.h"

#include <algorithm>

#include "platform/ui/UiError.h"

namespace platform::ui {

std::size_t GridStore::checkedRow(int row) const {
  if (row < 0 || row >= rows_) throw UiError("no grid row " + std::to_string(row));
  return static_cast<std::size_t>(row);
}

std::size_t GridStore::checkedCol(int col) const {
  if (col < 0 || col >= cols_) throw UiError("no grid column " + std::to_string(col));
  return static_cast<std::size_t>(col);
}

void GridStore::resize(int rows, int cols) {
  if (rows < 0 || cols < 0) throw UiError("a grid cannot have fewer than 0 rows or columns");
  const auto newRows = static_cast<std::size_t>(rows);
  const auto newCols = static_cast<std::size_t>(cols);
  if (cols != cols_) {
    std::vector<std::string> cells(newRows * newCols);
    std::vector<CellAlignment> alignments(newRows * newCols, CellAlignment::General);
    const auto keepRows = std::min(newRows, static_cast<std::size_t>(rows_));
    const auto keepCols = std::min(newCols, static_cast<std::size_t>(cols_));
    for (std::size_t r = 0; r < keepRows; ++r) {
      for (std::size_t c = 0; c < keepCols; ++c) {
        const std::size_t from = r * static_cast<std::size_t>(cols_) + c;
        cells[r * newCols + c] = std::move(cells_[from]);
        alignments[r * newCols + c] = alignments_[from];
      }
    }
    cells_ = std::move(cells);
    alignments_ = std::move(alignments);
    colWidths_.resize(newCols, DefaultColWidth);
  } else {
    cells_.resize(newRows * newCols);
    alignments_.resize(newRows * newCols, CellAlignment::General);
  }
  rowHeights_.resize(newRows, DefaultRowHeight);
  rows_ = rows;
  cols_ = cols;
}

void GridStore::clearTexts() {
  for (std::string& cell : cells_) cell.clear();
}

int GridStore::appendRow(int heightTwips, CellAlignment alignment) {
  cells_.resize(cells_.size() + static_cast<std::size_t>(cols_));
  alignments_.resize(alignments_.size() + static_cast<std::size_t>(cols_), alignment);
  rowHeights_.push_back(heightTwips);
  return rows_++;
}

}  // namespace platform::ui
