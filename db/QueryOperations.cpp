#include "db/QueryOperations.h"

#include <iostream>

#include "platform/odbc/Environment.h"
#include "platform/odbc/OdbcError.h"

namespace mnt4820 {

namespace {

// `connection`, replaced by a new one from `ConnectString` when it is lost and no transaction is open on it.
platform::odbc::Connection& reconnectedIfLost(DatabaseSession& session, platform::odbc::Connection& connection) {
  if (connection.inTransaction() || !connection.isLost()) return connection;
  // Opened before the lost one is let go, so that a failure leaves the session as it was.
  platform::odbc::Connection reopened =
      platform::odbc::Connection::open(*session.DbEnvironment, session.ConnectString, optionsOf(session));
  const std::string cause = connection.lostSqlState();
  connection = std::move(reopened);
  // The operator sees nothing of it; an administrator sees why the server dropped the connection.
  std::cerr << "MNT4820: database connection: lost [" << cause << "], connected again" << std::endl;
  return connection;
}

// Runs `read` on `connection`; when it fails because the connection is gone and no transaction is open on it,
// once more on a new connection. Only reads come here: a change might have reached the server. A read that had
// no answer within the query time-out is not tried again: the operator has waited that long already.
template <typename Read>
auto readRetryingOnce(DatabaseSession& session, platform::odbc::Connection& connection, Read read) {
  try {
    return read(connection);
  } catch (const platform::odbc::OdbcError& error) {
    if (connection.inTransaction() || !connection.isLost() || error.sqlState() == platform::odbc::TimedOutSqlState) {
      throw;
    }
  }
  return read(reconnectedIfLost(session, connection));
}

platform::odbc::Connection& currentConnection(DatabaseSession& session) {
  if (!session.DbConnection || !session.DbConnection->isOpen() || !session.DbEnvironment) {
    throw std::logic_error("the database connection is not open");
  }
  return reconnectedIfLost(session, *session.DbConnection);
}

}  // namespace

platform::odbc::ConnectOptions optionsOf(const DatabaseSession& session) {
  return {.loginTimeoutSeconds = session.connectOptions.loginTimeoutSeconds,
          .queryTimeoutSeconds = session.connectOptions.queryTimeoutSeconds};
}

platform::odbc::Connection& liveConnection(DatabaseSession& session) {
  platform::odbc::Connection& connection = currentConnection(session);
  if (connection.inTransaction()) return connection;
  // A restart shows only when a statement meets it. One that changes nothing meets it here rather than the
  // first statement of a change, which could not run again.
  readRetryingOnce(session, connection, [](platform::odbc::Connection& probed) { return probed.execute("SELECT 1"); });
  return connection;
}

platform::odbc::ResultSet OpenQuery(DatabaseSession& session, const std::string& sql, const SqlValues& values,
                                    platform::odbc::CursorRequest cursor) {
  return readRetryingOnce(session, currentConnection(session), [&](platform::odbc::Connection& connection) {
    return connection.openResultSet(sql, values, cursor);
  });
}

OwnConnectionRows OpenSearchQuery(DatabaseSession& session, const std::string& sql, const SqlValues& values) {
  if (!session.DbEnvironment) throw std::logic_error("the database environment is not open");
  platform::odbc::Connection own =
      platform::odbc::Connection::open(*session.DbEnvironment, session.ConnectString, optionsOf(session));
  platform::odbc::ResultSet rows = readRetryingOnce(
      session, own, [&](platform::odbc::Connection& connection) { return connection.openResultSet(sql, values); });
  return OwnConnectionRows{std::move(own), std::move(rows)};
}

std::int64_t ExecuteSql(DatabaseSession& session, const std::string& sql, const SqlValues& values) {
  return currentConnection(session).execute(sql, values);
}

}  // namespace mnt4820
