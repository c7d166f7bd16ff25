#include <gtest/gtest.h>

#include "platform/ui/DataGrid.h"
#include "platform/ui/DataSource.h"
#include "platform/ui/UiError.h"
#include "tests/platform/ui/FormTestSupport.h"

namespace platform::ui {
namespace {

// Rows held in memory, read forward as a recordset is.
class RowsInMemory : public DataSource {
 public:
  RowsInMemory(std::vector<std::string> names, std::vector<std::vector<RowCache::Cell>> rows)
      : names_(std::move(names)), rows_(std::move(rows)) {}
  std::vector<std::string> columnNames() const override { return names_; }
  bool atEnd() const override { return next_ >= rows_.size(); }
  std::vector<RowCache::Cell> currentRow() const override { return rows_.at(next_); }
  void moveNext() override { ++next_; }

 private:
  std::vector<std::string> names_;
  std::vector<std::vector<RowCache::Cell>> rows_;
  std::size_t next_ = 0;
};

RowsInMemory numberedRows(int count) {
  std::vector<std::vector<RowCache::Cell>> rows;
  for (int i = 0; i < count; ++i) rows.push_back({std::to_string(i), i % 2 == 0 ? RowCache::Cell{} : "odd"});
  return RowsInMemory({"code", "name"}, std::move(rows));
}

TEST(DataGrid, BindingReadsEveryRowAndTheKeysMoveTheCurrentRowWithinThem) {
  testing::FormWorld world;
  auto& grid = world.form.add<DataGrid>("GRID");
  grid.setGeometry({0, 0, 3000, 5 * DataGrid::DefaultRowHeight});  // headings and four rows
  RowsInMemory source = numberedRows(20);
  grid.setDataSource(&source);
  EXPECT_TRUE(source.atEnd());
  EXPECT_EQ(grid.rows().columnNames(), (std::vector<std::string>{"code", "name"}));
  ASSERT_EQ(grid.rowCount(), 20u);
  EXPECT_EQ(grid.rows().cell(19, 1), "odd");
  EXPECT_EQ(grid.value(1), std::nullopt);
  world.form.show();
  ASSERT_TRUE(grid.hasFocus());

  const std::vector<std::pair<std::int16_t, int>> moves = {{key::Up, 0},   {key::Down, 1},   {key::PageDown, 5},
                                                           {key::End, 19}, {key::Down, 19},  {key::PageUp, 15},
                                                           {key::Home, 0}, {key::PageUp, 0}, {key::Left, 0}};
  for (const auto& [keyCode, row] : moves) {
    world.form.pressKey(keyCode, shift::None);
    EXPECT_EQ(grid.row(), row) << "after key " << keyCode;
  }
  EXPECT_EQ(grid.value(0), "0");
  EXPECT_THROW(grid.setRow(20), UiError);

  grid.setColumnWidth(1, 5000);
  EXPECT_EQ(grid.columnWidth(1), 5000);
  EXPECT_EQ(grid.columnWidth(0), 0);
  EXPECT_THROW(grid.setColumnWidth(2, 100), UiError);

  grid.setDataSource(nullptr);
  EXPECT_FALSE(grid.isBound());
  EXPECT_EQ(grid.columnCount(), 0u);
  EXPECT_EQ(grid.row(), DataGrid::NoRow);
  EXPECT_THROW(grid.value(0), UiError);
  world.form.pressKey(key::Down, shift::None);
  EXPECT_EQ(grid.row(), DataGrid::NoRow);
}

TEST(RowCache, KeepsOneValuePerColumnOfEveryRow) {
  RowCache cache({"a", "b"});
  cache.appendRow({"1", std::nullopt});
  EXPECT_THROW(cache.appendRow({"1"}), UiError);
  EXPECT_EQ(cache.rowCount(), 1u);
  EXPECT_THROW(cache.cell(1, 0), UiError);
  EXPECT_THROW(cache.cell(0, 2), UiError);
}

}  // namespace
}  // namespace platform::ui
