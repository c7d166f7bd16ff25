#pragma once

#include <optional>
#include <string>
#include <vector>

#include "db/SearchStore.h"
#include "platform/ui/DataSource.h"

namespace mnt4820 {

// A code search's listing as the rows a data grid is bound to.
class RecordsetSource final : public platform::ui::DataSource {
 public:
  explicit RecordsetSource(SearchRows& rows) : rows_(rows) {}

  std::vector<std::string> columnNames() const override { return rows_.columnNames(); }
  bool atEnd() const override { return rows_.atEnd(); }
  std::vector<std::optional<std::string>> currentRow() const override { return rows_.currentRow(); }
  void moveNext() override { rows_.moveNext(); }

 private:
  SearchRows& rows_;
};

}  // namespace mnt4820
