// Transactions: manual commit while open, autocommit otherwise, the rollback guard.
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "OdbcTest.h"
#include "platform/odbc/DatabaseError.h"
#include "platform/odbc/OdbcError.h"
#include "platform/odbc/Transaction.h"

namespace platform::odbc::test {
namespace {

class TransactionTest : public OdbcTest {
 protected:
  void SetUp() override {
    OdbcTest::SetUp();
    if (IsSkipped() || HasFatalFailure()) {
      return;
    }
    connection_ = connect();
    table_ = uniqueTable("pairs");
    connection_.execute("CREATE TABLE " + table_ +
                        " (センターコード VARCHAR(12) NOT NULL, 相手先企業コード VARCHAR(12) NOT NULL, PRIMARY KEY "
                        "(センターコード, 相手先企業コード))");
    connection_.execute("INSERT INTO " + table_ + " VALUES ('C001', 'A001')");
    connection_.execute("INSERT INTO " + table_ + " VALUES ('C001', 'A002')");
  }

  // The partner codes as a connection sees them, in order.
  std::vector<std::string> partners(Connection& connection) {
    std::vector<std::string> codes;
    ResultSet rows = connection.openResultSet("SELECT 相手先企業コード FROM " + table_ + " ORDER BY 相手先企業コード");
    for (; !rows.atEnd(); rows.moveNext()) {
      codes.push_back(rows.value(0).value_or("<NULL>"));
    }
    return codes;
  }

  Connection connection_;
  std::string table_;
};

using Codes = std::vector<std::string>;

TEST_P(TransactionTest, RollbackUndoesAnInsertAndADelete) {
  connection_.beginTransaction();
  EXPECT_TRUE(connection_.inTransaction());
  EXPECT_EQ(connection_.execute("INSERT INTO " + table_ + " VALUES ('C001', 'A003')"), 1);
  EXPECT_EQ(connection_.execute("DELETE FROM " + table_ + " WHERE 相手先企業コード = ?", {std::string("A001")}), 1);
  EXPECT_EQ(partners(connection_), (Codes{"A002", "A003"}));  // the transaction sees its own work
  connection_.rollback();
  EXPECT_FALSE(connection_.inTransaction());
  EXPECT_EQ(partners(connection_), (Codes{"A001", "A002"}));
}

// A commit that the database refuses (a deferred key check) ends the transaction all the same: nothing of it
// is stored, the connection is not lost, and autocommit is back.
TEST_P(TransactionTest, ARefusedCommitEndsTheTransaction) {
  if (GetParam() == Engine::Sqlite) connection_.execute("PRAGMA foreign_keys = ON");
  const std::string child = uniqueTable("child");
  connection_.execute("CREATE TABLE " + child +
                      " (センターコード VARCHAR(12), 相手先企業コード VARCHAR(12), FOREIGN KEY " +
                      "(センターコード, 相手先企業コード) REFERENCES " + table_ + " DEFERRABLE INITIALLY DEFERRED)");
  connection_.beginTransaction();
  connection_.execute("INSERT INTO " + table_ + " VALUES ('C001', 'A003')");
  connection_.execute("INSERT INTO " + child + " VALUES ('C001', 'NONE')");
  EXPECT_THROW(connection_.commit(), OdbcError);
  EXPECT_FALSE(connection_.inTransaction());
  EXPECT_FALSE(connection_.isLost());
  connection_.execute("DELETE FROM " + table_ + " WHERE 相手先企業コード = 'A001'");
  Connection other = connect();
  EXPECT_EQ(partners(other), Codes{"A002"});
  connection_.execute("DROP TABLE " + child);  // before the table it refers to
}

TEST_P(TransactionTest, CommitPersistsForASecondConnection) {
  Connection other = connect();
  connection_.beginTransaction();
  connection_.execute("INSERT INTO " + table_ + " VALUES ('C002', 'B001')");
  EXPECT_EQ(partners(other), (Codes{"A001", "A002"}));  // not yet committed
  connection_.commit();
  EXPECT_FALSE(connection_.inTransaction());
  EXPECT_EQ(partners(other), (Codes{"A001", "A002", "B001"}));
}

TEST_P(TransactionTest, AutocommitIsBackAfterCommitAndAfterRollback) {
  Connection other = connect();
  connection_.beginTransaction();
  connection_.commit();
  connection_.execute("INSERT INTO " + table_ + " VALUES ('C002', 'B002')");
  connection_.beginTransaction();
  connection_.rollback();
  connection_.execute("INSERT INTO " + table_ + " VALUES ('C002', 'B003')");
  // Seen at once from elsewhere: nothing waits for a commit.
  EXPECT_EQ(partners(other), (Codes{"A001", "A002", "B002", "B003"}));
}

TEST_P(TransactionTest, AFailedStatementLeavesTheTransactionToBeRolledBack) {
  connection_.beginTransaction();
  connection_.execute("DELETE FROM " + table_ + " WHERE 相手先企業コード = 'A001'");
  EXPECT_THROW(connection_.execute("INSERT INTO " + table_ + " VALUES ('C001', 'A002')"), OdbcError);
  EXPECT_TRUE(connection_.inTransaction());
  connection_.rollback();
  EXPECT_EQ(partners(connection_), (Codes{"A001", "A002"}));
}

TEST_P(TransactionTest, TransactionsDoNotNestAndCommitNeedsOne) {
  EXPECT_THROW(connection_.commit(), InvalidStateError);
  EXPECT_NO_THROW(connection_.rollback());  // an error path may always roll back
  connection_.beginTransaction();
  EXPECT_THROW(connection_.beginTransaction(), InvalidStateError);
  EXPECT_TRUE(connection_.inTransaction());
  connection_.rollback();
}

TEST_P(TransactionTest, TheGuardRollsBackUnlessCommitted) {
  {
    Transaction transaction(connection_);
    connection_.execute("INSERT INTO " + table_ + " VALUES ('C001', 'A010')");
  }
  EXPECT_FALSE(connection_.inTransaction());
  EXPECT_EQ(partners(connection_), (Codes{"A001", "A002"}));

  try {
    Transaction transaction(connection_);
    connection_.execute("INSERT INTO " + table_ + " VALUES ('C001', 'A011')");
    connection_.execute("INSERT INTO " + table_ + " VALUES ('C001', 'A011')");  // duplicate key
    transaction.commit();
    ADD_FAILURE() << "the duplicate key was accepted";
  } catch (const OdbcError&) {
  }
  EXPECT_FALSE(connection_.inTransaction());
  EXPECT_EQ(partners(connection_), (Codes{"A001", "A002"}));

  {
    Transaction transaction(connection_);
    connection_.execute("INSERT INTO " + table_ + " VALUES ('C001', 'A012')");
    transaction.commit();
    EXPECT_FALSE(transaction.isActive());
    EXPECT_THROW(transaction.commit(), InvalidStateError);
  }
  EXPECT_EQ(partners(connection_), (Codes{"A001", "A002", "A012"}));
}

TEST_P(TransactionTest, ClosingTheConnectionRollsBackAnOpenTransaction) {
  connection_.beginTransaction();
  connection_.execute("DELETE FROM " + table_);
  connection_.close();
  EXPECT_FALSE(connection_.isOpen());
  Connection again = connect();
  EXPECT_EQ(partners(again), (Codes{"A001", "A002"}));
}

TEST_P(TransactionTest, DroppingTheConnectionRollsBackAnOpenTransaction) {
  {
    Connection connection = connect();
    connection.beginTransaction();
    connection.execute("DELETE FROM " + table_);
  }
  EXPECT_EQ(partners(connection_), (Codes{"A001", "A002"}));
}

MNT4820_INSTANTIATE_FOR_BOTH_ENGINES(TransactionTest);

}  // namespace
}  // namespace platform::odbc::test
