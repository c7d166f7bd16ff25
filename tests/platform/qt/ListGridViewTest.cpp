// The list grid on a real QTableView: the view shows the model's store and current row, and mouse and keys
// come back to the model.
#include <gtest/gtest.h>

#include <QAbstractItemModelTester>
#include <QApplication>
#include <QHeaderView>
#include <QScrollBar>
#include <QTest>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/qt/ListGridModel.h"
#include "platform/qt/ListGridView.h"
#include "platform/qt/QtToolkit.h"
#include "platform/ui/Application.h"
#include "platform/ui/Form.h"
#include "platform/ui/ListGrid.h"

namespace {

using platform::ui::CellAlignment;
using platform::ui::ListGrid;

class ListGridViewTest : public ::testing::Test {
 protected:
  void SetUp() override {
    form = std::make_unique<platform::ui::Form>(app, "F_TEST");
    form->move(1500, 1500, 9600, 6000);
    grid = &form->add<ListGrid>("GRID");
    grid->move(180, 180, 9195, 5400);
    form->show();
    QWidget* window = toolkit.windowOf(*form);
    ASSERT_TRUE(QTest::qWaitForWindowActive(window));
    view = qobject_cast<platform::qt::ListGridView*>(toolkit.widgetOf(*grid));
    ASSERT_NE(view, nullptr);
    tester = std::make_unique<QAbstractItemModelTester>(&view->listModel(),
                                                        QAbstractItemModelTester::FailureReportingMode::Fatal);
    fill(100);
  }

  void TearDown() override {
    tester.reset();
    form.reset();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  }

  // A listing as the screen fills it: titles, a hidden column 0, rows of 360 twips.
  void fill(int rows) {
    const ListGrid::Update update(*grid);
    grid->setCols(4);
    grid->setRows(1);
    for (int col = 1; col < 4; ++col) grid->setTextMatrix(0, col, "T" + std::to_string(col));
    grid->setColWidth(0, 0);
    platform::ui::GridStore& cells = grid->cellsForUpdate();
    for (int r = 1; r <= rows; ++r) {
      cells.appendRow(360, CellAlignment::LeftCenter);
      for (int col = 1; col < 4; ++col) cells.setText(r, col, std::to_string(r) + "-" + std::to_string(col));
    }
    grid->setRow(rows);
  }

  QPoint cellCentre(int gridRow, int col) const {
    return view->visualRect(view->model()->index(gridRow - 1, col)).center();
  }

  platform::qt::QtToolkit toolkit{"Test"};
  platform::ui::Application app{toolkit};
  std::unique_ptr<platform::ui::Form> form;
  ListGrid* grid = nullptr;
  platform::qt::ListGridView* view = nullptr;
  std::unique_ptr<QAbstractItemModelTester> tester;
};

TEST_F(ListGridViewTest, ShowsTheStoreWithFixedRowsAndTheHighlightedRow) {
  QAbstractItemModel* model = view->model();
  EXPECT_EQ(model->rowCount(), 100);
  EXPECT_EQ(model->headerData(2, Qt::Horizontal).toString(), "T2");
  EXPECT_EQ(model->index(41, 3).data().toString(), "42-3");
  EXPECT_TRUE(view->isColumnHidden(0));
  EXPECT_EQ(view->verticalHeader()->sectionResizeMode(0), QHeaderView::Fixed);
  EXPECT_EQ(view->rowHeight(57), toolkit.twipScale().toPixelsY(360));
  grid->setRow(7);
  grid->setCol(0);
  grid->setColSel(3);
  const QModelIndexList selected = view->selectionModel()->selectedIndexes();
  EXPECT_EQ(selected.size(), 4);
  for (const QModelIndex& index : selected) EXPECT_EQ(index.row(), 6);
  grid->setColSel(0);
  EXPECT_TRUE(view->selectionModel()->selectedIndexes().empty());
  grid->setTopRow(60);
  EXPECT_EQ(view->verticalScrollBar()->value(), 59);
  fill(3);
  EXPECT_EQ(model->rowCount(), 3);
}

TEST_F(ListGridViewTest, AGridsFirstPaintIsAMomentOfTheRunAndItsLaterPaintsAreNot) {
  std::vector<std::string> moments;
  app.setMomentHook([&](std::string_view name) { moments.emplace_back(name); });
  platform::ui::Form other(app, "F_OTHER");
  other.add<ListGrid>("GRID").move(0, 0, 3000, 2000);
  other.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(toolkit.windowOf(other)));
  toolkit.windowOf(other)->repaint();
  view->repaint();
  EXPECT_EQ(moments, std::vector<std::string>{"grid-painted"});
  app.setMomentHook({});
}

TEST_F(ListGridViewTest, AClickAndTheArrowKeysMoveTheModelsCurrentRow) {
  int clicks = 0;
  int rowChanges = 0;
  grid->onClick = [&] { ++clicks; };
  grid->onRowColChange = [&] { ++rowChanges; };
  grid->setTopRow(1);
  QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, cellCentre(3, 2));
  EXPECT_EQ(std::make_pair(grid->row(), grid->col()), std::make_pair(3, 2));
  EXPECT_EQ(clicks, 1);
  EXPECT_EQ(rowChanges, 1);
  EXPECT_EQ(form->activeControl(), grid);
  EXPECT_EQ(QApplication::focusWidget(), view);
  QTest::keyClick(view, Qt::Key_Down);
  QTest::keyClick(view, Qt::Key_Down);
  EXPECT_EQ(grid->row(), 5);
  EXPECT_EQ(view->currentIndex().row(), 4);
  QTest::keyClick(view, Qt::Key_Up);
  EXPECT_EQ(grid->row(), 4);
  QTest::keyClick(view, Qt::Key_End, Qt::ControlModifier);
  EXPECT_EQ(grid->row(), 100);
  EXPECT_GT(view->verticalScrollBar()->value(), 0) << "the last row was scrolled into view";
  int doubleClicks = 0;
  grid->onDoubleClick = [&] { ++doubleClicks; };
  QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, cellCentre(grid->topRow() + 1, 1));
  EXPECT_EQ(doubleClicks, 1);
}

// Rows appended to a grid in use are inserted when the grid says so, without a reset: the highlighted row and the
// scrolling stay, and a current row among the new rows is shown.
TEST_F(ListGridViewTest, AppendedRowsAreInsertedWhenShown) {
  grid->setTopRow(3);
  grid->setCol(0);
  grid->setColSel(3);
  for (int r = 101; r <= 150; ++r) grid->cellsForAppend().appendRow(360, CellAlignment::LeftCenter);
  grid->cellsForAppend().setText(150, 1, "150-1");
  EXPECT_EQ(view->model()->rowCount(), 100);
  grid->showAppendedRows();
  EXPECT_EQ(view->model()->index(149, 1).data().toString(), "150-1");
  EXPECT_EQ(std::make_pair(view->selectionModel()->selectedIndexes().size(), view->verticalScrollBar()->value()),
            std::make_pair(qsizetype{4}, 2));
  grid->cellsForAppend().appendRow(360, CellAlignment::LeftCenter);
  grid->setRow(151);
  grid->showAppendedRows();
  EXPECT_EQ(view->currentIndex().row(), 150);
}

}  // namespace
