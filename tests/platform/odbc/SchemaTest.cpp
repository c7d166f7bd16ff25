// db/schema.sql, db/demo-data.sql and db/generate-pairs.sh on both engines. The statements the program runs
// on these tables are tested through the functions that run them.
#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <string>

#include "platform/odbc/OdbcError.h"
#include "tests/support/SqlScript.h"
#include "tests/support/TestDatabase.h"

namespace platform::odbc::test {
namespace {

using mnt4820::test::Engine;

std::string countOf(Connection& connection, const std::string& sql) {
  return connection.openResultSet(sql).value(0).value_or("<NULL>");
}

std::string script(const char* name) { return readTextFile(mnt4820::test::sourceFolder().string() + "/db/" + name); }

class SchemaTest : public ::testing::TestWithParam<Engine> {
 protected:
  void SetUp() override {
    database = mnt4820::test::TestDatabase::create(GetParam(), true);
    if (!database) GTEST_SKIP() << "MNT4820_SKIP_PG=1: PostgreSQL run skipped";
    connection_ = database->connect();
  }
  std::optional<mnt4820::test::TestDatabase> database;
  Connection connection_;
};

TEST_P(SchemaTest, TheKeysRefuseADuplicatePairAndTheSchemaRunsAgain) {
  EXPECT_THROW(
      connection_.execute(
          "INSERT INTO FL1915センタ利用企業マスタ (センターコード, 相手先企業コード) VALUES ('C001', 'A00012345678')"),
      OdbcError);
  EXPECT_THROW(
      connection_.execute("INSERT INTO FL1903EDI制御マスタ (センターコード, センター名) VALUES ('C001', '重複')"),
      OdbcError);
  runSqlScript(connection_, script("schema.sql"));
  EXPECT_EQ(countOf(connection_, "SELECT COUNT(*) FROM FL1915センタ利用企業マスタ"), "0");
  runSqlScript(connection_, script("demo-data.sql"));
  runSqlScript(connection_, script("demo-data.sql"));
  EXPECT_EQ(countOf(connection_, "SELECT COUNT(*) FROM FL1915センタ利用企業マスタ"), "30");
}

TEST_P(SchemaTest, GeneratedPairsLoadOverTheDemoData) {
  mnt4820::test::TestFolder folder;
  const std::string file = (folder.path() / "pairs.sql").string();
  const std::string command =
      "sh '" + mnt4820::test::sourceFolder().string() + "/db/generate-pairs.sh' 1234 '" + file + "'";
  ASSERT_EQ(std::system(command.c_str()), 0) << command;
  const std::string pairs = readTextFile(file);

  runSqlScript(connection_, pairs);
  runSqlScript(connection_, pairs);  // replaces its own rows
  EXPECT_EQ(countOf(connection_, "SELECT COUNT(*) FROM FL1915センタ利用企業マスタ WHERE センターコード LIKE 'G%'"),
            "1234");
  EXPECT_EQ(countOf(connection_, "SELECT COUNT(*) FROM FL1903EDI制御マスタ WHERE センターコード LIKE 'G%'"), "50");
  EXPECT_EQ(countOf(connection_, "SELECT COUNT(DISTINCT 相手先企業コード) FROM FL1915センタ利用企業マスタ"), "1264");
}

MNT4820_INSTANTIATE_FOR_BOTH_ENGINES(SchemaTest);

TEST(SchemaWithSqliteShell, TheScriptsRunUnchangedInTheSqliteShell) {
  if (std::system("command -v sqlite3 >/dev/null 2>&1") != 0) {
    GTEST_SKIP() << "the sqlite3 shell is not installed";
  }
  mnt4820::test::TestFolder folder;
  const std::string file = (folder.path() / "shell.db").string();
  const std::string dir = mnt4820::test::sourceFolder().string();
  for (const char* name : {"/db/schema.sql", "/db/demo-data.sql", "/db/schema.sql", "/db/demo-data.sql"}) {
    const std::string command = "sqlite3 -bail '" + file + "' < '" + dir + name + "'";
    ASSERT_EQ(std::system(command.c_str()), 0) << command;
  }
  Environment environment;
  Connection connection =
      Connection::open(environment, std::string("Driver=") + MNT4820_SQLITE_ODBC_DRIVER + ";Database=" + file + ";");
  EXPECT_EQ(countOf(connection, "SELECT COUNT(*) FROM FL1915センタ利用企業マスタ"), "30");
}

}  // namespace
}  // namespace platform::odbc::test
