#include "platform/odbc/Connection.h"

#include <algorithm>
#include <cstdint>
#include <limits>
#include <stdexcept>
#include <utility>

#include "platform/odbc/ConnectionState.h"
#include "platform/odbc/DatabaseError.h"
#include "platform/odbc/SocketWatchdog.h"
#include "platform/odbc/Statement.h"

namespace platform::odbc {

Connection::Connection() = default;
Connection::Connection(Connection&&) noexcept = default;
Connection& Connection::operator=(Connection&&) noexcept = default;
Connection::~Connection() = default;

Connection::Connection(std::shared_ptr<ConnectionState> state) : state_(std::move(state)) {}

Connection Connection::open(Environment& environment, const std::string& connectString, const ConnectOptions& options) {
  if (!environment.isValid()) {
    throw InvalidStateError("the environment has been moved from");
  }
  if (options.loginTimeoutSeconds < 0 || options.queryTimeoutSeconds < 0) {
    throw std::invalid_argument("time-outs must not be negative");
  }
  if (connectString.size() > static_cast<std::size_t>(std::numeric_limits<SQLSMALLINT>::max())) {
    throw std::invalid_argument("connect string too long");
  }
  UniqueHandle connection = allocateHandle(SQL_HANDLE_DBC, SQL_HANDLE_ENV, environment.handle_.get());
  SQLHDBC handle = connection.get();
  checked("SQLSetConnectAttr", SQL_HANDLE_DBC, handle,
          SQLSetConnectAttr(handle, SQL_ATTR_LOGIN_TIMEOUT,
                            asPointer(static_cast<SQLULEN>(options.loginTimeoutSeconds)), 0));
  // The driver's login time-out bounds the connect itself (psqlODBC hands it to libpq as connect_timeout).
  const std::vector<SocketWatchdog::Socket> before = SocketWatchdog::networkSockets();
  checked("SQLDriverConnect", SQL_HANDLE_DBC, handle,
          SQLDriverConnect(handle, nullptr, reinterpret_cast<SQLCHAR*>(const_cast<char*>(connectString.data())),
                           static_cast<SQLSMALLINT>(connectString.size()), nullptr, 0, nullptr, SQL_DRIVER_NOPROMPT));
  std::vector<SocketWatchdog::Socket> own = SocketWatchdog::networkSockets();
  std::erase_if(own, [&](const SocketWatchdog::Socket& socket) { return std::ranges::count(before, socket) > 0; });
  return Connection(
      std::make_shared<ConnectionState>(environment.handle_, std::move(connection), options, std::move(own)));
}

ConnectionState& Connection::openState() const {
  if (!state_ || !state_->isConnected()) {
    throw InvalidStateError("the connection is closed");
  }
  return *state_;
}

bool Connection::isOpen() const { return state_ && state_->isConnected(); }

bool Connection::isLost() const {
  if (!isOpen()) {
    return false;
  }
  return state_->lostBy() || state_->driverReportsDead();
}

std::string Connection::lostSqlState() const { return state_ ? state_->lostBy().value_or("") : std::string(); }

void Connection::close() {
  if (!state_) {
    return;
  }
  state_->disconnect();
  state_.reset();
}

int Connection::loginTimeout() const {
  ConnectionState& state = openState();
  SQLUINTEGER seconds = 0;
  state.call("SQLGetConnectAttr", SQLGetConnectAttr(state.handle(), SQL_ATTR_LOGIN_TIMEOUT, &seconds, 0, nullptr));
  return static_cast<int>(seconds);
}

int Connection::queryTimeout() const {
  // Asked of a fresh statement, which gets the time-out exactly as every other does.
  const Statement statement(state_);
  return static_cast<int>(statement.attribute(SQL_ATTR_QUERY_TIMEOUT));
}

std::string Connection::driverName() const {
  ConnectionState& state = openState();
  SQLCHAR name[256] = {};
  SQLSMALLINT length = 0;
  state.call("SQLGetInfo", SQLGetInfo(state.handle(), SQL_DRIVER_NAME, name, sizeof name, &length));
  return std::string(reinterpret_cast<const char*>(name));
}

void Connection::setAutocommit(bool on) {
  ConnectionState& state = openState();
  // Turning it on commits on the server.
  state.watched("SQLSetConnectAttr", [&] {
    return SQLSetConnectAttr(state.handle(), SQL_ATTR_AUTOCOMMIT,
                             asPointer(on ? SQL_AUTOCOMMIT_ON : SQL_AUTOCOMMIT_OFF), 0);
  });
}

void Connection::beginTransaction() {
  ConnectionState& state = openState();
  if (state.inTransaction()) {
    throw InvalidStateError("a transaction is already open");
  }
  setAutocommit(false);
  state.setInTransaction(true);
}

void Connection::endTransaction(bool commit) {
  ConnectionState& state = *state_;
  state.watched("SQLEndTran",
                [&] { return SQLEndTran(SQL_HANDLE_DBC, state.handle(), commit ? SQL_COMMIT : SQL_ROLLBACK); });
  setAutocommit(true);
}

void Connection::commit() {
  ConnectionState& state = openState();
  if (!state.inTransaction()) {
    throw InvalidStateError("commit with no transaction open");
  }
  if (isLost()) {
    state.setInTransaction(false);
    throw InvalidStateError("the connection was lost: the server has rolled the transaction back");
  }
  try {
    endTransaction(true);
  } catch (const OdbcError&) {
    try {
      rollback();
    } catch (const OdbcError&) {
      // rollback() has given the connection up; the commit's own failure is the one to report.
    }
    throw;
  }
  state.setInTransaction(false);
}

void Connection::rollback() {
  if (!inTransaction()) {
    return;
  }
  ConnectionState& state = *state_;
  state.setInTransaction(false);
  if (isLost()) {
    return;
  }
  try {
    endTransaction(false);
  } catch (const OdbcError& error) {
    if (isLost()) {
      return;  // the session has ended, and its transaction with it
    }
    // Whether the server still holds the transaction is unknown: only a new connection is sure to start clean.
    state.markLost(error.sqlState());
    throw;
  }
}

bool Connection::inTransaction() const { return state_ && state_->isConnected() && state_->inTransaction(); }

std::int64_t Connection::execute(const std::string& sql, const std::vector<Parameter>& params) {
  Statement statement(state_);
  if (statement.execute(sql, params) == SQL_NO_DATA) {
    return 0;  // a searched UPDATE or DELETE that matched no row
  }
  // psqlODBC leaves the count untouched for statements without one (DROP TABLE).
  SQLLEN count = -1;
  statement.call("SQLRowCount", SQLRowCount(statement.handle(), &count));
  return static_cast<std::int64_t>(count);
}

ResultSet Connection::openResultSet(const std::string& sql, const std::vector<Parameter>& params,
                                    CursorRequest cursor) {
  openState();
  return ResultSet(state_, sql, params, cursor);
}

}  // namespace platform::odbc
