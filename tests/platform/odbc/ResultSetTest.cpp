// Reading result sets: rows in order, columns by name and position, the end of rows.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "OdbcTest.h"
#include "platform/odbc/DatabaseError.h"

namespace platform::odbc::test {
namespace {

using ResultSetTest = OdbcTest;

class ResultSetWithRowsTest : public OdbcTest {
 protected:
  void SetUp() override {
    OdbcTest::SetUp();
    if (IsSkipped() || HasFatalFailure()) {
      return;
    }
    connection_ = connect();
    table_ = uniqueTable("rows");
    connection_.execute("CREATE TABLE " + table_ +
                        " (センターコード VARCHAR(12), KRX受信ファイルパス VARCHAR(100), n INTEGER)");
    connection_.execute("INSERT INTO " + table_ + " VALUES ('C002', 'D:\\RECV\\2', 2)");
    connection_.execute("INSERT INTO " + table_ + " VALUES ('C001', 'D:\\RECV\\1', 1)");
    connection_.execute("INSERT INTO " + table_ + " VALUES ('C003', NULL, 3)");
  }
  Connection connection_;
  std::string table_;
};

TEST_P(ResultSetWithRowsTest, StandsOnTheFirstRowAndWalksInOrder) {
  ResultSet rows =
      connection_.openResultSet("SELECT センターコード, KRX受信ファイルパス, n FROM " + table_ + " ORDER BY n");
  EXPECT_TRUE(rows.isOpen());
  EXPECT_EQ(rows.cursorKind(), traits().cursorKind);
  ASSERT_EQ(rows.columnCount(), 3u);
  std::vector<std::optional<std::string>> centers;
  std::vector<std::optional<std::string>> paths;
  while (!rows.atEnd()) {
    centers.push_back(rows.value(0));
    paths.push_back(rows.value(1));
    EXPECT_EQ(rows.value(2), rows.value("n"));
    rows.moveNext();
  }
  EXPECT_EQ(centers, (std::vector<std::optional<std::string>>{"C001", "C002", "C003"}));
  EXPECT_EQ(paths, (std::vector<std::optional<std::string>>{"D:\\RECV\\1", "D:\\RECV\\2", std::nullopt}));
  EXPECT_THROW(rows.moveNext(), InvalidStateError);
  EXPECT_THROW(rows.value(0), InvalidStateError);
}

TEST_P(ResultSetWithRowsTest, ColumnNamesMatchWithoutRegardToAsciiCaseOnly) {
  ResultSet rows = connection_.openResultSet("SELECT KRX受信ファイルパス, n AS MixedCase, センターコード FROM " +
                                             table_ + " WHERE n = 1");
  ASSERT_FALSE(rows.atEnd());
  for (const char* name : {"KRX受信ファイルパス", "krx受信ファイルパス", "Krx受信ファイルパス"}) {
    SCOPED_TRACE(name);
    EXPECT_EQ(rows.value(name), "D:\\RECV\\1");
  }
  for (const char* name : {"mixedcase", "MIXEDCASE", "MixedCase"}) {
    SCOPED_TRACE(name);
    EXPECT_EQ(rows.value(name), "1");
  }
  EXPECT_EQ(rows.columnIndex("センターコード"), 2u);
  // Only ASCII letters fold: full-width letters and other kana are other names.
  for (const char* name : {"ＫＲＸ受信ファイルパス", "ｾﾝﾀｰｺｰﾄﾞ", "センターコー", "n ", "nn"}) {
    SCOPED_TRACE(name);
    EXPECT_THROW(rows.value(name), ColumnNotFoundError);
  }
  EXPECT_THROW(rows.value(3), ColumnNotFoundError);
  EXPECT_THROW(rows.columnName(3), ColumnNotFoundError);
}

TEST_P(ResultSetWithRowsTest, AnEmptyResultIsAtItsEndAtOnce) {
  ResultSet rows = connection_.openResultSet("SELECT センターコード, n FROM " + table_ + " WHERE センターコード = ?",
                                             {std::string("C999")});
  EXPECT_TRUE(rows.isOpen());
  EXPECT_TRUE(rows.atEnd());
  EXPECT_EQ(rows.columnCount(), 2u);
  EXPECT_EQ(rows.columnName(0), "センターコード");
  EXPECT_THROW(rows.value("センターコード"), InvalidStateError);
  EXPECT_THROW(rows.moveNext(), InvalidStateError);
  rows.close();
  EXPECT_FALSE(rows.isOpen());
}

TEST_P(ResultSetWithRowsTest, AClosedResultSetRefusesToBeRead) {
  ResultSet rows = connection_.openResultSet("SELECT n FROM " + table_);
  rows.close();
  EXPECT_FALSE(rows.isOpen());
  EXPECT_THROW(rows.atEnd(), InvalidStateError);
  EXPECT_THROW(rows.value(0), InvalidStateError);
  rows.close();  // closing twice is harmless

  ResultSet never;
  EXPECT_FALSE(never.isOpen());
  EXPECT_THROW(never.moveNext(), InvalidStateError);
}

TEST_P(ResultSetWithRowsTest, MovingAResultSetHandsItsPositionOver) {
  ResultSet first = connection_.openResultSet("SELECT n FROM " + table_ + " ORDER BY n");
  first.moveNext();
  ResultSet second = std::move(first);
  EXPECT_FALSE(first.isOpen());  // NOLINT(bugprone-use-after-move): the moved-from state is what is tested
  EXPECT_EQ(second.value(0), "2");
  ResultSet third;
  third = std::move(second);
  third.moveNext();
  EXPECT_EQ(third.value(0), "3");
}

TEST_P(ResultSetWithRowsTest, ResultSetsOutliveNeitherTheirConnectionNorEachOther) {
  ResultSet outer = connection_.openResultSet("SELECT n FROM " + table_ + " ORDER BY n");
  {
    // A second result set and a change while the first is open, as the screens do.
    ResultSet inner = connection_.openResultSet("SELECT COUNT(*) FROM " + table_);
    EXPECT_EQ(inner.value(0), "3");
    EXPECT_EQ(connection_.execute("UPDATE " + table_ + " SET n = n + 10 WHERE n = 3"), 1);
  }
  EXPECT_EQ(outer.value(0), "1");

  connection_.close();
  EXPECT_FALSE(outer.isOpen());
  EXPECT_THROW(outer.moveNext(), InvalidStateError);
  // Destroying `outer` now must not free its statement a second time (checked under ASan).
}

TEST_P(ResultSetWithRowsTest, AResultSetKeepsItsConnectionAliveWhenTheConnectionObjectGoes) {
  ResultSet rows;
  {
    Connection connection = connect();
    rows = connection.openResultSet("SELECT n FROM " + table_ + " ORDER BY n");
  }
  ASSERT_TRUE(rows.isOpen());
  EXPECT_EQ(rows.value(0), "1");
  rows.moveNext();
  EXPECT_EQ(rows.value(0), "2");
}

// A forward-only cursor is read in blocks where the driver can: values longer than their buffer, NULLs and rows
// across the end of a block come out as stored.
TEST_P(ResultSetTest, AForwardOnlyResultReadsEveryValueWhole) {
  Connection connection = connect();
  const std::string table = uniqueTable("blocks");
  connection.execute("CREATE TABLE " + table + " (n INTEGER, body TEXT)");
  std::vector<std::optional<std::string>> stored;
  connection.beginTransaction();
  for (int n = 0; n < 300; ++n) {
    stored.push_back(n == 7 ? std::nullopt
                            : std::optional<std::string>(std::string(n == 270 ? 1000 : n % 5, 'x') + "本"));
    connection.execute("INSERT INTO " + table + " VALUES (?, ?)", {std::to_string(n), stored.back()});
  }
  connection.commit();
  ResultSet rows =
      connection.openResultSet("SELECT n, body FROM " + table + " ORDER BY n", {}, CursorRequest::ForwardOnly);
  std::vector<std::optional<std::string>> read;
  for (; !rows.atEnd(); rows.moveNext()) read.push_back(rows.value(1));
  EXPECT_EQ(read, stored);
}

TEST_P(ResultSetTest, AStatementWithoutRowsIsNoResultSet) {
  Connection connection = connect();
  const std::string table = uniqueTable("norows");
  connection.execute("CREATE TABLE " + table + " (n INTEGER)");
  EXPECT_THROW(connection.openResultSet("INSERT INTO " + table + " VALUES (1)"), InvalidStateError);
}

MNT4820_INSTANTIATE_FOR_BOTH_ENGINES(ResultSetTest);
MNT4820_INSTANTIATE_FOR_BOTH_ENGINES(ResultSetWithRowsTest);

}  // namespace
}  // namespace platform::odbc::test
