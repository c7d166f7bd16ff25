#include "platform/qt/ListGridView.h"

#include <QHeaderView>
#include <QItemSelection>
#include <QMouseEvent>
#include <QScopedValueRollback>
#include <QScrollBar>
#include <algorithm>
#include <utility>

#include "platform/qt/ListGridModel.h"
#include "platform/qt/QtToolkit.h"
#include "platform/ui/Application.h"
#include "platform/ui/Form.h"
#include "platform/ui/ListGrid.h"

namespace platform::qt {

ListGridView::ListGridView(QtToolkit& toolkit, ui::ListGrid& grid, QWidget* parent)
    : QTableView(parent), toolkit_(toolkit), grid_(&grid), model_(new ListGridModel(grid, this)) {
  setModel(model_);
  // The model decides the current cell and the selection; the view only shows them.
  setSelectionMode(QAbstractItemView::NoSelection);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  setTabKeyNavigation(false);
  setWordWrap(false);
  setCornerButtonEnabled(false);
  setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
  // Only the top row scrolls the grid; a current row set by the program does not.
  setAutoScroll(false);
  setFocusPolicy(Qt::StrongFocus);
  verticalHeader()->hide();
  verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  verticalHeader()->setMinimumSectionSize(1);
  horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  horizontalHeader()->setSectionsClickable(false);
  horizontalHeader()->setHighlightSections(false);
  horizontalHeader()->setDefaultAlignment(Qt::AlignCenter);
  connect(verticalScrollBar(), &QScrollBar::valueChanged, this, [this](int value) {
    if (applying_ || grid_ == nullptr) return;
    // A scroll by the user: the model's top row follows, so that the model can move it back later.
    const int top = model_->gridRow(value);
    if (top < grid_->rows() && top >= grid_->fixedRows()) {
      shownTopRow_ = top;
      runOnModel([this, top] { grid_->setTopRow(top); });
    }
  });
  showContents();
}

std::vector<ColorRoles> ListGridView::colorRoles() const {
  return {{QPalette::Window, QPalette::WindowText}, {QPalette::Base, QPalette::Text}};
}

void ListGridView::showChange(const ui::ControlChange& change) {
  switch (change.property) {
    case ui::Property::Contents:
      if (change.rows) {
        const int known = model_->rowCount();
        model_->rowsChanged(change.rows->first, change.rows->count);
        // Rows appended to the grid: the current cell and the top row may lie among them.
        if (model_->rowCount() != known) {
          shownTopRow_ = -1;
          showModelState();
        }
      } else {
        showContents();
      }
      break;
    case ui::Property::Selection:
    case ui::Property::Focus: showModelState(); break;
    default: break;
  }
}

void ListGridView::detach() {
  grid_ = nullptr;
  model_->detach();
}

void ListGridView::runOnModel(const std::function<void()>& call) {
  if (grid_ == nullptr || grid_->form() == nullptr) return;
  ui::Form& form = *grid_->form();
  toolkit_.guard(form, call);
}

void ListGridView::applyLayout() {
  const TwipScale scale = toolkit_.twipScale();
  for (int col = 0; col < grid_->cols(); ++col) {
    const int width = grid_->colWidth(col);
    setColumnHidden(col, width == 0);
    if (width > 0) setColumnWidth(col, scale.toPixelsX(width));
  }
  // One height for every row, that of the first data row: a 300,000-row listing must scroll without
  // measuring its rows.
  const int dataRow = grid_->fixedRows();
  if (dataRow < grid_->rows())
    verticalHeader()->setDefaultSectionSize(std::max(1, scale.toPixelsY(grid_->rowHeight(dataRow))));
}

void ListGridView::showContents() {
  const QScopedValueRollback<bool> applying(applying_, true);
  model_->reload();
  if (grid_ == nullptr) return;
  applyLayout();
  shownTopRow_ = -1;
  showModelState();
}

void ListGridView::showTopRow() {
  if (grid_->topRow() == shownTopRow_) return;
  shownTopRow_ = grid_->topRow();
  verticalScrollBar()->setValue(model_->modelRow(shownTopRow_));
}

void ListGridView::showModelState() {
  if (grid_ == nullptr) return;
  const QScopedValueRollback<bool> applying(applying_, true);
  QItemSelectionModel* selection = selectionModel();
  const int row = model_->modelRow(grid_->row());
  if (row < 0 || row >= model_->rowCount()) {
    selection->clear();
  } else {
    selection->setCurrentIndex(model_->index(row, grid_->col()), QItemSelectionModel::NoUpdate);
    // As on the original grid, a selection of one cell is not highlighted: only a range is.
    const int first = std::min(grid_->col(), grid_->colSel());
    const int last = std::max(grid_->col(), grid_->colSel());
    if (first == last) {
      selection->clearSelection();
    } else {
      selection->select(QItemSelection(model_->index(row, first), model_->index(row, last)),
                        QItemSelectionModel::ClearAndSelect);
    }
  }
  showTopRow();
  viewport()->update();
}

void ListGridView::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  // The grid takes the focus first (as the mouse gives it), then the pressed cell becomes current.
  if (!hasFocus()) setFocus(Qt::MouseFocusReason);
  const QModelIndex index = indexAt(event->position().toPoint());
  pressed_ = true;
  if (!index.isValid()) return;
  const int row = model_->gridRow(index.row());
  const int col = index.column();
  runOnModel([this, row, col] { grid_->selectCell(row, col); });
}

void ListGridView::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton || !std::exchange(pressed_, false) || grid_ == nullptr) return;
  runOnModel([this] { grid_->form()->click(*grid_, ui::Form::ClickFocus::AlreadyMoved); });
}

void ListGridView::mouseDoubleClickEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton || grid_ == nullptr) return;
  // The press of a double click brings no second click; its release neither.
  pressed_ = false;
  runOnModel([this] { grid_->form()->doubleClick(*grid_); });
}

void ListGridView::mouseMoveEvent(QMouseEvent*) {
  // Dragging selects nothing: the selection is the model's.
}

void ListGridView::paintEvent(QPaintEvent* event) {
  QTableView::paintEvent(event);
  // When the operator first sees rows, for the start-up benchmark.
  if (grid_ != nullptr && grid_->form() != nullptr && !std::exchange(painted_, true)) {
    grid_->form()->application().moment("grid-painted");
  }
}

}  // namespace platform::qt
