#pragma once

#include <QTableView>

#include "platform/qt/ControlView.h"
#include "platform/qt/RowCacheModel.h"

namespace platform::ui {
class DataGrid;
}

namespace platform::qt {

class QtToolkit;

// The table view of a model data grid. The model owns the rows and the current row and decides what every key
// does (the toolkit hands it the keys before the view sees them); the view shows the cached rows at a fixed row
// height, and reports the row the mouse picks and a double click to the model.
class DataGridView final : public QTableView, public ControlView {
  Q_OBJECT

 public:
  DataGridView(QtToolkit& toolkit, ui::DataGrid& grid, QWidget* parent);

  ui::DataGrid* grid() const { return grid_; }

  QWidget& widget() override { return *this; }
  std::vector<ColorRoles> colorRoles() const override;
  // Rows and headings, column widths, the current row: as the model has them.
  void showChange(const ui::ControlChange& change) override;
  void detach() override;

 protected:
  void mouseDoubleClickEvent(QMouseEvent* event) override;

 private:
  void showContents();
  void showColumnWidths();
  void showCurrentRow();
  void rowPicked(int row);

  QtToolkit& toolkit_;
  ui::DataGrid* grid_;
  RowCacheModel model_;
  // Set while the view is changed from the model, so its signals are not fed back.
  bool updating_ = false;
};

}  // namespace platform::qt
