#include "platform/ui/GridStore.h"

#include <algorithm>
#include <cstdint>

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
  const auto keepRows = std::min(newRows, static_cast<std::size_t>(rows_));
  const auto keepCols = std::min(newCols, static_cast<std::size_t>(cols_));
  if (cols != cols_) {
    std::vector<Cell> cells(newRows * newCols);
    std::vector<CellAlignment> alignments(newRows * newCols, CellAlignment::General);
    for (std::size_t r = 0; r < keepRows; ++r) {
      for (std::size_t c = 0; c < keepCols; ++c) {
        const std::size_t from = r * static_cast<std::size_t>(cols_) + c;
        cells[r * newCols + c] = cells_[from];
        alignments[r * newCols + c] = alignments_[from];
      }
    }
    cells_ = std::move(cells);
    alignments_ = std::move(alignments);
    colWidths_.resize(newCols, DefaultColWidth);
    liveChars_ = 0;
    for (const Cell& cell : cells_) liveChars_ += cell.length;
  } else {
    for (std::size_t i = newRows * newCols; i < cells_.size(); ++i) liveChars_ -= cells_[i].length;
    cells_.resize(newRows * newCols);
    alignments_.resize(newRows * newCols, CellAlignment::General);
  }
  rowHeights_.resize(newRows, DefaultRowHeight);
  rows_ = rows;
  cols_ = cols;
  compactIfWasteful();
}

void GridStore::setText(int row, int col, std::string_view text) {
  Cell& cell = cells_[at(row, col)];
  liveChars_ -= cell.length;
  liveChars_ += text.size();
  if (text.size() <= cell.length) {
    text.copy(chars_.data() + cell.offset, text.size());
  } else {
    if (chars_.size() + text.size() > UINT32_MAX) throw UiError("the grid holds too much text");
    cell.offset = static_cast<std::uint32_t>(chars_.size());
    chars_.append(text);
  }
  cell.length = static_cast<std::uint32_t>(text.size());
  compactIfWasteful();
}

void GridStore::compactIfWasteful() {
  constexpr std::size_t slack = 4096;
  if (chars_.size() <= 2 * liveChars_ + slack) return;
  std::string chars;
  chars.reserve(liveChars_);
  for (Cell& cell : cells_) {
    const auto offset = static_cast<std::uint32_t>(chars.size());
    chars.append(chars_, cell.offset, cell.length);
    cell.offset = offset;
  }
  chars_ = std::move(chars);
}

void GridStore::clearTexts() {
  std::fill(cells_.begin(), cells_.end(), Cell{});
  chars_.clear();
  liveChars_ = 0;
}

int GridStore::appendRow(int heightTwips, CellAlignment alignment) {
  cells_.resize(cells_.size() + static_cast<std::size_t>(cols_));
  alignments_.resize(alignments_.size() + static_cast<std::size_t>(cols_), alignment);
  rowHeights_.push_back(heightTwips);
  return rows_++;
}

}  // namespace platform::ui
