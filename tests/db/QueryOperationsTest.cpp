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

TEST_P(QueryOperations, ExecuteSqlBindsValuesAndPassesErrorsToTheCaller) {
  const std::string insert = "INSERT INTO FL1915センタ利用企業マスタ (センターコード, 相手先企業コード) VALUES (?, ?)";
  EXPECT_EQ(ExecuteSql(session, insert, {"C'1", "X', 'Y"}), 1);
  platform::odbc::ResultSet rows =
      OpenQuery(session, "SELECT 相手先企業コード FROM FL1915センタ利用企業マスタ WHERE センターコード = ?", {"C'1"});
  ASSERT_FALSE(rows.atEnd());
  EXPECT_EQ(rows.value(0), "X', 'Y");
  rows.close();

  EXPECT_THROW(ExecuteSql(session, insert, {"C'1", "X', 'Y"}), platform::odbc::OdbcError);
  EXPECT_THROW(ExecuteSql(session, "DELETE * FROM FL1915センタ利用企業マスタ"), platform::odbc::OdbcError);
}

TEST_P(QueryOperations, TheSearchQueryRunsOnAConnectionOfItsOwn) {
  // A row not yet committed on the program's connection is seen only once it is committed.
  platform::odbc::Transaction pending(*session.DbConnection);
  ExecuteSql(session, "INSERT INTO FL1903EDI制御マスタ (センターコード, センター名) VALUES (?, ?)", {"C999", "未確定"});
  const std::string select = "SELECT センターコード,センター名 FROM FL1903EDI制御マスタ WHERE センターコード = ?";
  EXPECT_TRUE(OpenSearchQuery(session, select, {"C999"}).rows.atEnd());
  pending.commit();
  EXPECT_EQ(OpenSearchQuery(session, select, {"C999"}).rows.value(1), "未確定");
}

TEST_P(QueryOperations, CloseDatabaseClosesTheConnection) {
  CloseDatabase(session);
  EXPECT_FALSE(session.DbConnection);
  EXPECT_THROW(OpenQuery(session, "SELECT 1"), std::logic_error);
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
