#pragma once

#include <QTableView>
#include <functional>

#include "platform/qt/ControlView.h"

namespace platform::ui {
class ListGrid;
}

namespace platform::qt {

class ListGridModel;
class QtToolkit;

// The table view of a model list grid. Rows have one fixed height (never sized to their contents), the first
// data row's; columns of width 0 are hidden; the selected cells of the current row are drawn as the
// selection. Keys reach the model through the toolkit and come back as a new current cell; a mouse press on a
// cell makes it current in the model, the release is the model's click.
class ListGridView final : public QTableView, public ControlView {
  Q_OBJECT

 public:
  ListGridView(QtToolkit& toolkit, ui::ListGrid& grid, QWidget* parent);

  ListGridModel& listModel() const { return *model_; }

  QWidget& widget() override { return *this; }
  std::vector<ColorRoles> colorRoles() const override;
  // A change of contents resets the table model once; the current cell, selection and top row are shown anew.
  void showChange(const ui::ControlChange& change) override;
  void detach() override;

  // The cells, widths and heights changed: one reset of the table model.
  void showContents();
  // The current cell, the selection and the top row as the model has them.
  void showModelState();

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void paintEvent(QPaintEvent* event) override;

 private:
  void applyLayout();
  void showTopRow();
  void runOnModel(const std::function<void()>& call);

  QtToolkit& toolkit_;
  ui::ListGrid* grid_;
  ListGridModel* model_;
  // The top row last shown, so that a scroll by the user is not undone until the model moves it.
  int shownTopRow_ = -1;
  bool pressed_ = false;
  // Whether the grid has been painted once: its first paint is a moment of the run.
  bool painted_ = false;
  bool applying_ = false;
};

}  // namespace platform::qt
