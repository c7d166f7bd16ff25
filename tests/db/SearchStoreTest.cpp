// The code search's five statements, on both drivers against the demo data.
#include <gtest/gtest.h>

#include <functional>

#include "db/DatabaseSession.h"
#include "db/SearchStore.h"
#include "platform/odbc/Connection.h"
#include "tests/support/TestDatabase.h"

namespace mnt4820 {
namespace {

class SearchStoreTest : public ::testing::TestWithParam<test::Engine> {
 protected:
  void SetUp() override {
    database = test::TestDatabase::create(GetParam(), true);
    if (!database) GTEST_SKIP() << "MNT4820_SKIP_PG=1: PostgreSQL run skipped";
    ConnectDatabase(session, {"WS01", database->user(), database->password(), database->dsn()});
  }
  bool postgres() const { return GetParam() == test::Engine::Postgres; }
  void execute(const std::string& sql) { database->connect().execute(sql); }
  static std::vector<std::string> firstColumn(SearchRows rows) {
    std::vector<std::string> values;
    for (; !rows.atEnd(); rows.moveNext()) values.push_back(rows.currentRow().at(0).value_or("<null>"));
    return values;
  }

  std::optional<test::TestDatabase> database;
  DatabaseSession session;
  SearchStore store{session};
};

TEST_P(SearchStoreTest, EachKindListsItsColumnsInQueryOrderHeadedAsTheDatabaseNamesThem) {
  struct Case {
    std::function<SearchRows()> open;
    std::vector<std::string> columns;
    std::size_t rows;
  };
  const std::string bpid = postgres() ? "bpid" : "BPID";
  const std::string itemNo = postgres() ? "項目no" : "項目No";
  const std::string path = postgres() ? "krx受信ファイルパス" : "KRX受信ファイルパス";
  const std::vector<Case> cases = {
      {[&] { return store.messageGroups(""); }, {"受注者コード", "発注者コード", "情報区分"}, 5},
      {[&] { return store.terminalCenters("04", "EDISV01"); },
       {"センターコード", "センター名", "相手先種別", "送受信方式", path, "実行端末名"},
       2},
      {[&] { return store.centers(); }, {"センターコード", "センター名"}, 5},
      {[&] { return store.formats(""); }, {"情報区分コード", bpid}, 4},
      {[&] { return store.dataItems(); }, {itemNo, "データ項目名"}, 8},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(c.open().columnNames(), c.columns);
    EXPECT_EQ(firstColumn(c.open()).size(), c.rows) << c.columns.front();
  }
}

TEST_P(SearchStoreTest, KeysAreComparedAsGivenAndFilterOnlyWhereTheKindSaysSo) {
  execute(
      "INSERT INTO FL1903EDI制御マスタ (センターコード, センター名, 相手先種別, 送受信方式, 実行端末名) "
      "VALUES ('C100', '端末なし', '04', '1', '')");
  EXPECT_EQ(firstColumn(store.messageGroups("   ")).size(), 5u);
  EXPECT_EQ(firstColumn(store.messageGroups("A00012345678")),
            (std::vector<std::string>{"A00012345678", "A00012345678"}));
  EXPECT_EQ(firstColumn(store.terminalCenters("04", "")), (std::vector<std::string>{"C100"}));
  EXPECT_EQ(firstColumn(store.formats("02")), (std::vector<std::string>{"02"}));
  EXPECT_EQ(firstColumn(store.formats("")), (std::vector<std::string>{"01", "02", "03", "04"}));
  for (const std::string key : {" A00012345678 ", "A'1", "' OR '1'='1"}) EXPECT_TRUE(store.messageGroups(key).atEnd());
}

MNT4820_INSTANTIATE_FOR_BOTH_ENGINES(SearchStoreTest);

}  // namespace
}  // namespace mnt4820
