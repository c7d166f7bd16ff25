// Opening, configuring and closing connections; statement failures and their diagnostics.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "OdbcTest.h"
#include "platform/odbc/DatabaseError.h"
#include "platform/odbc/OdbcError.h"

namespace platform::odbc::test {
namespace {

using ConnectionTest = OdbcTest;

TEST_P(ConnectionTest, OpensAndNamesItsDriver) {
  Connection connection = connect();
  EXPECT_TRUE(connection.isOpen());
  const std::string driver = connection.driverName();
  EXPECT_NE(driver.find(GetParam() == Engine::Sqlite ? "sqlite" : "psqlodbc"), std::string::npos) << driver;
  connection.close();
  EXPECT_FALSE(connection.isOpen());
  connection.close();  // closing twice is harmless
}

// The SQLite driver keeps neither time-out, so only PostgreSQL shows what was handed over.
using PostgresConnectionTest = OdbcTest;

TEST_P(PostgresConnectionTest, TimeOutsAreHandedToTheDriver) {
  Connection standard = connect();
  Connection custom = connect(ConnectOptions{37, 41});
  EXPECT_EQ(standard.loginTimeout(), 120);
  EXPECT_EQ(standard.queryTimeout(), 300);
  EXPECT_EQ(custom.loginTimeout(), 37);
  EXPECT_EQ(custom.queryTimeout(), 41);
}

INSTANTIATE_TEST_SUITE_P(Engines, PostgresConnectionTest, ::testing::Values(Engine::Postgres),
                         [](const auto& info) { return mnt4820::test::engineName(info.param); });

TEST_P(ConnectionTest, ExecuteReportsTheRowsItChanged) {
  Connection connection = connect();
  const std::string table = uniqueTable("counts");
  connection.execute("CREATE TABLE " + table + " (k VARCHAR(4), v INTEGER)");
  EXPECT_EQ(connection.execute("INSERT INTO " + table + " VALUES ('a', 1)"), 1);
  EXPECT_EQ(connection.execute("INSERT INTO " + table + " VALUES ('a', 2)"), 1);
  EXPECT_EQ(connection.execute("INSERT INTO " + table + " VALUES ('b', 3)"), 1);
  EXPECT_EQ(connection.execute("UPDATE " + table + " SET v = v + 1 WHERE k = ?", {std::string("a")}), 2);
  EXPECT_EQ(connection.execute("DELETE FROM " + table + " WHERE k = ?", {std::string("none")}), 0);
  EXPECT_EQ(connection.execute("DELETE FROM " + table), 3);
}

TEST_P(ConnectionTest, AClosedConnectionRefusesWork) {
  Connection connection = connect();
  connection.close();
  EXPECT_THROW(connection.execute("SELECT 1"), InvalidStateError);
  EXPECT_THROW(connection.openResultSet("SELECT 1"), InvalidStateError);
  EXPECT_THROW(connection.beginTransaction(), InvalidStateError);
  EXPECT_THROW(connection.queryTimeout(), InvalidStateError);
  EXPECT_FALSE(connection.inTransaction());
  EXPECT_NO_THROW(connection.rollback());  // error paths roll back whatever the state

  Connection never;
  EXPECT_FALSE(never.isOpen());
  EXPECT_THROW(never.driverName(), InvalidStateError);

  Connection moved = connect();
  Connection target = std::move(moved);
  EXPECT_FALSE(moved.isOpen());  // NOLINT(bugprone-use-after-move): the moved-from state is what is tested
  EXPECT_TRUE(target.isOpen());
}

TEST_P(ConnectionTest, ANonexistentDatabaseFailsAtOpen) {
  // Same driver, a database that is not there: the connection must fail, not prompt.
  std::string connectString = this->connectString();
  if (GetParam() == Engine::Sqlite) {
    connectString = std::string("Driver=") + MNT4820_SQLITE_ODBC_DRIVER + ";Database=/nonexistent-folder/mnt4820.db;";
  } else {
    // A later keyword overrides the data source's own setting.
    connectString += (connectString.empty() || connectString.back() == ';' ? "" : ";");
    connectString += "Database=mnt4820_no_such_database;";
  }
  try {
    Connection::open(environment(), connectString);
    FAIL() << "opened " << connectString;
  } catch (const OdbcError& error) {
    EXPECT_EQ(error.functionName(), "SQLDriverConnect");
    ASSERT_FALSE(error.records().empty());
    EXPECT_FALSE(error.sqlState().empty());
  }
}

struct FailureCase {
  const char* what;
  std::string sql;
  ExpectedFailure EngineTraits::* expected;
};

TEST_P(ConnectionTest, AFailingStatementRaisesOdbcErrorWithTheDriversDiagnostics) {
  Connection connection = connect();
  const std::string table = uniqueTable("failures");
  connection.execute("CREATE TABLE " + table + " (code VARCHAR(12) PRIMARY KEY)");
  connection.execute("INSERT INTO " + table + " VALUES ('A001')");
  const std::vector<FailureCase> cases = {
      {"duplicate key", "INSERT INTO " + table + " VALUES ('A001')", &EngineTraits::duplicateKey},
      {"syntax error", "DELETE * FROM " + table, &EngineTraits::syntaxError},
      {"missing table", "SELECT code FROM mnt4820_no_such_table", &EngineTraits::missingTable},
  };
  for (const FailureCase& failure : cases) {
    SCOPED_TRACE(failure.what);
    const ExpectedFailure& expected = traits().*failure.expected;
    for (bool asQuery : {false, true}) {
      SCOPED_TRACE(asQuery ? "openResultSet" : "execute");
      try {
        if (asQuery) {
          connection.openResultSet(failure.sql);
        } else {
          connection.execute(failure.sql);
        }
        ADD_FAILURE() << "no error";
      } catch (const OdbcError& error) {
        EXPECT_EQ(error.functionName(), "SQLExecDirect");
        ASSERT_FALSE(error.records().empty());
        EXPECT_EQ(error.sqlState(), expected.sqlState) << error.what();
        EXPECT_EQ(error.records().front().sqlState, error.sqlState());
        if (expected.nativeCode) {
          EXPECT_EQ(error.nativeCode(), *expected.nativeCode) << error.what();
        }
        for (const DiagnosticRecord& record : error.records()) {
          EXPECT_EQ(record.sqlState.size(), 5u);
          EXPECT_FALSE(record.message.empty());
          EXPECT_NE(std::string(error.what()).find(record.message), std::string::npos);
        }
      }
    }
  }
  // The failures changed nothing.
  ResultSet rows = connection.openResultSet("SELECT COUNT(*) FROM " + table);
  EXPECT_EQ(rows.value(0), "1");
}

MNT4820_INSTANTIATE_FOR_BOTH_ENGINES(ConnectionTest);

TEST(ConnectionWithoutServer, AWrongDataSourceNameFailsAtOpen) {
  Environment environment;
  try {
    Connection::open(environment, "DSN=MNT4820_NO_SUCH_DSN;UID=operator;PWD=;");
    FAIL() << "opened a data source that does not exist";
  } catch (const OdbcError& error) {
    EXPECT_EQ(error.functionName(), "SQLDriverConnect");
    EXPECT_EQ(error.sqlState(), "IM002") << error.what();  // data source not found
    EXPECT_NE(std::string(error.what()).find("IM002"), std::string::npos);
  }
}

TEST(ConnectionWithoutServer, NegativeTimeOutsAreRefused) {
  Environment environment;
  EXPECT_THROW(Connection::open(environment, "DSN=x;", ConnectOptions{-1, 300}), std::invalid_argument);
  EXPECT_THROW(Connection::open(environment, "DSN=x;", ConnectOptions{120, -5}), std::invalid_argument);
}

TEST(ConnectionWithoutServer, AMovedFromEnvironmentOpensNothing) {
  Environment environment;
  Environment other = std::move(environment);
  EXPECT_TRUE(other.isValid());
  EXPECT_FALSE(environment.isValid());  // NOLINT(bugprone-use-after-move): the moved-from state is what is tested
  EXPECT_THROW(Connection::open(environment, "DSN=x;"), InvalidStateError);
}

TEST(OdbcErrorTest, TheFirstRecordIsTheMainOneAndAllAreKept) {
  const OdbcError error("SQLExecDirect", {{"23000", 19, "constraint failed"}, {"01000", 0, "statement terminated"}});
  EXPECT_EQ(error.sqlState(), "23000");
  EXPECT_EQ(error.nativeCode(), 19);
  ASSERT_EQ(error.records().size(), 2u);
  EXPECT_EQ(error.records()[1].message, "statement terminated");
  const std::string text = error.what();
  EXPECT_NE(text.find("SQLExecDirect"), std::string::npos);
  EXPECT_LT(text.find("constraint failed"), text.find("statement terminated"));

  const OdbcError bare("SQLAllocHandle", {});
  EXPECT_EQ(bare.sqlState(), "");
  EXPECT_EQ(bare.nativeCode(), 0);
}

TEST(OdbcErrorTest, OnlyALostLinkToTheServerMeansTheConnectionIsLost) {
  // psqlODBC after a restart, the driver manager on a dropped link; a cancelled query, SQLite's errors, a key.
  const std::pair<std::string, bool> cases[] = {{"57P01", true},  {"57P02", true},  {"57P03", true},
                                                {"08S01", true},  {"08003", true},  {"57014", false},
                                                {"HY000", false}, {"23505", false}, {"", false}};
  for (const auto& [state, lost] : cases) {
    EXPECT_EQ(OdbcError("SQLExecDirect", {{state, 35, ""}}).meansConnectionLost(), lost) << state;
  }
}

}  // namespace
}  // namespace platform::odbc::test
