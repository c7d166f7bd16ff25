// Each statement of the stores once, on both drivers against the demo data.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <set>
#include <stdexcept>
#include <tuple>

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
  static std::string keyOf(const PairListing::Row& row) {
    return std::string(row.centerCode) + "/" + std::string(row.partnerCode);
  }
  // The pairs from the listing's current row on.
  static std::vector<std::string> pairsOf(PairListing& listing) {
    std::vector<std::string> pairs;
    for (; !listing.atEnd(); listing.moveNext()) {
      pairs.push_back(keyOf(listing.row()));
    }
    return pairs;
  }
  static std::vector<std::string> pairsOf(PairListing&& listing) { return pairsOf(listing); }
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

// Pages of any size, a boundary inside a center among equal center names or on a change of center, list what
// one statement lists, codes that collations order differently included.
TEST_P(Stores, APairListingReadInPagesListsWhatOneStatementLists) {
  execute(
      "INSERT INTO FL1915センタ利用企業マスタ VALUES ('C002', 'b1'), ('C002', 'B1'), ('C002', 'a1'), ('C002', 'a-1')");
  const std::vector<std::string> whole = pairsOf(PairListing(session, std::nullopt, {.first = 1000, .next = 1}));
  const std::vector<std::string> center = pairsOf(PairListing(session, "C002", {.first = 1000, .next = 1}));
  ASSERT_EQ(std::make_tuple(whole.size(), center.size()), std::make_tuple(33u, 10u));
  for (const ListingPages pages : {ListingPages{1, 1}, ListingPages{2, 3}, ListingPages{7, 7}, ListingPages{}}) {
    EXPECT_EQ(pairsOf(PairListing(session, std::nullopt, pages)), whole) << pages.first << "/" << pages.next;
    EXPECT_EQ(pairsOf(PairListing(session, "C002", pages)), center) << pages.first << "/" << pages.next;
  }
}

// Between two pages another workstation adds and removes pairs, and a change on the same connection commits or
// rolls back: every pair that nobody changed is listed once, in order, and nothing twice.
TEST_P(Stores, APairListingReadInPagesListsEveryUnchangedPairOnce) {
  const std::vector<std::string> before = pairsOf(pairs.listing());
  PairListing paged(session, std::nullopt, {.first = 2, .next = 3});
  std::vector<std::string> listed;
  const auto take = [&](int count) {
    for (; count > 0 && !paged.atEnd(); --count, paged.moveNext()) listed.push_back(keyOf(paged.row()));
  };
  take(4);
  execute("DELETE FROM FL1915センタ利用企業マスタ WHERE 相手先企業コード IN ('A00012345679', 'M55501')");
  execute("INSERT INTO FL1915センタ利用企業マスタ VALUES ('C001', '0000'), ('C003', 'ZZZZ')");
  take(3);
  {
    StoreTransaction change = pairs.beginChange();
    EXPECT_EQ(pairs.removePair(change, {"C004", "F99"}), 1);
    take(3);
    change.commit();
  }
  take(3);
  pairs.beginChange().rollback();
  take(100);
  const std::set<std::string> changed = {"C001/A00012345679", "C002/M55501", "C001/0000", "C003/ZZZZ", "C004/F99"};
  std::vector<std::string> unchanged = listed;
  std::erase_if(unchanged, [&](const std::string& pair) { return changed.contains(pair); });
  std::vector<std::string> expected = before;
  std::erase_if(expected, [&](const std::string& pair) { return changed.contains(pair); });
  EXPECT_EQ(unchanged, expected);
  EXPECT_EQ(std::set<std::string>(listed.begin(), listed.end()).size(), listed.size());
  EXPECT_TRUE(std::find(listed.begin(), listed.end(), "C003/ZZZZ") != listed.end());
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
