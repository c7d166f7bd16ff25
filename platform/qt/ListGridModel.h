#pragma once

#include <QAbstractTableModel>

namespace platform::ui {
class ListGrid;
}

namespace platform::qt {

// A read-only table model over a list grid's cell store: the grid's fixed rows become the horizontal header,
// the rows below them the model's rows. It keeps no copy and creates nothing per cell.
class ListGridModel final : public QAbstractTableModel {
  Q_OBJECT

 public:
  ListGridModel(const ui::ListGrid& grid, QObject* parent);

  // The grid is gone: the model shows nothing from now on.
  void detach();
  // The whole store changed (a fill): one reset.
  void reload();
  // The cells of these grid rows changed, or these rows were appended; the columns stayed.
  void rowsChanged(int firstGridRow, int count);
  // Model rows against grid rows.
  int gridRow(int modelRow) const;
  int modelRow(int gridRow) const;

  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  int columnCount(const QModelIndex& parent = QModelIndex()) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;

 private:
  const ui::ListGrid* grid_;
  // Taken at each reset, so that rowCount and columnCount answer what the view was last told.
  int rows_ = 0;
  int cols_ = 0;
  int fixedRows_ = 0;
  void takeShape();
};

}  // namespace platform::qt
