// Each statement of the pairs store once, on both drivers against the demo data.
#include <gtest/gtest.h>

#include <stdexcept>

#include "db/DatabaseSession.h"
#include "db/PairStore.h"
#include "platform/odbc/Connection.h"
#include "tests/support/TestDatabase.h"

namespace mnt4820 {
namespace {

class PairStoreTest : public ::testing::TestWithParam<test::Engine> {
 protected:
  void SetUp() override {
    database = test::TestDatabase::create(GetParam(), true);
    if (!database) GTEST_SKIP() << "MNT4820_SKIP_PG=1: PostgreSQL run skipped";
    ConnectDatabase(session, {"WS01", database->user(), database->password(), database->dsn()});
  }
  static std::vector<std::string> pairsOf(PairListing listing) {
    std::vector<std::string> pairs;
    for (; !listing.atEnd(); listing.moveNext()) {
      pairs.push_back(std::string(listing.row().centerCode) + "/" + std::string(listing.row().partnerCode));
    }
    return pairs;
  }

  std::optional<test::TestDatabase> database;
  DatabaseSession session;
  PairStore pairs{session};
};

TEST_P(PairStoreTest, ListingsHoldThePairsOfKnownCentersInOrderWithTheCenterName) {
  // Stored last, listed first of its center.
  database->connect().execute("INSERT INTO FL1915センタ利用企業マスタ VALUES ('C001', '0AAA')");
  std::vector<std::string> stored = test::storedPairs(database->connect());
  std::erase_if(stored, [](const std::string& pair) { return pair.starts_with("C009/"); });
  EXPECT_EQ(pairsOf(pairs.listing()), stored);
  const PairListing first = pairs.centerListing("C002");
  EXPECT_EQ(first.row().centerName, "西日本物流センター");
  EXPECT_EQ(pairsOf(pairs.centerListing("C002")).size(), 6u);
  EXPECT_TRUE(pairs.centerListing("C009").atEnd());
}

TEST_P(PairStoreTest, TheChecksFindACentersNameAndAPartnerCodeInUse) {
  EXPECT_EQ(pairs.centerName("C001"), "東日本物流センター");
  EXPECT_EQ(pairs.centerName("C009"), std::nullopt);
  EXPECT_TRUE(pairs.partnerCodeUsed("A00012345678"));
  EXPECT_FALSE(pairs.partnerCodeUsed("NO-SUCH"));
}

TEST_P(PairStoreTest, AReplacedPairThatIsGoneInsertsNothing) {
  pairs.replacePair(PairKey{"C001", "T001"}, {"C001", "NEW1"});
  pairs.replacePair(std::nullopt, {"C002", "NEW2"});
  EXPECT_THROW(pairs.replacePair(PairKey{"C001", "T001"}, {"C001", "NEW3"}), std::runtime_error);
  std::vector<std::string> stored = test::storedPairs(database->connect());
  EXPECT_EQ(std::erase_if(stored, [](const std::string& pair) { return pair.find("/NEW") != std::string::npos; }), 2u);
  EXPECT_EQ(pairsOf(pairs.centerListing("C001")).back(), "C001/NEW1");
}

TEST_P(PairStoreTest, APairIsRemovedOnlyInsideAChangeAndKeptWhenItRollsBack) {
  {
    StoreTransaction change = pairs.beginChange();
    EXPECT_EQ(pairs.removePair(change, {"C001", "T001"}), 1);
    EXPECT_EQ(pairs.removePair(change, {"C002", "A00012345678"}), 0);
    change.rollback();
    EXPECT_THROW(pairs.removePair(change, {"C001", "T001"}), std::logic_error);
  }
  EXPECT_TRUE(pairs.partnerCodeUsed("T001"));
}

MNT4820_INSTANTIATE_FOR_BOTH_ENGINES(PairStoreTest);

}  // namespace
}  // namespace mnt4820
