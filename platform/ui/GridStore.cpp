#include "platform/ui/GridStore.h"

#include <algorithm>
#include <cstdint>

#include "platform/ui/UiError.h"

namespace platform::ui {

namespace {

constexpr std::size_t MaxCellText = (std::size_t{1} << 24) - 1;

}  // namespace

std::size_t GridStore::checkedRow(int row) const {
  if (row < 0 || row >= rows_) throw UiError("no grid row " + std::to_string(row));
  return static_cast<std::size_t>(row);
}

std::size_t GridStore::checkedCol(int col) const {
  if (col < 0 || col >= cols_) throw UiError("no grid column " + std::to_string(col));
  return static_cast<std::size_t>(col);
}

void GridStore::growBlocks(std::size_t rows) {
  const std::size_t cells = BlockRows * static_cast<std::size_t>(cols_);
  while (blocks_.size() * BlockRows < rows) blocks_.push_back(std::make_unique<Cell[]>(cells));
}

void GridStore::resize(int rows, int cols) {
  if (rows < 0 || cols < 0) throw UiError("a grid cannot have fewer than 0 rows or columns");
  const auto newRows = static_cast<std::size_t>(rows);
  const auto oldRows = static_cast<std::size_t>(rows_);
  const auto keepRows = std::min(newRows, oldRows);
  if (cols != cols_) {
    const auto keepCols = static_cast<std::size_t>(std::min(cols, cols_));
    GridStore old;
    std::swap(old.blocks_, blocks_);
    old.cols_ = cols_;
    cols_ = cols;
    growBlocks(newRows);
    liveChars_ = 0;
    for (std::size_t r = 0; r < keepRows; ++r) {
      for (std::size_t c = 0; c < keepCols; ++c) {
        cell(r, c) = old.cell(r, c);
        liveChars_ += cell(r, c).length;
      }
    }
    colWidths_.resize(static_cast<std::size_t>(cols), DefaultColWidth);
  } else {
    // Rows that go give back their texts; rows that come are empty, whatever a block held before.
    for (std::size_t r = keepRows; r < std::max(newRows, oldRows); ++r) {
      if (r >= blocks_.size() * BlockRows) break;
      for (std::size_t c = 0; c < static_cast<std::size_t>(cols_); ++c) {
        if (r < oldRows) liveChars_ -= cell(r, c).length;
        cell(r, c) = Cell{};
      }
    }
    growBlocks(newRows);
    blocks_.resize((newRows + BlockRows - 1) / BlockRows);
  }
  rowHeights_.resize(newRows, DefaultRowHeight);
  rows_ = rows;
  compactIfWasteful();
}

bool GridStore::holds(const std::string& chars, const Cell& cell, std::string_view text) {
  return cell.length == text.size() && std::string_view(chars.data() + cell.offset, cell.length) == text;
}

void GridStore::setText(int row, int col, std::string_view text) {
  Cell& target = at(row, col);
  if (text.size() > MaxCellText) throw UiError("a grid cell cannot hold so much text");
  liveChars_ = liveChars_ - target.length + text.size();
  // A text equal to the one above shares its characters: a listing sorted on a column repeats it row after
  // row. So cells may share, and a new text is never written over an old one.
  if (row > 0 && holds(chars_, cell(static_cast<std::size_t>(row) - 1, static_cast<std::size_t>(col)), text)) {
    target.offset = cell(static_cast<std::size_t>(row) - 1, static_cast<std::size_t>(col)).offset;
  } else {
    if (chars_.size() + text.size() > UINT32_MAX) throw UiError("the grid holds too much text");
    target.offset = static_cast<std::uint32_t>(chars_.size());
    chars_.append(text);
  }
  target.length = static_cast<std::uint32_t>(text.size());
  compactIfWasteful();
}

void GridStore::compactIfWasteful() {
  constexpr std::size_t slack = 4096;
  if (chars_.size() <= 2 * liveChars_ + slack) return;
  std::string chars;
  chars.reserve(liveChars_);
  for (std::size_t r = 0; r < static_cast<std::size_t>(rows_); ++r) {
    for (std::size_t c = 0; c < static_cast<std::size_t>(cols_); ++c) {
      Cell& here = cell(r, c);
      const std::string_view text(chars_.data() + here.offset, here.length);
      const Cell* above = r > 0 ? &cell(r - 1, c) : nullptr;
      if (above != nullptr && holds(chars, *above, text)) {
        here.offset = above->offset;
      } else {
        here.offset = static_cast<std::uint32_t>(chars.size());
        chars.append(text);
      }
    }
  }
  chars_ = std::move(chars);
}

void GridStore::clearTexts() {
  for (std::size_t r = 0; r < static_cast<std::size_t>(rows_); ++r) {
    for (std::size_t c = 0; c < static_cast<std::size_t>(cols_); ++c) {
      Cell& here = cell(r, c);
      here.offset = 0;
      here.length = 0;
    }
  }
  chars_.clear();
  liveChars_ = 0;
}

int GridStore::appendRow(int heightTwips, CellAlignment alignment) {
  const auto row = static_cast<std::size_t>(rows_);
  growBlocks(row + 1);
  for (std::size_t c = 0; c < static_cast<std::size_t>(cols_); ++c) {
    cell(row, c) = Cell{0, 0, static_cast<std::uint8_t>(alignment)};
  }
  rowHeights_.push_back(heightTwips);
  return rows_++;
}

}  // namespace platform::ui
