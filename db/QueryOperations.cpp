#include "db/QueryOperations.h"

#include <iostream>

#include "platform/odbc/OdbcError.h"
#include "platform/text/CodePage.h"

namespace mnt4820 {

namespace {

const char* statusOf(const platform::odbc::ResultSet& rows) {
  return rows.atEnd() ? QueryStatusEmpty : QueryStatusHasRows;
}

// `connection`, replaced by a new one from `ConnectString` when it is lost and no transaction is open on it.
platform::odbc::Connection& reconnectedIfLost(DatabaseSession& session, platform::odbc::Connection& connection) {
  if (connection.inTransaction() || !connection.isLost()) return connection;
  // Opened before the lost one is let go, so that a failure leaves the session as it was.
  platform::odbc::Connection reopened =
      platform::odbc::Connection::open(*session.DbEnvironment, session.ConnectString, session.connectOptions);
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

std::string BuildConnectString(const DbSettings& db) {
  return "DSN=" + platform::trimBlanks(db.DbString) + ";UID=" + platform::trimBlanks(db.UserId) +
         ";PWD=" + platform::trimBlanks(db.Password) + ";";
}

void ConnectDatabase(DatabaseSession& session, const DbSettings& db) {
  session.ConnectString = BuildConnectString(db);
  // unixODBC answers "DSN=;" with whatever data source its files name first: an empty data-source name
  // must fail here rather than open some other database.
  if (platform::trimBlanks(db.DbString).empty()) throw std::invalid_argument("no data source is named");
  session.DbEnvironment.emplace();
  session.DbConnection.emplace(
      platform::odbc::Connection::open(*session.DbEnvironment, session.ConnectString, session.connectOptions));
}

platform::odbc::Connection& liveConnection(DatabaseSession& session) {
  platform::odbc::Connection& connection = currentConnection(session);
  if (connection.inTransaction()) return connection;
  // A restart shows only when a statement meets it. One that changes nothing meets it here rather than the
  // first statement of a change, which could not run again.
  readRetryingOnce(session, connection, [](platform::odbc::Connection& probed) { return probed.execute("SELECT 1"); });
  return connection;
}

void OpenQuery(DatabaseSession& session, std::optional<platform::odbc::ResultSet>& resultSet, const SqlValues& values,
               platform::odbc::CursorRequest cursor) {
  platform::odbc::ResultSet opened =
      readRetryingOnce(session, currentConnection(session), [&](platform::odbc::Connection& connection) {
        return connection.openResultSet(session.SqlText, values, cursor);
      });
  session.QueryStatus = statusOf(opened);
  resultSet.emplace(std::move(opened));
}

void OpenSearchQuery(DatabaseSession& session, std::optional<OwnConnectionRows>& recordset, const SqlValues& values) {
  recordset.reset();
  if (!session.DbEnvironment) throw std::logic_error("the database environment is not open");
  platform::odbc::Connection own =
      platform::odbc::Connection::open(*session.DbEnvironment, session.ConnectString, session.connectOptions);
  platform::odbc::ResultSet rows = readRetryingOnce(session, own, [&](platform::odbc::Connection& connection) {
    return connection.openResultSet(session.SqlText, values);
  });
  session.QueryStatus = statusOf(rows);
  recordset.emplace(OwnConnectionRows{std::move(own), std::move(rows)});
}

std::int64_t ExecuteSql(DatabaseSession& session, const SqlValues& values) {
  return currentConnection(session).execute(session.SqlText, values);
}

void CloseDatabase(DatabaseSession& session) {
  if (session.DbConnection) session.DbConnection->close();
  session.DbConnection.reset();
  session.DbEnvironment.reset();
}

}  // namespace mnt4820
