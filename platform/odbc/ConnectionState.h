#pragma once
// Internal to the ODBC layer.

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/odbc/ConnectOptions.h"
#include "platform/odbc/OdbcHandle.h"

namespace platform::odbc {

class Statement;

// What a connection and the result sets opened on it share. The last owner to go rolls
// back an open transaction (a server refuses to disconnect with one open) and disconnects.
class ConnectionState {
 public:
  ConnectionState(std::shared_ptr<void> environment, UniqueHandle connection, const ConnectOptions& options);
  ~ConnectionState();
  ConnectionState(const ConnectionState&) = delete;
  ConnectionState& operator=(const ConnectionState&) = delete;

  SQLHDBC handle() const { return connection_.get(); }
  const ConnectOptions& options() const { return options_; }

  bool isConnected() const { return connected_; }
  // The SQLSTATE of the first failure on the connection or its statements that showed the link to the server
  // gone, by its own SQLSTATE or by the driver's flag set with it; nothing while none has.
  const std::optional<std::string>& lostBy() const { return lostBy_; }
  // SQL_ATTR_CONNECTION_DEAD; false from a driver that cannot tell.
  bool driverReportsDead() const;
  bool inTransaction() const { return inTransaction_; }
  void setInTransaction(bool open) { inTransaction_ = open; }

  // Statements register while they live: a disconnect frees their handles first, as the
  // SQLite driver refuses to disconnect with statements unfinished (25000).
  void attach(Statement& statement);
  void detach(Statement& statement);

  // Frees the statements' handles, rolls back an open transaction and disconnects; throws
  // OdbcError when the driver refuses.
  void disconnect();

  // checked() for a call on this connection or on one of its statements.
  SQLRETURN check(const char* functionName, SQLSMALLINT handleType, SQLHANDLE handle, SQLRETURN rc);
  SQLRETURN call(const char* functionName, SQLRETURN rc) {
    return check(functionName, SQL_HANDLE_DBC, connection_.get(), rc);
  }

 private:
  // Declared first so that it is released last: the connection handle lives under it.
  std::shared_ptr<void> environment_;
  UniqueHandle connection_;
  ConnectOptions options_;
  std::vector<Statement*> statements_;
  bool connected_ = true;
  bool inTransaction_ = false;
  std::optional<std::string> lostBy_;
};

}  // namespace platform::odbc
