#include "platform/qt/ListGridModel.h"

#include <algorithm>

#include "platform/ui/ListGrid.h"

namespace platform::qt {

namespace {

Qt::Alignment toQtAlignment(ui::CellAlignment alignment) {
  using A = ui::CellAlignment;
  switch (alignment) {
    case A::LeftTop: return Qt::AlignLeft | Qt::AlignTop;
    case A::LeftCenter: return Qt::AlignLeft | Qt::AlignVCenter;
    case A::LeftBottom: return Qt::AlignLeft | Qt::AlignBottom;
    case A::CenterTop: return Qt::AlignHCenter | Qt::AlignTop;
    case A::CenterCenter: return Qt::AlignCenter;
    case A::CenterBottom: return Qt::AlignHCenter | Qt::AlignBottom;
    case A::RightTop: return Qt::AlignRight | Qt::AlignTop;
    case A::RightCenter: return Qt::AlignRight | Qt::AlignVCenter;
    case A::RightBottom: return Qt::AlignRight | Qt::AlignBottom;
    case A::General: break;
  }
  return Qt::AlignLeft | Qt::AlignVCenter;  // text cells; the listing holds no numbers
}

}  // namespace

ListGridModel::ListGridModel(const ui::ListGrid& grid, QObject* parent) : QAbstractTableModel(parent), grid_(&grid) {
  takeShape();
}

void ListGridModel::takeShape() {
  if (grid_ == nullptr) {
    rows_ = cols_ = fixedRows_ = 0;
    return;
  }
  fixedRows_ = grid_->fixedRows();
  rows_ = std::max(grid_->rows() - fixedRows_, 0);
  cols_ = grid_->cols();
}

void ListGridModel::detach() {
  beginResetModel();
  grid_ = nullptr;
  takeShape();
  endResetModel();
}

void ListGridModel::reload() {
  beginResetModel();
  takeShape();
  endResetModel();
}

void ListGridModel::rowsChanged(int firstGridRow, int count) {
  if (grid_ == nullptr || cols_ == 0 || count <= 0) return;
  // Rows past those the view knows were appended to the grid: they are inserted, not reset.
  const int known = rows_;
  if (const int rows = grid_->rows() - fixedRows_; rows > known) {
    beginInsertRows(QModelIndex(), known, rows - 1);
    rows_ = rows;
    endInsertRows();
  }
  if (firstGridRow < fixedRows_) emit headerDataChanged(Qt::Horizontal, 0, cols_ - 1);
  const int first = std::max(modelRow(firstGridRow), 0);
  const int last = std::min(modelRow(firstGridRow + count - 1), known - 1);
  if (first <= last) emit dataChanged(index(first, 0), index(last, cols_ - 1));
}

int ListGridModel::gridRow(int modelRow) const { return modelRow + fixedRows_; }

int ListGridModel::modelRow(int gridRow) const { return gridRow - fixedRows_; }

int ListGridModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : rows_; }

int ListGridModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : cols_; }

QVariant ListGridModel::data(const QModelIndex& index, int role) const {
  if (grid_ == nullptr || !checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid)) {
    return {};
  }
  const int row = gridRow(index.row());
  // Between a change of the store and the reset that reports it, the view may still ask for what it knew.
  if (row >= grid_->rows() || index.column() >= grid_->cols()) return {};
  switch (role) {
    case Qt::DisplayRole: {
      const std::string_view text = grid_->cells().text(row, index.column());
      return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    }
    case Qt::TextAlignmentRole:
      return QVariant::fromValue(toQtAlignment(grid_->cells().alignment(row, index.column())));
    default: return {};
  }
}

QVariant ListGridModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (grid_ == nullptr || orientation != Qt::Horizontal || role != Qt::DisplayRole || fixedRows_ == 0 || section < 0 ||
      section >= cols_) {
    return {};
  }
  return QString::fromStdString(grid_->textMatrix(fixedRows_ - 1, section));
}

Qt::ItemFlags ListGridModel::flags(const QModelIndex& index) const {
  if (!index.isValid()) return Qt::NoItemFlags;
  return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren;
}

}  // namespace platform::qt
