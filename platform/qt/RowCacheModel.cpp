#include "platform/qt/RowCacheModel.h"

#include "platform/ui/RowCache.h"

namespace platform::qt {

void RowCacheModel::showRows(const ui::RowCache* rows) {
  beginResetModel();
  rows_ = rows;
  endResetModel();
}

int RowCacheModel::rowCount(const QModelIndex& parent) const {
  return rows_ == nullptr || parent.isValid() ? 0 : static_cast<int>(rows_->rowCount());
}

int RowCacheModel::columnCount(const QModelIndex& parent) const {
  return rows_ == nullptr || parent.isValid() ? 0 : static_cast<int>(rows_->columnCount());
}

QVariant RowCacheModel::data(const QModelIndex& index, int role) const {
  if (role != Qt::DisplayRole || !checkIndex(index, CheckIndexOption::IndexIsValid)) return {};
  const auto& cell = rows_->cell(static_cast<std::size_t>(index.row()), static_cast<std::size_t>(index.column()));
  return cell ? QString::fromStdString(*cell) : QString();
}

QVariant RowCacheModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (role != Qt::DisplayRole || orientation != Qt::Horizontal || section < 0 || section >= columnCount()) return {};
  return QString::fromStdString(rows_->columnNames()[static_cast<std::size_t>(section)]);
}

}  // namespace platform::qt
