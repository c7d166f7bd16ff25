// The list grid of the control model: its cells, its current cell under the keys, and what its views hear.
#include <gtest/gtest.h>

#include <map>
#include <optional>
#include <string>
#include <tuple>

#include "platform/ui/Application.h"
#include "platform/ui/Form.h"
#include "platform/ui/HeadlessToolkit.h"
#include "platform/ui/ListGrid.h"

namespace {

using namespace platform::ui;

struct Reports : ControlObserver {
  std::map<Property, int> count;
  std::optional<RowRange> lastRows;
  void controlChanged(Control&, const ControlChange& change) override {
    ++count[change.property];
    lastRows = change.rows;
  }
};

class ListGridTest : public ::testing::Test {
 protected:
  void SetUp() override {
    grid.move(0, 0, 3000, 360 * 6);  // the title row and five data rows in view
    grid.setCols(3);
    grid.setRows(21);
    for (int row = 1; row < 21; ++row) grid.setRowHeight(row, 360);
    form.show();
    grid.setObserver(&reports);
  }

  HeadlessToolkit toolkit;
  Application app{toolkit};
  Form form{app, "F_TEST"};
  ListGrid& grid = form.add<ListGrid>("GRID");
  Reports reports;
};

TEST_F(ListGridTest, KeepsCellsAcrossResizesAndClearKeepsTheRows) {
  grid.setTextMatrix(2, 1, "a");
  grid.setTextMatrix(20, 2, "b");
  grid.setCols(4);
  EXPECT_EQ(grid.textMatrix(2, 1), "a");
  EXPECT_EQ(grid.textMatrix(20, 2), "b");
  EXPECT_EQ(grid.colWidth(3), GridStore::DefaultColWidth);
  grid.clear();
  EXPECT_EQ(std::make_tuple(grid.rows(), grid.cols(), grid.textMatrix(2, 1)), std::make_tuple(21, 4, ""));
  grid.setRows(3);
  EXPECT_THROW(grid.textMatrix(3, 0), UiError);
}

// Cells rewritten again and again, longer and shorter, then rows dropped: each keeps exactly its last text.
// The cells lie in blocks of 4,096 rows: rows on either side of each block boundary read back what was appended,
// and so does the title row, once the store has grown past them.
TEST(GridStoreBlocks, RowsAtTheBlockBoundariesReadBackWhatWasAppended) {
  GridStore store;
  store.resize(1, 2);
  store.setText(0, 1, "title");
  const auto textOf = [](int row) { return "r" + std::to_string(row); };
  for (int row = 1; row <= 8193; ++row) {
    ASSERT_EQ(store.appendRow(100 + row % 7, CellAlignment::LeftCenter), row);
    store.setText(row, 1, textOf(row));
  }
  store.setAlignment(4096, 0, CellAlignment::RightBottom);
  EXPECT_EQ(store.text(0, 1), "title");
  for (int row : {4095, 4096, 4097, 8191, 8192, 8193}) {
    SCOPED_TRACE(row);
    EXPECT_EQ(std::make_tuple(std::string(store.text(row, 1)), std::string(store.text(row, 0)), store.rowHeight(row)),
              std::make_tuple(textOf(row), std::string(), 100 + row % 7));
    EXPECT_EQ(store.alignment(row, 0), row == 4096 ? CellAlignment::RightBottom : CellAlignment::LeftCenter);
  }
  EXPECT_EQ(store.rows(), 8194);
}

TEST_F(ListGridTest, RewrittenCellsKeepTheirLastTexts) {
  const auto textOf = [](int i) {
    return std::string(static_cast<std::size_t>(i % 50), static_cast<char>('a' + i % 26));
  };
  for (int i = 0; i < 2000; ++i) grid.setTextMatrix(1 + i % 20, i % 3, textOf(i));
  grid.setRows(11);
  grid.setTextMatrix(1, 0, "z");
  for (int i = 1940; i < 2000; ++i) {  // the last write of each of the 60 cells
    const int row = 1 + i % 20;
    if (row < 11) {
      EXPECT_EQ(grid.textMatrix(row, i % 3), row == 1 && i % 3 == 0 ? "z" : textOf(i)) << i;
    }
  }
}

TEST_F(ListGridTest, AFillIsReportedOnce) {
  {
    const ListGrid::Update update(grid);
    grid.setRows(1);
    for (int row = 1; row <= 1000; ++row) grid.cellsForUpdate().appendRow(360, CellAlignment::LeftCenter);
    grid.setTextMatrix(1000, 2, "x");
  }
  EXPECT_EQ(reports.count[Property::Contents], 1);
  EXPECT_EQ(grid.rows(), 1001);
  EXPECT_THROW(grid.cellsForUpdate(), UiError);
  grid.setTextMatrix(700, 1, "y");
  EXPECT_EQ(reports.lastRows, (RowRange{700, 1})) << "one cell changed outside a fill names its row";
}

TEST_F(ListGridTest, KeysMoveTheCurrentRowAndKeepItInView) {
  int changes = 0;
  grid.onRowColChange = [&] { ++changes; };
  grid.setFocus();
  grid.setCol(0);
  grid.setColSel(2);
  changes = 0;
  struct Step {
    std::int16_t key;
    std::int16_t shift;
    int row;
    int topRow;
    int colSel;
  };
  // Rows move with the highlighted columns; Ctrl+End and Ctrl+Home move to another column, then alone selected.
  const Step steps[] = {
      {key::Down, 0, 2, 1, 2},      {key::Up, 0, 1, 1, 2},
      {key::Up, 0, 1, 1, 2},        {key::PageDown, 0, 6, 2, 2},
      {key::PageDown, 0, 11, 7, 2}, {key::End, shift::Ctrl, 20, 16, 2},
      {key::Down, 0, 20, 16, 2},    {key::Home, shift::Ctrl, 1, 1, 0},
  };
  for (const Step& step : steps) {
    form.pressKey(step.key, step.shift);
    EXPECT_EQ(std::make_tuple(grid.row(), grid.topRow(), grid.colSel()),
              std::make_tuple(step.row, step.topRow, step.colSel))
        << step.key;
  }
  EXPECT_EQ(changes, 6);
}

}  // namespace
