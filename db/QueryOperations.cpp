#include "db/QueryOperations.h"

#include "platform/text/CodePage.h"

namespace mnt4820 {

namespace {

constexpr platform::odbc::ConnectOptions DbConnectOptions{.loginTimeoutSeconds = 120, .queryTimeoutSeconds = 300};

const char* statusOf(const platform::odbc::ResultSet& rows) {
  return rows.atEnd() ? QueryStatusEmpty : QueryStatusHasRows;
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
      platform::odbc::Connection::open(*session.DbEnvironment, session.ConnectString, DbConnectOptions));
}

platform::odbc::Connection& liveConnection(DatabaseSession& session) {
  if (!session.DbConnection || !session.DbConnection->isOpen() || !session.DbEnvironment) {
    throw std::logic_error("the database connection is not open");
  }
  platform::odbc::Connection& current = *session.DbConnection;
  if (!current.inTransaction() && current.isLost()) {
    // Opened before the lost one is let go, so that a failure leaves the session as it was.
    platform::odbc::Connection reopened =
        platform::odbc::Connection::open(*session.DbEnvironment, session.ConnectString, DbConnectOptions);
    current = std::move(reopened);
  }
  return current;
}

void OpenQuery(DatabaseSession& session, std::optional<platform::odbc::ResultSet>& resultSet, const SqlValues& values,
               platform::odbc::CursorRequest cursor) {
  platform::odbc::ResultSet opened = liveConnection(session).openResultSet(session.SqlText, values, cursor);
  session.QueryStatus = statusOf(opened);
  resultSet.emplace(std::move(opened));
}

void OpenSearchQuery(DatabaseSession& session, std::optional<SearchRecordset>& recordset, const SqlValues& values) {
  recordset.reset();
  if (!session.DbEnvironment) throw std::logic_error("the database environment is not open");
  platform::odbc::Connection own = platform::odbc::Connection::open(*session.DbEnvironment, session.ConnectString);
  platform::odbc::ResultSet rows = own.openResultSet(session.SqlText, values);
  session.QueryStatus = statusOf(rows);
  recordset.emplace(SearchRecordset{std::move(own), std::move(rows)});
}

std::int64_t ExecuteSql(DatabaseSession& session, const SqlValues& values) {
  return liveConnection(session).execute(session.SqlText, values);
}

void CloseDatabase(DatabaseSession& session) {
  if (session.DbConnection) session.DbConnection->close();
  session.DbConnection.reset();
  session.DbEnvironment.reset();
}

}  // namespace mnt4820
