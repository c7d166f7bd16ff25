#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace platform::ui {

class DataSource;

// The rows a data grid shows, read from its data source and kept as plain text, so that drawing and moving
// through the grid never go back to the database.
class RowCache {
 public:
  using Cell = std::optional<std::string>;

  // Reads the source's column names and every row from its current one to its end.
  static RowCache readAll(DataSource& source);

  RowCache() = default;
  explicit RowCache(std::vector<std::string> columnNames) : columns_(std::move(columnNames)) {}

  const std::vector<std::string>& columnNames() const { return columns_; }
  std::size_t columnCount() const { return columns_.size(); }
  std::size_t rowCount() const { return columns_.empty() ? 0 : cells_.size() / columns_.size(); }
  // UiError when the row does not have one value per column.
  void appendRow(std::vector<Cell> row);
  // UiError outside the rows and columns.
  const Cell& cell(std::size_t row, std::size_t column) const;

 private:
  std::vector<std::string> columns_;
  std::vector<Cell> cells_;  // row after row
};

}  // namespace platform::ui
