#pragma once

#include <QAbstractTableModel>

namespace platform::ui {
class RowCache;
}

namespace platform::qt {

// A read-only table model over a data grid's row cache: it never reads the database, only the cached text.
class RowCacheModel final : public QAbstractTableModel {
  Q_OBJECT

 public:
  explicit RowCacheModel(QObject* parent = nullptr) : QAbstractTableModel(parent) {}

  // Shows these rows from now on (none for null); a whole refill resets the model once.
  void showRows(const ui::RowCache* rows);

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
  // The column's name as the database gave it; rows carry no heading.
  QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

 private:
  const ui::RowCache* rows_ = nullptr;
};

}  // namespace platform::qt
