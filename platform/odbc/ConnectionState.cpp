#include "platform/odbc/ConnectionState.h"

#include <utility>

#include "platform/odbc/Statement.h"

namespace platform::odbc {

ConnectionState::ConnectionState(std::shared_ptr<void> environment, UniqueHandle connection,
                                 const ConnectOptions& options, std::vector<SocketWatchdog::Socket> sockets)
    : environment_(std::move(environment)),
      connection_(std::move(connection)),
      options_(options),
      watchdog_(std::move(sockets)) {}

ConnectionState::~ConnectionState() {
  if (!connected_) {
    return;
  }
  // Nothing can be reported from here; the handle is freed whatever the driver says.
  if (inTransaction_) {
    SQLEndTran(SQL_HANDLE_DBC, connection_.get(), SQL_ROLLBACK);
  }
  SQLDisconnect(connection_.get());
}

SQLRETURN ConnectionState::check(const char* functionName, SQLSMALLINT handleType, SQLHANDLE handle, SQLRETURN rc) {
  try {
    return checked(functionName, handleType, handle, rc);
  } catch (const OdbcError& error) {
    // psqlODBC reports some losses with HY000, and only its flag tells them.
    if (!lostBy_ && (error.meansConnectionLost() || driverReportsDead())) {
      lostBy_ = error.sqlState();
    }
    throw;
  }
}

void ConnectionState::markLost(const std::string& sqlState) {
  if (!lostBy_) lostBy_ = sqlState;
}

void ConnectionState::timedOut(const char* functionName, SQLSMALLINT handleType, SQLHANDLE handle, SQLRETURN rc) {
  markLost(TimedOutSqlState);
  if (SQL_SUCCEEDED(rc) || rc == SQL_NO_DATA) return;
  // What the driver says of its shut-down socket comes after the cause.
  std::vector<DiagnosticRecord> records = readDiagnostics(handleType, handle);
  records.insert(records.begin(),
                 {TimedOutSqlState, 0,
                  "no answer from the server within the query time-out of " +
                      std::to_string(options_.queryTimeoutSeconds) + " s; the connection was shut down"});
  throw OdbcError(functionName, std::move(records));
}

bool ConnectionState::driverReportsDead() const {
  SQLUINTEGER dead = SQL_CD_FALSE;
  const SQLRETURN rc = SQLGetConnectAttr(connection_.get(), SQL_ATTR_CONNECTION_DEAD, &dead, 0, nullptr);
  return SQL_SUCCEEDED(rc) && dead == SQL_CD_TRUE;
}

void ConnectionState::attach(Statement& statement) { statements_.push_back(&statement); }

void ConnectionState::detach(Statement& statement) { std::erase(statements_, &statement); }

void ConnectionState::disconnect() {
  if (!connected_) {
    return;
  }
  for (Statement* statement : statements_) {
    statement->release();
  }
  if (inTransaction_) {
    inTransaction_ = false;
    watched("SQLEndTran", [this] { return SQLEndTran(SQL_HANDLE_DBC, connection_.get(), SQL_ROLLBACK); });
  }
  call("SQLDisconnect", SQLDisconnect(connection_.get()));
  connected_ = false;
}

}  // namespace platform::odbc
