#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/odbc/ResultSet.h"
#include "platform/ui/DataSource.h"

namespace mnt4820 {

// A result set as the rows a data grid is bound to.
class RecordsetSource final : public platform::ui::DataSource {
 public:
  explicit RecordsetSource(platform::odbc::ResultSet& rows) : rows_(rows) {}

  std::vector<std::string> columnNames() const override;
  bool atEnd() const override { return rows_.atEnd(); }
  std::vector<std::optional<std::string>> currentRow() const override;
  void moveNext() override { rows_.moveNext(); }

 private:
  platform::odbc::ResultSet& rows_;
};

}  // namespace mnt4820
