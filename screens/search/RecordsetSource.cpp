#include "screens/search/RecordsetSource.h"

namespace mnt4820 {

std::vector<std::string> RecordsetSource::columnNames() const {
  std::vector<std::string> names;
  for (std::size_t i = 0; i < rows_.columnCount(); ++i) names.push_back(rows_.columnName(i));
  return names;
}

std::vector<std::optional<std::string>> RecordsetSource::currentRow() const {
  std::vector<std::optional<std::string>> row;
  row.reserve(rows_.columnCount());
  for (std::size_t i = 0; i < rows_.columnCount(); ++i) row.push_back(rows_.value(i));
  return row;
}

}  // namespace mnt4820
