#pragma once

#include <optional>
#include <string>
#include <vector>

namespace platform::ui {

// Rows that a data grid can be bound to: a read-only recordset, read forward from its current row.
class DataSource {
 public:
  virtual ~DataSource() = default;
  virtual std::vector<std::string> columnNames() const = 0;
  virtual bool atEnd() const = 0;
  // The current row's values in column order; std::nullopt for a null value.
  virtual std::vector<std::optional<std::string>> currentRow() const = 0;
  virtual void moveNext() = 0;
};

}  // namespace platform::ui
