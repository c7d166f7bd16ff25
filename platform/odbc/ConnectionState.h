#pragma once
// Internal to the ODBC layer.

#include <chrono>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/odbc/ConnectOptions.h"
#include "platform/odbc/OdbcHandle.h"
#include "platform/odbc/SocketWatchdog.h"

namespace platform::odbc {

class Statement;

// What a connection and the result sets opened on it share. The last owner to go rolls
// back an open transaction (a server refuses to disconnect with one open) and disconnects.
class ConnectionState {
 public:
  // `sockets`: the connection's own, for the watchdog to shut down.
  ConnectionState(std::shared_ptr<void> environment, UniqueHandle connection, const ConnectOptions& options,
                  std::vector<SocketWatchdog::Socket> sockets);
  ~ConnectionState();
  ConnectionState(const ConnectionState&) = delete;
  ConnectionState& operator=(const ConnectionState&) = delete;

  SQLHDBC handle() const { return connection_.get(); }
  const ConnectOptions& options() const { return options_; }

  bool isConnected() const { return connected_; }
  // The SQLSTATE of the first failure on the connection or its statements that showed the link to the server
  // gone, by its own SQLSTATE or by the driver's flag set with it; nothing while none has.
  const std::optional<std::string>& lostBy() const { return lostBy_; }
  // Gives the connection up as lost by `sqlState` (unless a loss is known already): it has left the server
  // holding what is unknown, and the next operation is to open a new one.
  void markLost(const std::string& sqlState);
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
  // check() for `odbcCall`, a call that waits for the server, made under the watchdog with the query time-out.
  // A call that outlasts it fails with HYT00 and the connection is lost; one that got its answer as the
  // watchdog struck keeps it, but the connection is lost all the same.
  template <typename OdbcCall>
  SQLRETURN watched(const char* functionName, SQLSMALLINT handleType, SQLHANDLE handle, OdbcCall odbcCall) {
    watchdog_.arm(std::chrono::seconds(options_.queryTimeoutSeconds));
    const SQLRETURN rc = odbcCall();
    if (watchdog_.disarm()) timedOut(functionName, handleType, handle, rc);
    return check(functionName, handleType, handle, rc);
  }
  template <typename OdbcCall>
  SQLRETURN watched(const char* functionName, OdbcCall odbcCall) {
    return watched(functionName, SQL_HANDLE_DBC, connection_.get(), odbcCall);
  }

 private:
  void timedOut(const char* functionName, SQLSMALLINT handleType, SQLHANDLE handle, SQLRETURN rc);

  // Declared first so that it is released last: the connection handle lives under it.
  std::shared_ptr<void> environment_;
  UniqueHandle connection_;
  ConnectOptions options_;
  std::vector<Statement*> statements_;
  bool connected_ = true;
  bool inTransaction_ = false;
  std::optional<std::string> lostBy_;
  SocketWatchdog watchdog_;
};

}  // namespace platform::odbc
