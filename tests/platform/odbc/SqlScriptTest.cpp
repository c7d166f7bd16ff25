// The test helper that feeds db/*.sql through the layer.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/SqlScript.h"

namespace platform::odbc::test {
namespace {

using Statements = std::vector<std::string>;

TEST(SqlScriptTest, SplitsAtSemicolonsOutsideQuotesAndComments) {
  EXPECT_EQ(splitSqlScript("CREATE TABLE a (x INT);\nINSERT INTO a VALUES (1);"),
            (Statements{"CREATE TABLE a (x INT)", "INSERT INTO a VALUES (1)"}));
  EXPECT_EQ(splitSqlScript("INSERT INTO a VALUES ('x;y', 'it''s; here');"),
            (Statements{"INSERT INTO a VALUES ('x;y', 'it''s; here')"}));
  EXPECT_EQ(splitSqlScript("-- a comment; with a semicolon\nSELECT 1; -- trailing; comment\n  ;  \n"),
            (Statements{"SELECT 1"}));
  EXPECT_EQ(splitSqlScript("SELECT '--not a comment' ; SELECT \"a;b\""),
            (Statements{"SELECT '--not a comment'", "SELECT \"a;b\""}));
  EXPECT_EQ(splitSqlScript("SELECT 1"), (Statements{"SELECT 1"}));
  EXPECT_TRUE(splitSqlScript("  \n-- only a comment\n").empty());
}

}  // namespace
}  // namespace platform::odbc::test
