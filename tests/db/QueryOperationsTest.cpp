#include <gtest/gtest.h>

#include "db/QueryOperations.h"
#include "platform/odbc/OdbcError.h"
#include "platform/odbc/Transaction.h"
#include "tests/support/TestDatabase.h"

namespace mnt4820 {
namespace {

DbSettings padded(const std::string& dsn, const std::string& user, const std::string& password) {
  auto field = [](const std::string& v) { return "  " + v + std::string(40, ' '); };
  return {field("WS01"), field(user), field(password), field(dsn)};
}

TEST(ConnectString, IsBuiltFromTrimmedValuesWithItsClosingSemicolon) {
  EXPECT_EQ(BuildConnectString(padded("EDI", "edi", "pw")), "DSN=EDI;UID=edi;PWD=pw;");
  EXPECT_EQ(BuildConnectString(padded("EDI", "edi", "")), "DSN=EDI;UID=edi;PWD=;");
}

class QueryOperations : public ::testing::TestWithParam<test::Engine> {
 protected:
  void SetUp() override {
    database = test::TestDatabase::create(GetParam(), true);
    if (!database) GTEST_SKIP() << "MNT4820_SKIP_PG=1: PostgreSQL run skipped";
    ConnectDatabase(session, padded(database->dsn(), database->user(), database->password()));
  }

  std::optional<test::TestDatabase> database;
  DatabaseSession session;
};

TEST_P(QueryOperations, QueryStatusTellsEmptyFromNonEmptyAndTheResultStandsOnItsFirstRow) {
  std::optional<platform::odbc::ResultSet> rows;
  session.SqlText = "SELECT センターコード, センター名 FROM FL1903EDI制御マスタ WHERE センターコード = ?";
  OpenQuery(session, rows, {"NO-SUCH"});
  EXPECT_EQ(session.QueryStatus, "9");
  ASSERT_TRUE(rows);
  EXPECT_TRUE(rows->isOpen());
  EXPECT_TRUE(rows->atEnd());

  session.SqlText = "SELECT センターコード, センター名 FROM FL1903EDI制御マスタ ORDER BY センターコード";
  OpenQuery(session, rows);
  EXPECT_EQ(session.QueryStatus, "0");
  ASSERT_FALSE(rows->atEnd());
  const auto first = rows->value("センターコード");
  ASSERT_TRUE(first);
  rows->moveNext();
  ASSERT_FALSE(rows->atEnd());
  EXPECT_LT(*first, *rows->value(0));
}

TEST_P(QueryOperations, AFailingQueryKeepsTheStatusAndTheCallersResultSet) {
  std::optional<platform::odbc::ResultSet> rows;
  session.SqlText = "SELECT センターコード FROM FL1903EDI制御マスタ";
  OpenQuery(session, rows);
  ASSERT_EQ(session.QueryStatus, "0");
  const auto before = rows->value(0);

  session.SqlText = "SELECT * FROM NO_SUCH_TABLE WHERE 1 = 0";
  EXPECT_THROW(OpenQuery(session, rows), platform::odbc::OdbcError);
  EXPECT_EQ(session.QueryStatus, "0");
  ASSERT_TRUE(rows);
  EXPECT_TRUE(rows->isOpen());
  EXPECT_EQ(rows->value(0), before);
}

TEST_P(QueryOperations, ExecuteSqlBindsValuesAndPassesErrorsToTheCaller) {
  session.SqlText = "INSERT INTO FL1915センタ利用企業マスタ (センターコード, 相手先企業コード) VALUES (?, ?)";
  EXPECT_EQ(ExecuteSql(session, {"C'1", "X', 'Y"}), 1);
  std::optional<platform::odbc::ResultSet> rows;
  session.SqlText = "SELECT 相手先企業コード FROM FL1915センタ利用企業マスタ WHERE センターコード = ?";
  OpenQuery(session, rows, {"C'1"});
  ASSERT_EQ(session.QueryStatus, "0");
  EXPECT_EQ(rows->value(0), "X', 'Y");
  rows->close();

  session.SqlText = "INSERT INTO FL1915センタ利用企業マスタ (センターコード, 相手先企業コード) VALUES (?, ?)";
  EXPECT_THROW(ExecuteSql(session, {"C'1", "X', 'Y"}), platform::odbc::OdbcError);
  session.SqlText = "DELETE * FROM FL1915センタ利用企業マスタ";
  EXPECT_THROW(ExecuteSql(session), platform::odbc::OdbcError);
}

TEST_P(QueryOperations, TheSearchQueryRunsOnAConnectionOfItsOwn) {
  // A row not yet committed on the program's connection is seen only once it is committed.
  platform::odbc::Transaction pending(*session.DbConnection);
  session.SqlText = "INSERT INTO FL1903EDI制御マスタ (センターコード, センター名) VALUES (?, ?)";
  ExecuteSql(session, {"C999", "未確定"});
  std::optional<OwnConnectionRows> search;
  session.SqlText = "SELECT センターコード,センター名 FROM FL1903EDI制御マスタ WHERE センターコード = ?";
  OpenSearchQuery(session, search, {"C999"});
  ASSERT_TRUE(search);
  EXPECT_EQ(session.QueryStatus, "9");
  search.reset();
  pending.commit();
  OpenSearchQuery(session, search, {"C999"});
  EXPECT_EQ(session.QueryStatus, "0");
  EXPECT_EQ(search->rows.value(1), "未確定");

  session.SqlText = "SELECT センターコード FROM NO_SUCH_TABLE";
  EXPECT_THROW(OpenSearchQuery(session, search), platform::odbc::OdbcError);
  EXPECT_FALSE(search);
  EXPECT_EQ(session.QueryStatus, "0");
}

TEST_P(QueryOperations, CloseDatabaseClosesTheConnection) {
  CloseDatabase(session);
  EXPECT_FALSE(session.DbConnection);
  std::optional<platform::odbc::ResultSet> rows;
  session.SqlText = "SELECT 1";
  EXPECT_THROW(OpenQuery(session, rows), std::logic_error);
}

TEST_P(QueryOperations, AWrongDataSourceFailsToConnect) {
  DatabaseSession other;
  EXPECT_THROW(ConnectDatabase(other, padded("NO_SUCH_DSN", "x", "y")), platform::odbc::OdbcError);
  EXPECT_EQ(other.ConnectString, "DSN=NO_SUCH_DSN;UID=x;PWD=y;");
  // The driver manager would take "DSN=;" for the first data source of its files.
  EXPECT_THROW(ConnectDatabase(other, padded("", database->user(), database->password())), std::invalid_argument);
  EXPECT_FALSE(other.DbConnection);
}

MNT4820_INSTANTIATE_FOR_BOTH_ENGINES(QueryOperations);

}  // namespace
}  // namespace mnt4820
