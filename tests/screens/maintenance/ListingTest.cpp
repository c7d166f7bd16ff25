// The listing in the main window's grid and the search by center code, on the headless toolkit, through the
// program's own queries on both drivers.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <stdexcept>
#include <string>
#include <tuple>
#include <vector>

#include "db/QueryOperations.h"
#include "platform/odbc/DatabaseError.h"
#include "platform/ui/CommandButton.h"
#include "platform/ui/HeadlessToolkit.h"
#include "platform/ui/Label.h"
#include "platform/ui/ListGrid.h"
#include "platform/ui/TextBox.h"
#include "program/Program.h"
#include "screens/maintenance/ListingFill.h"
#include "screens/maintenance/MaintenanceScreen.h"
#include "screens/maintenance/ScreenStates.h"
#include "tests/support/MainWindowSteps.h"
#include "tests/support/MaintenanceWorld.h"
#include "tests/support/SqlScript.h"
#include "tests/support/TestDatabase.h"
#include "tests/support/TestFolder.h"

namespace mnt4820 {
namespace {

using platform::ui::CellAlignment;
using platform::ui::ListGrid;
namespace key = platform::ui::key;

constexpr int DemoPairs = 29;  // C001 to C005; the pair of C009 has no center and is never listed

class Listing : public ::testing::TestWithParam<test::Engine> {
 protected:
  void SetUp() override { open(true); }

  void open(bool withDemoData) {
    database = test::TestDatabase::create(GetParam(), withDemoData);
    if (!database) GTEST_SKIP() << "MNT4820_SKIP_PG=1: PostgreSQL run skipped";
    test::openMainWindow(maintenance, {"", database->user(), database->password(), database->dsn()});
  }

  // What the start-up and every change do: the full listing into the grid.
  void reload() {
    std::int16_t status = 0;
    showFullListing(maintenance, status);
    ASSERT_EQ(status, 0);
    toolkit.runPosted();
  }

  void sql(const std::string& statement) { database->connect().execute(statement); }
  void search(const std::string& center) {
    test::enter(window().KCNTCD, center);
    toolkit.runPosted();
  }

  platform::ui::Form& form() const { return *maintenance.window.form; }
  const F_MNT4820& window() const { return maintenance.window; }
  std::vector<std::string> detail() const {
    return {window().CNTCD.text(), window().lbl_CNTNM.caption(), window().ATKCD.text()};
  }
  std::vector<std::string> gridRow(int row) const {
    return {window().GRID.textMatrix(row, 1), window().GRID.textMatrix(row, 2), window().GRID.textMatrix(row, 3)};
  }

  std::optional<test::TestDatabase> database;
  platform::ui::HeadlessToolkit toolkit;
  platform::ui::Application application{toolkit};
  Program program{application};
  MaintenanceScreen maintenance{program};
};

TEST_P(Listing, ListsEveryPairOfAKnownCenterInOrderTrimmed) {
  sql("INSERT INTO FL1915センタ利用企業マスタ (センターコード, 相手先企業コード) VALUES ('C003', 'P1  ')");
  sql("UPDATE FL1903EDI制御マスタ SET センター名 = ' 中部流通センター  ' WHERE センターコード = 'C003'");
  reload();
  const MaintenanceState& state = maintenance.state;
  ASSERT_EQ(state.GridRowCount, DemoPairs + 1);
  EXPECT_EQ(window().GRID.rows(), DemoPairs + 2);
  EXPECT_TRUE(state.GridLoaded);
  EXPECT_EQ(window().GRID.cols(), 4);
  EXPECT_EQ(gridRow(0), (std::vector<std::string>{"ｾﾝﾀｰｺｰﾄﾞ", "  ", "相手先企業ｺｰﾄﾞ"}));
  EXPECT_EQ((std::vector<int>{window().GRID.colWidth(0), window().GRID.colWidth(1), window().GRID.colWidth(2),
                              window().GRID.colWidth(3)}),
            (std::vector<int>{0, 1600, 5500, 1820}));
  EXPECT_EQ(gridRow(1), (std::vector<std::string>{"C001", "東日本物流センター", "A00012345678"}));
  EXPECT_EQ(gridRow(20), (std::vector<std::string>{"C003", "中部流通センター", "S7700123"}));
  std::vector<std::pair<std::string, std::string>> keys;
  for (int row = 1; row <= state.GridRowCount; ++row) {
    keys.emplace_back(window().GRID.textMatrix(row, 1), window().GRID.textMatrix(row, 3));
    EXPECT_EQ(window().GRID.textMatrix(row, 0), "");
    EXPECT_EQ(window().GRID.cells().alignment(row, 3), CellAlignment::LeftCenter);
    EXPECT_EQ(window().GRID.rowHeight(row), 360);
  }
  EXPECT_TRUE(std::is_sorted(keys.begin(), keys.end()));
  EXPECT_EQ(std::count(keys.begin(), keys.end(), std::pair<std::string, std::string>{"C003", "P1"}), 1);
  EXPECT_EQ(std::count_if(keys.begin(), keys.end(), [](const auto& k) { return k.first == "C009"; }), 0);
  EXPECT_EQ(std::make_pair(window().GRID.row(), window().GRID.col()), std::make_pair(DemoPairs + 1, 3));
}

TEST_P(Listing, SearchNarrowsToTheCenterAndTheGridOpensItsRows) {
  form().typeText("c002");
  form().pressKey(key::Enter, 0);
  ASSERT_EQ(maintenance.state.GridRowCount, 6);
  EXPECT_EQ(window().GRID.rows(), 7);
  EXPECT_EQ(gridRow(6), (std::vector<std::string>{"C002", "西日本物流センター", "M55501"}));
  EXPECT_EQ(std::make_tuple(window().GRID.row(), window().GRID.col(), window().GRID.colSel(), window().GRID.topRow()),
            std::make_tuple(1, 0, 3, 1));
  EXPECT_EQ(detail(), gridRow(1));
  EXPECT_EQ(form().activeControl(), &window().ATKCD);
  EXPECT_EQ(program.screen.ScreenArea, Area::Body);
  EXPECT_FALSE(window().CNTCD.isEnabled());
  EXPECT_FALSE(window().KCNTCD.isEnabled());
  EXPECT_FALSE(window().CMD[0].isEnabled());
  EXPECT_TRUE(window().CMD[2].isEnabled());

  // A click shows the row and keeps the focus on the grid; the arrow keys show each row in turn.
  window().GRID.selectCell(3, 1);
  form().click(window().GRID);
  EXPECT_EQ(detail(), gridRow(3));
  EXPECT_EQ(form().activeControl(), &window().GRID);
  EXPECT_EQ(std::make_pair(window().GRID.col(), window().GRID.colSel()), std::make_pair(0, 3));
  form().pressKey(key::Down, 0);
  EXPECT_EQ(window().GRID.row(), 4);
  EXPECT_EQ(detail(), gridRow(4));
  form().pressKey(key::Enter, 0);
  EXPECT_EQ(form().activeControl(), &window().ATKCD);
  window().GRID.selectCell(5, 2);
  form().doubleClick(window().GRID);
  EXPECT_EQ(detail(), gridRow(5));
  EXPECT_EQ(form().activeControl(), &window().ATKCD);

  // Esc on the grid goes back to the key area with the header intact.
  form().click(window().GRID);
  form().pressKey(key::Esc, 0);
  test::expectKeyArea(maintenance);
  EXPECT_EQ(detail(), (std::vector<std::string>{"", "", ""}));
  EXPECT_EQ(window().lbl_PGID.caption(), "SCR48201");
  EXPECT_EQ(window().GRID.colSel(), 0);

  // An empty key opens the first row of what the grid shows, without a reload.
  form().pressKey(key::Enter, 0);
  EXPECT_EQ(detail(), (std::vector<std::string>{"C002", "西日本物流センター", "A00023456781"}));
  EXPECT_EQ(form().activeControl(), &window().ATKCD);
  EXPECT_TRUE(toolkit.messages().empty());
}

TEST_P(Listing, AnUnknownCenterLeavesTheGridAndTheKeyArea) {
  toolkit.answerNext(platform::ui::mb::Answer::Ok);
  toolkit.answerNext(platform::ui::mb::Answer::Ok);
  search("C008");
  ASSERT_EQ(toolkit.messages().size(), 1U);
  EXPECT_EQ(toolkit.messages()[0].prompt, "該当データがありません");
  EXPECT_EQ(toolkit.messages()[0].flags, 0);
  EXPECT_EQ(toolkit.messages()[0].title, "MNT4820");
  EXPECT_EQ(maintenance.state.GridRowCount, DemoPairs);
  test::expectKeyArea(maintenance);
  // The key is bound, never spliced: a quote is just a character of a center that does not exist.
  search("C001' OR 'A'='A");
  EXPECT_EQ(toolkit.messages().size(), 2U);
  EXPECT_EQ(maintenance.state.GridRowCount, DemoPairs);
}

TEST_P(Listing, ARowWithoutAPairOpensNothing) {
  sql("DELETE FROM FL1915センタ利用企業マスタ");
  reload();
  // A fill that found nothing keeps the old rows, emptied.
  EXPECT_EQ(maintenance.state.GridRowCount, 0);
  EXPECT_EQ(window().GRID.rows(), DemoPairs + 1);
  EXPECT_EQ(gridRow(1), (std::vector<std::string>{"", "", ""}));
  EXPECT_EQ(std::make_pair(window().GRID.row(), window().GRID.col()), std::make_pair(0, 3));
  for (auto open : {+[](platform::ui::Form& f, ListGrid& g) { f.click(g); },
                    +[](platform::ui::Form& f, ListGrid& g) { f.doubleClick(g); }}) {
    window().GRID.selectCell(1, 1);
    open(form(), window().GRID);
    EXPECT_EQ(program.screen.ScreenArea, Area::Head);
    EXPECT_FALSE(window().ATKCD.isEnabled());
  }
  form().pressKey(key::Enter, 0);
  EXPECT_EQ(form().activeControl(), &window().GRID);
  window().KCNTCD.setFocus();
  search("");
  test::expectKeyArea(maintenance);
  EXPECT_TRUE(toolkit.messages().empty());
}

TEST_P(Listing, AFailingSearchSaysSoAndStaysInTheKeyArea) {
  sql("DROP TABLE FL1903EDI制御マスタ");
  window().KCNTCD.setText("C001");
  toolkit.answerNext(platform::ui::mb::Answer::Ok);
  form().click(window().CMD[0]);
  ASSERT_EQ(toolkit.messages().size(), 1U);
  EXPECT_EQ(toolkit.messages()[0].prompt, "検索時にｴﾗｰがありました");
  EXPECT_EQ(toolkit.messages()[0].flags, 0);
  test::expectKeyArea(maintenance);
  EXPECT_EQ(maintenance.state.GridRowCount, DemoPairs);
}

TEST_P(Listing, ListsMoreThanASixteenBitCount) {
  platform::odbc::Connection setup = database->connect();
  platform::odbc::test::runSqlScript(setup, test::generatedPairs(40000));
  reload();
  EXPECT_EQ(maintenance.state.GridRowCount, DemoPairs + 40000);
  EXPECT_EQ(window().GRID.rows(), DemoPairs + 40001);
  EXPECT_EQ(gridRow(DemoPairs + 40000), (std::vector<std::string>{"G050", "名古屋港物流センター", "P00000040000"}));
  search("G050");
  EXPECT_EQ(maintenance.state.GridRowCount, 800);
  EXPECT_EQ(detail(), (std::vector<std::string>{"G050", "名古屋港物流センター", "P00000000050"}));
}

// A fill that fails (here the listing's second page can no longer be read) still ends: row changes are shown
// again after it.
TEST_P(Listing, AFailedFillLeavesRowChangesShown) {
  std::optional<PairListing> listing(std::in_place, program.database, std::nullopt, ListingPages{3, 3});
  database->connect().execute("DROP TABLE FL1903EDI制御マスタ");
  EXPECT_THROW(FillGrid(maintenance, listing), platform::odbc::DatabaseError);
  EXPECT_TRUE(maintenance.state.GridLoaded);
  window().GRID.setRow(3);
  EXPECT_EQ(detail(), gridRow(3));
}

class EmptyListing : public Listing {
 protected:
  void SetUp() override { open(false); }
};

TEST_P(EmptyListing, ShowsTheTitlesAndOneEmptyRowAndOpensNothing) {
  EXPECT_EQ(window().GRID.rows(), 2);
  EXPECT_EQ(gridRow(0), (std::vector<std::string>{"ｾﾝﾀｰｺｰﾄﾞ", "  ", "相手先企業ｺｰﾄﾞ"}));
  EXPECT_TRUE(maintenance.state.GridLoaded);
  search("");
  search("C001");
  test::expectKeyArea(maintenance);
  EXPECT_TRUE(toolkit.messages().empty());
}

MNT4820_INSTANTIATE_FOR_BOTH_ENGINES(Listing);
MNT4820_INSTANTIATE_FOR_BOTH_ENGINES(EmptyListing);

}  // namespace
}  // namespace mnt4820
