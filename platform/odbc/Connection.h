#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/odbc/ConnectOptions.h"
#include "platform/odbc/Environment.h"
#include "platform/odbc/Parameter.h"
#include "platform/odbc/ResultSet.h"

namespace platform::odbc {

class ConnectionState;

// One open ODBC connection. Autocommit is on except while a transaction is open. Move-only;
// a default-constructed or closed connection throws InvalidStateError for every operation
// but isOpen, close, inTransaction and rollback.
// Result sets opened on it keep the connection alive until they are gone; close()
// disconnects at once, and such result sets then refuse to be read.
class Connection {
 public:
  // SQLDriverConnect without prompting; the login time-out is set first. Every later call that waits for the
  // server waits at most the query time-out (SocketWatchdog). Throws OdbcError.
  static Connection open(Environment& environment, const std::string& connectString,
                         const ConnectOptions& options = {});

  Connection();
  Connection(Connection&&) noexcept;
  Connection& operator=(Connection&&) noexcept;
  Connection(const Connection&) = delete;
  Connection& operator=(const Connection&) = delete;
  ~Connection();

  bool isOpen() const;
  // Whether the link to the server is gone: a call on the connection or its result sets failed saying so
  // (OdbcError::meansConnectionLost), or the driver reports it dead (SQL_ATTR_CONNECTION_DEAD). psqlODBC sets
  // that flag after some first failures, after others only at the second, and never when the first statement
  // after a restart could not be sent; hence both count. A driver that cannot tell counts as connected until
  // a call fails saying so. A call that had no answer within the query time-out (TimedOutSqlState), and a
  // rollback that failed, leave the connection lost as well.
  bool isLost() const;
  // The SQLSTATE of the failure that showed the connection lost; empty when none did.
  std::string lostSqlState() const;
  // Rolls back an open transaction and disconnects. Does nothing when not open.
  void close();

  // What the driver reports for the login time-out and, on a statement, for the query
  // time-out: a driver may ignore or replace the values asked for.
  int loginTimeout() const;
  int queryTimeout() const;
  std::string driverName() const;

  // Autocommit off until commit or rollback turn it on again. Transactions do not nest.
  void beginTransaction();
  // Commit and rollback end the transaction whatever their outcome.
  // Throws InvalidStateError when no transaction is open, and when the connection is lost: the server has
  // rolled the transaction back (psqlODBC answers a commit after a failed statement with success). A commit
  // that fails is rolled back as far as the server still holds it, and its error passes on.
  void commit();
  // Does nothing when no transaction is open (or the connection is closed), so that every error path may call
  // it. On a lost connection, or one that is found lost here, the transaction only ends here: the server has
  // ended it. Any other failure gives the connection up as lost (the next operation opens a new one) and
  // throws OdbcError.
  void rollback();
  bool inTransaction() const;

  // Runs one statement; returns the number of rows it changed (-1 when the driver cannot tell).
  std::int64_t execute(const std::string& sql, const std::vector<Parameter>& params = {});
  // Opens a read-only result set standing on its first row.
  ResultSet openResultSet(const std::string& sql, const std::vector<Parameter>& params = {},
                          CursorRequest cursor = CursorRequest::Scrollable);

 private:
  explicit Connection(std::shared_ptr<ConnectionState> state);
  ConnectionState& openState() const;
  void setAutocommit(bool on);
  // SQLEndTran, then autocommit on again; the caller has ended the transaction state or does so after.
  void endTransaction(bool commit);

  std::shared_ptr<ConnectionState> state_;
};

}  // namespace platform::odbc
