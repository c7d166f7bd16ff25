// The listing statement of the main window, through the function that runs it.
#include <gtest/gtest.h>

#include <array>
#include <string>
#include <utility>
#include <vector>

#include "program/Program.h"
#include "db/QueryOperations.h"
#include "platform/ui/HeadlessToolkit.h"
#include "screens/maintenance/common.h"
#include "tests/support/TestDatabase.h"

namespace mnt4820 {
namespace {

using Row = std::array<std::string, 3>;

class QueryListingTest : public ::testing::TestWithParam<test::Engine> {
 protected:
  void SetUp() override {
    database = test::TestDatabase::create(GetParam(), false);
    if (!database) GTEST_SKIP() << "MNT4820_SKIP_PG=1: PostgreSQL run skipped";
    ConnectDatabase(program.database, {"WS01", database->user(), database->password(), database->dsn()});
  }

  std::optional<test::TestDatabase> database;
  platform::ui::HeadlessToolkit toolkit;
  platform::ui::Application application{toolkit};
  Program program{application};
};

TEST_P(QueryListingTest, ListsThePairsOfExistingCentersWithTheCenterNameInCodeOrder) {
  platform::odbc::Connection setup = database->connect();
  for (const auto& [code, name] : {std::pair("C2", "第二センター"), std::pair("C1", "第一センター")}) {
    setup.execute("INSERT INTO FL1903EDI制御マスタ (センターコード, センター名) VALUES (?, ?)", {std::string(code), std::string(name)});
  }
  // Stored out of order; C9 has no center and is not listed.
  for (const auto& [center, partner] :
       {std::pair("C2", "B"), std::pair("C1", "Z"), std::pair("C9", "A"), std::pair("C1", "A")}) {
    setup.execute("INSERT INTO FL1915センタ利用企業マスタ (センターコード, 相手先企業コード) VALUES (?, ?)",
                  {std::string(center), std::string(partner)});
  }
  std::optional<platform::odbc::ResultSet> listing;
  std::int16_t status = -1;
  QueryListing(program, listing, status);
  ASSERT_EQ(status, 0);
  std::vector<Row> rows;
  for (; !listing->atEnd(); listing->moveNext()) {
    rows.push_back({*listing->value("センターコード"), *listing->value("相手先企業コード"), *listing->value("センター名")});
  }
  EXPECT_EQ(rows, (std::vector<Row>{{"C1", "A", "第一センター"}, {"C1", "Z", "第一センター"}, {"C2", "B", "第二センター"}}));
}

MNT4820_INSTANTIATE_FOR_BOTH_ENGINES(QueryListingTest);

}  // namespace
}  // namespace mnt4820
