#include "platform/ui/RowCache.h"

#include <iterator>

#include "platform/ui/DataSource.h"
#include "platform/ui/UiError.h"

namespace platform::ui {

RowCache RowCache::readAll(DataSource& source) {
  RowCache cache(source.columnNames());
  for (; !source.atEnd(); source.moveNext()) cache.appendRow(source.currentRow());
  return cache;
}

void RowCache::appendRow(std::vector<Cell> row) {
  if (row.size() != columns_.size() || columns_.empty()) throw UiError("a row must hold one value per column");
  cells_.insert(cells_.end(), std::make_move_iterator(row.begin()), std::make_move_iterator(row.end()));
}

const RowCache::Cell& RowCache::cell(std::size_t row, std::size_t column) const {
  if (row >= rowCount() || column >= columns_.size()) {
    throw UiError("no cell at row " + std::to_string(row) + ", column " + std::to_string(column));
  }
  return cells_[row * columns_.size() + column];
}

}  // namespace platform::ui
