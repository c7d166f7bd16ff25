// The PostgreSQL server of the test command restarted (fast shutdown, as a nightly maintenance does) under the
// program's open connection. The restart ends every connection to it, so this test runs alone.
#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <regex>

#include "db/QueryOperations.h"
#include "platform/odbc/OdbcError.h"
#include "platform/odbc/Transaction.h"
#include "tests/support/StallingProxy.h"
#include "tests/support/TestDatabase.h"

namespace mnt4820 {
namespace {

void restartServer() {
  const char* data = std::getenv("MNT4820_TEST_PG_DATA");
  ASSERT_TRUE(data != nullptr && *data != '\0') << "MNT4820_TEST_PG_DATA is not set: run scripts/test.sh";
  ASSERT_EQ(std::system(((test::sourceFolder() / "scripts/pg-server.sh").string() + " restart " + data).c_str()), 0);
}

// Whether `step` wrote one reconnect line with an SQLSTATE to standard error: psqlODBC gives 57P01, 08S01 or
// HY000 for the same restart, depending on the statement and on how far the server's farewell has arrived.
bool reconnects(const std::function<void()>& step) {
  testing::internal::CaptureStderr();
  step();
  return std::regex_match(testing::internal::GetCapturedStderr(),
                          std::regex("MNT4820: database connection: lost \\[[0-9A-Z]{5}\\], connected again\n"));
}

class Reconnect : public ::testing::Test {
 protected:
  void SetUp() override {
    database = test::TestDatabase::create(test::Engine::Postgres, true);
    if (!database) GTEST_SKIP() << "MNT4820_SKIP_PG=1: PostgreSQL run skipped";
    ConnectDatabase(session, {"WS01", database->user(), database->password(), database->dsn()});
  }
  void insert(const std::string& center, const std::string& partner) {
    EXPECT_EQ(
        ExecuteSql(session, "INSERT INTO FL1915センタ利用企業マスタ (センターコード, 相手先企業コード) VALUES (?, ?)",
                   {center, partner}),
        1);
  }

  std::optional<test::TestDatabase> database;
  DatabaseSession session;
};

TEST_F(Reconnect, TheFirstReadAfterARestartRunsOnANewConnection) {
  const std::string select = "SELECT センター名 FROM FL1903EDI制御マスタ WHERE センターコード = ?";
  platform::odbc::ResultSet rows;
  restartServer();
  EXPECT_TRUE(reconnects([&] { rows = OpenQuery(session, select, {"C001"}); }));
  EXPECT_TRUE(rows.value(0));

  restartServer();
  EXPECT_FALSE(OpenSearchQuery(session, select, {"C002"}).rows.atEnd());
  EXPECT_TRUE(reconnects([&] { rows = OpenQuery(session, select, {"NO-SUCH"}); }));
  EXPECT_TRUE(rows.atEnd());
}

TEST_F(Reconnect, AChangeCaughtByARestartIsNeverRunAgainAndTheNextOneWorks) {
  // Outside a transaction: the statement fails and is not repeated; the next change connects again.
  restartServer();
  EXPECT_FALSE(reconnects([&] { EXPECT_THROW(insert("C001", "LOST1"), platform::odbc::OdbcError); }));
  EXPECT_TRUE(reconnects([&] { insert("C001", "NEW1"); }));

  // Inside one: the reload after the insert fails and the commit is refused, for the server has rolled back.
  {
    platform::odbc::Transaction change(liveConnection(session));
    insert("C002", "LOST2");
    restartServer();
    EXPECT_FALSE(reconnects([&] {
      EXPECT_THROW(OpenQuery(session, "SELECT センターコード FROM FL1915センタ利用企業マスタ"),
                   platform::odbc::OdbcError);
    }));
    EXPECT_THROW(change.commit(), platform::odbc::DatabaseError);
  }
  const auto changeReconnects = [&](const char* partner) {
    return reconnects([&] {
      platform::odbc::Transaction change(liveConnection(session));
      insert("C002", partner);
      change.commit();
    });
  };
  EXPECT_TRUE(changeReconnects("NEW2"));
  // A change that is the first work after a restart begins on a new connection too.
  restartServer();
  EXPECT_TRUE(changeReconnects("NEW3"));
  std::vector<std::string> changed;
  for (const std::string& pair : test::storedPairs(database->connect())) {
    if (pair.find("/NEW") != std::string::npos || pair.find("/LOST") != std::string::npos) changed.push_back(pair);
  }
  EXPECT_EQ(changed, (std::vector<std::string>{"C001/NEW1", "C002/NEW2", "C002/NEW3"}));
}

// A network that keeps the connection open and forwards nothing: no call waits past the query time-out (here
// 2 s), the connection counts as lost, and the next operation connects again once the network is back.
TEST_F(Reconnect, NoCallWaitsPastTheQueryTimeOutOfASilentNetwork) {
  const std::vector<std::string> before = test::storedPairs(database->connect());
  test::StallingProxy proxy(std::stoi(*database->connect().openResultSet("SELECT current_setting('port')").value(0)));
  CloseDatabase(session);
  session.connectOptions = {.loginTimeoutSeconds = 2, .queryTimeoutSeconds = 2};
  // psqlODBC takes a connect string's setting over the data source's.
  ConnectDatabase(session, {"WS01", database->user(), "", database->dsn() + ";Port=" + std::to_string(proxy.port())});
  const std::string select = "SELECT センター名 FROM FL1903EDI制御マスタ WHERE センターコード = ?";
  platform::odbc::ResultSet rows = OpenQuery(session, select, {"C001"});
  const auto failsWith = [](const std::function<void()>& step) {
    try {
      step();
    } catch (const platform::odbc::OdbcError& error) {
      return error.sqlState();
    }
    return std::string("no failure");
  };

  proxy.stall();
  EXPECT_EQ(failsWith([&] { rows = OpenQuery(session, select, {"C001"}); }), "HYT00");
  EXPECT_EQ(session.DbConnection->lostSqlState(), "HYT00");
  // Still away: the new connection fails within the login time-out.
  EXPECT_EQ(failsWith([&] { rows = OpenQuery(session, select, {"C001"}); }), "08001");
  proxy.resume();
  // A change whose commit meets the silence is not written.
  platform::odbc::Transaction change(liveConnection(session));
  insert("C002", "LOST1");
  proxy.stall();
  EXPECT_EQ(failsWith([&] { change.commit(); }), "HYT00");
  EXPECT_FALSE(session.DbConnection->inTransaction());

  proxy.resume();
  EXPECT_TRUE(reconnects([&] { rows = OpenQuery(session, select, {"C001"}); }));
  EXPECT_FALSE(rows.atEnd());
  EXPECT_EQ(test::storedPairs(database->connect()), before);
}

}  // namespace
}  // namespace mnt4820
