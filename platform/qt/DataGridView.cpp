#include "platform/qt/DataGridView.h"

#include <QHeaderView>
#include <QMouseEvent>
#include <QScopedValueRollback>
#include <algorithm>

#include "platform/qt/QtToolkit.h"
#include "platform/ui/DataGrid.h"
#include "platform/ui/Form.h"

namespace platform::qt {

DataGridView::DataGridView(QtToolkit& toolkit, ui::DataGrid& grid, QWidget* parent)
    : QTableView(parent), toolkit_(toolkit), grid_(&grid), model_(this) {
  setModel(&model_);
  setSelectionBehavior(QAbstractItemView::SelectRows);
  setSelectionMode(QAbstractItemView::SingleSelection);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  setTabKeyNavigation(false);
  setWordWrap(false);
  // One fixed height for every row: sizing rows to their contents would read them all.
  const int rowPixels = toolkit.twipScale().toPixelsY(grid.rowHeight());
  verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  verticalHeader()->setMinimumSectionSize(1);
  verticalHeader()->setDefaultSectionSize(rowPixels);
  horizontalHeader()->setFixedHeight(rowPixels);
  horizontalHeader()->setHighlightSections(false);
  connect(selectionModel(), &QItemSelectionModel::currentRowChanged, this,
          [this](const QModelIndex& current) { rowPicked(current.row()); });
  // The grid is normally bound before its window is made.
  showContents();
}

std::vector<ColorRoles> DataGridView::colorRoles() const { return {{QPalette::Base, QPalette::Text}}; }

void DataGridView::showChange(const ui::ControlChange& change) {
  switch (change.property) {
    case ui::Property::Contents: showContents(); break;
    case ui::Property::Columns: showColumnWidths(); break;
    case ui::Property::CurrentRow: showCurrentRow(); break;
    default: break;
  }
}

void DataGridView::detach() {
  grid_ = nullptr;
  const QScopedValueRollback<bool> scope(updating_, true);
  model_.showRows(nullptr);
}

void DataGridView::showContents() {
  if (grid_ == nullptr) return;
  {
    const QScopedValueRollback<bool> scope(updating_, true);
    model_.showRows(&grid_->rows());
  }
  showColumnWidths();
  showCurrentRow();
}

void DataGridView::showColumnWidths() {
  if (grid_ == nullptr) return;
  const TwipScale scale = toolkit_.twipScale();
  for (std::size_t column = 0; column < grid_->columnCount(); ++column) {
    const int twips = grid_->columnWidth(column);
    const int section = static_cast<int>(column);
    if (twips > 0) {
      setColumnWidth(section, scale.toPixelsX(twips));
    } else {
      setColumnWidth(section, horizontalHeader()->defaultSectionSize());
    }
  }
}

void DataGridView::showCurrentRow() {
  if (grid_ == nullptr) return;
  const QScopedValueRollback<bool> scope(updating_, true);
  const int row = grid_->row();
  if (row == ui::DataGrid::NoRow) {
    selectionModel()->clear();
    return;
  }
  const int column = std::max(currentIndex().column(), 0);
  const QModelIndex index = model_.index(row, column);
  selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
  scrollTo(index);
}

void DataGridView::rowPicked(int row) {
  if (updating_ || grid_ == nullptr || row < 0) return;
  ui::DataGrid& grid = *grid_;
  ui::Form* form = grid.form();
  if (form == nullptr) return;
  toolkit_.guard(*form, [&] { grid.setRow(row); });
}

void DataGridView::mouseDoubleClickEvent(QMouseEvent* event) {
  if (grid_ == nullptr || event->button() != Qt::LeftButton) return;
  ui::DataGrid& grid = *grid_;
  ui::Form* form = grid.form();
  if (form == nullptr) return;
  const QModelIndex at = indexAt(event->position().toPoint());
  toolkit_.guard(*form, [&] {
    if (at.isValid()) grid.setRow(at.row());
    form->doubleClick(grid);
  });
}

}  // namespace platform::qt
