// The PostgreSQL server of the test command restarted (fast shutdown, as a nightly maintenance does) under the
// program's open connection. The restart ends every connection to it, so this test runs alone.
#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <regex>

#include "db/QueryOperations.h"
#include "platform/odbc/OdbcError.h"
#include "platform/odbc/Transaction.h"
#include "tests/support/TestDatabase.h"

namespace mnt4820 {
namespace {

// One line naming the SQLSTATE that showed the loss. psqlODBC gives 57P01, 08S01 or HY000 for the same restart,
// depending on the statement and on how far the server's farewell has arrived.
bool reconnectedOnce(const std::string& report) {
  return std::regex_match(report,
                          std::regex("MNT4820: database connection: lost \\[[0-9A-Z]{5}\\], connected again\n"));
}
const std::string InsertPair =
    "INSERT INTO FL1915センタ利用企業マスタ (センターコード, 相手先企業コード) VALUES (?, ?)";

class Reconnect : public ::testing::Test {
 protected:
  void SetUp() override {
    database = test::TestDatabase::create(test::Engine::Postgres, true);
    if (!database) GTEST_SKIP() << "MNT4820_SKIP_PG=1: PostgreSQL run skipped";
    ConnectDatabase(session, {"WS01", database->user(), database->password(), database->dsn()});
  }

  static void restartServer() {
    const char* data = std::getenv("MNT4820_TEST_PG_DATA");
    ASSERT_TRUE(data != nullptr && *data != '\0') << "MNT4820_TEST_PG_DATA is not set: run scripts/test.sh";
    const std::string command = (test::sourceFolder() / "scripts/pg-server.sh").string() + " restart " + data;
    ASSERT_EQ(std::system(command.c_str()), 0) << command;
  }
  // What `step` writes to standard error.
  static std::string reportOf(const std::function<void()>& step) {
    testing::internal::CaptureStderr();
    step();
    return testing::internal::GetCapturedStderr();
  }
  void insertInTransaction(const std::string& center, const std::string& partner) {
    platform::odbc::Transaction change(liveConnection(session));
    session.SqlText = InsertPair;
    EXPECT_EQ(ExecuteSql(session, {center, partner}), 1);
    change.commit();
  }
  bool stored(const std::string& pair) {
    const auto pairs = test::storedPairs(database->connect());
    return std::find(pairs.begin(), pairs.end(), pair) != pairs.end();
  }

  std::optional<test::TestDatabase> database;
  DatabaseSession session;
};

TEST_F(Reconnect, TheFirstReadAfterARestartRunsOnANewConnection) {
  std::optional<platform::odbc::ResultSet> rows;
  session.SqlText = "SELECT センター名 FROM FL1903EDI制御マスタ WHERE センターコード = ?";
  OpenQuery(session, rows, {"C001"});
  const auto name = rows->value(0);
  rows.reset();

  restartServer();
  EXPECT_TRUE(reconnectedOnce(reportOf([&] { OpenQuery(session, rows, {"C001"}); })));
  EXPECT_EQ(session.QueryStatus, "0");
  EXPECT_EQ(rows->value(0), name);

  std::optional<OwnConnectionRows> search;
  restartServer();
  OpenSearchQuery(session, search, {"C002"});
  EXPECT_EQ(session.QueryStatus, "0");
  EXPECT_TRUE(reconnectedOnce(reportOf([&] { OpenQuery(session, rows, {"NO-SUCH"}); })));
  EXPECT_EQ(session.QueryStatus, "9");
}

TEST_F(Reconnect, AChangeCaughtByARestartIsNeverRunAgainAndTheNextOneWorks) {
  // Outside a transaction: the statement fails and is not repeated; the next change connects again.
  restartServer();
  session.SqlText = InsertPair;
  EXPECT_EQ(reportOf([&] { EXPECT_THROW(ExecuteSql(session, {"C001", "LOST1"}), platform::odbc::OdbcError); }), "");
  EXPECT_TRUE(reconnectedOnce(reportOf([&] { EXPECT_EQ(ExecuteSql(session, {"C001", "NEW1"}), 1); })));

  // Inside one: the reload after the insert fails and the commit is refused, for the server has rolled back.
  {
    platform::odbc::Transaction change(liveConnection(session));
    session.SqlText = InsertPair;
    ASSERT_EQ(ExecuteSql(session, {"C002", "LOST2"}), 1);
    restartServer();
    std::optional<platform::odbc::ResultSet> listing;
    session.SqlText = "SELECT センターコード FROM FL1915センタ利用企業マスタ";
    EXPECT_EQ(reportOf([&] { EXPECT_THROW(OpenQuery(session, listing), platform::odbc::OdbcError); }), "");
    EXPECT_THROW(change.commit(), platform::odbc::DatabaseError);
  }
  EXPECT_TRUE(reconnectedOnce(reportOf([&] { insertInTransaction("C002", "NEW2"); })));

  // A transaction that is the first work after a restart begins on a new connection.
  restartServer();
  EXPECT_TRUE(reconnectedOnce(reportOf([&] { insertInTransaction("C003", "NEW3"); })));
  EXPECT_FALSE(stored("C001/LOST1"));
  EXPECT_FALSE(stored("C002/LOST2"));
  for (const char* pair : {"C001/NEW1", "C002/NEW2", "C003/NEW3"}) EXPECT_TRUE(stored(pair)) << pair;
}

}  // namespace
}  // namespace mnt4820
