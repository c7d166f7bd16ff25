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
  // SQLDriverConnect without prompting; the login time-out is set first. Throws OdbcError.
  static Connection open(Environment& environment, const std::string& connectString,
                         const ConnectOptions& options = {});

  Connection();
  Connection(Connection&&) noexcept;
  Connection& operator=(Connection&&) noexcept;
  Connection(const Connection&) = delete;
  Connection& operator=(const Connection&) = delete;
  ~Connection();

  bool isOpen() const;
  // Whether the driver reports the link to the server gone (SQL_ATTR_CONNECTION_DEAD), as it does once a call
  // has met a stopped server. A driver that cannot tell counts as connected.
  bool isLost() const;
  // Rolls back an open transaction and disconnects. Does nothing when not open.
  void close();

  // What the driver reports for the login time-out and, on a statement, for the query
  // time-out: a driver may ignore or replace the values asked for.
  int loginTimeout() const;
  int queryTimeout() const;
  std::string driverName() const;

  // Autocommit off until commit or rollback turn it on again. Transactions do not nest.
  void beginTransaction();
  // Throws InvalidStateError when no transaction is open. When the commit itself fails
  // the transaction stays open, for the caller to roll back.
  void commit();
  // Does nothing when no transaction is open (or the connection is closed), so that every
  // error path may call it.
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

  std::shared_ptr<ConnectionState> state_;
};

}  // namespace platform::odbc
