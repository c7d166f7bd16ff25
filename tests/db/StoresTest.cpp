// Each statement of the stores once, on both drivers against the demo data.
#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>

#include "db/DatabaseSession.h"
#include "db/PairStore.h"
#include "db/SearchStore.h"
#include "platform/odbc/Connection.h"
#include "tests/support/TestDatabase.h"

namespace mnt4820 {
namespace {

class Stores : public ::testing::TestWithParam<test::Engine> {
 protected:
  void SetUp() override {
    database = test::TestDatabase::create(GetParam(), true);
    if (!database) GTEST_SKIP() << "MNT4820_SKIP_PG=1: PostgreSQL run skipped";
    ConnectDatabase(session, {"WS01", database->user(), database->password(), database->dsn()});
  }
  bool postgres() const { return GetParam() == test::Engine::Postgres; }
  void execute(const std::string& sql) { database->connect().execute(sql); }
  static std::vector<std::string> pairsOf(PairListing listing) {
    std::vector<std::string> pairs;
    for (; !listing.atEnd(); listing.moveNext()) {
      pairs.push_back(std::string(listing.row().centerCode) + "/" + std::string(listing.row().partnerCode));
    }
    return pairs;
  }
  static std::vector<std::string> firstColumn(SearchRows rows) {
    std::vector<std::string> values;
    for (; !rows.atEnd(); rows.moveNext()) values.push_back(rows.currentRow().at(0).value_or("<null>"));
    return values;
  }

  std::optional<test::TestDatabase> database;
  DatabaseSession session;
  PairStore pairs{session};
  SearchStore search{session};
};

TEST_P(Stores, PairListingsHoldThePairsOfKnownCentersInOrderWithTheCenterName) {
  // Stored last, listed first of its center.
  execute("INSERT INTO FL1915センタ利用企業マスタ VALUES ('C001', '0AAA')");
  std::vector<std::string> stored = test::storedPairs(database->connect());
  std::erase_if(stored, [](const std::string& pair) { return pair.starts_with("C009/"); });
  EXPECT_EQ(pairsOf(pairs.listing()), stored);
  const PairListing first = pairs.centerListing("C002");
  EXPECT_EQ(first.row().centerName, "西日本物流センター");
  EXPECT_EQ(pairsOf(pairs.centerListing("C002")).size(), 6u);
  EXPECT_TRUE(pairs.centerListing("C009").atEnd());
}

TEST_P(Stores, PairChecksFindACentersNameAndAPartnerCodeInUse) {
  EXPECT_EQ(pairs.centerName("C001"), "東日本物流センター");
  EXPECT_EQ(pairs.centerName("C009"), std::nullopt);
  EXPECT_TRUE(pairs.partnerCodeUsed("A00012345678"));
  EXPECT_FALSE(pairs.partnerCodeUsed("NO-SUCH"));
}

TEST_P(Stores, AReplacedPairThatIsGoneInsertsNothing) {
  pairs.replacePair(PairKey{"C001", "T001"}, {"C001", "NEW1"});
  pairs.replacePair(std::nullopt, {"C002", "NEW2"});
  EXPECT_THROW(pairs.replacePair(PairKey{"C001", "T001"}, {"C001", "NEW3"}), std::runtime_error);
  std::vector<std::string> stored = test::storedPairs(database->connect());
  EXPECT_EQ(std::erase_if(stored, [](const std::string& pair) { return pair.find("/NEW") != std::string::npos; }), 2u);
  EXPECT_EQ(pairsOf(pairs.centerListing("C001")).back(), "C001/NEW1");
}

TEST_P(Stores, APairIsRemovedOnlyInsideAChangeAndKeptWhenItRollsBack) {
  {
    StoreTransaction change = pairs.beginChange();
    EXPECT_EQ(pairs.removePair(change, {"C001", "T001"}), 1);
    EXPECT_EQ(pairs.removePair(change, {"C002", "A00012345678"}), 0);
    change.rollback();
    EXPECT_THROW(pairs.removePair(change, {"C001", "T001"}), std::logic_error);
  }
  EXPECT_TRUE(pairs.partnerCodeUsed("T001"));
}

TEST_P(Stores, EachSearchKindListsItsColumnsInQueryOrderHeadedAsTheDatabaseNamesThem) {
  struct Case {
    std::function<SearchRows()> open;
    std::vector<std::string> columns;
    std::size_t rows;
  };
  const std::string bpid = postgres() ? "bpid" : "BPID";
  const std::string itemNo = postgres() ? "項目no" : "項目No";
  const std::string path = postgres() ? "krx受信ファイルパス" : "KRX受信ファイルパス";
  const std::vector<Case> cases = {
      {[&] { return search.messageGroups(""); }, {"受注者コード", "発注者コード", "情報区分"}, 5},
      {[&] { return search.terminalCenters("04", "EDISV01"); },
       {"センターコード", "センター名", "相手先種別", "送受信方式", path, "実行端末名"},
       2},
      {[&] { return search.centers(); }, {"センターコード", "センター名"}, 5},
      {[&] { return search.formats(""); }, {"情報区分コード", bpid}, 4},
      {[&] { return search.dataItems(); }, {itemNo, "データ項目名"}, 8},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(c.open().columnNames(), c.columns);
    EXPECT_EQ(firstColumn(c.open()).size(), c.rows) << c.columns.front();
  }
}

TEST_P(Stores, SearchKeysAreComparedAsGivenAndFilterOnlyWhereTheKindSaysSo) {
  execute(
      "INSERT INTO FL1903EDI制御マスタ (センターコード, センター名, 相手先種別, 送受信方式, 実行端末名) "
      "VALUES ('C100', '端末なし', '04', '1', '')");
  EXPECT_EQ(firstColumn(search.messageGroups("   ")).size(), 5u);
  EXPECT_EQ(firstColumn(search.messageGroups("A00012345678")),
            (std::vector<std::string>{"A00012345678", "A00012345678"}));
  EXPECT_EQ(firstColumn(search.terminalCenters("04", "")), (std::vector<std::string>{"C100"}));
  EXPECT_EQ(firstColumn(search.formats("02")), (std::vector<std::string>{"02"}));
  EXPECT_EQ(firstColumn(search.formats("")), (std::vector<std::string>{"01", "02", "03", "04"}));
  for (const std::string key : {" A00012345678 ", "A'1", "' OR '1'='1"}) EXPECT_TRUE(search.messageGroups(key).atEnd());
}

MNT4820_INSTANTIATE_FOR_BOTH_ENGINES(Stores);

}  // namespace
}  // namespace mnt4820
