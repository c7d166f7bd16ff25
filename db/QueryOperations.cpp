#include "db/QueryOperations.h"

#include "platform/text/CodePage.h"

namespace mnt4820 {

namespace {

platform::odbc::Connection& connection(DatabaseSession& session) {
  if (!session.DbConnection || !session.DbConnection->isOpen()) {
    throw std::logic_error("the database connection is not open");
  }
  return *session.DbConnection;
}

const char* statusOf(const platform::odbc::ResultSet& rows) { return rows.atEnd() ? QueryStatusEmpty : QueryStatusHasRows; }

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
  session.DbConnection.emplace(platform::odbc::Connection::open(
      *session.DbEnvironment, session.ConnectString,
      platform::odbc::ConnectOptions{.loginTimeoutSeconds = 120, .queryTimeoutSeconds = 300}));
}

void OpenQuery(DatabaseSession& session, std::optional<platform::odbc::ResultSet>& resultSet,
               const SqlValues& values, platform::odbc::CursorRequest cursor) {
  platform::odbc::ResultSet opened = connection(session).openResultSet(session.SqlText, values, cursor);
  session.QueryStatus = statusOf(opened);
  resultSet.emplace(std::move(opened));
}

void OpenSearchQuery(DatabaseSession& session, std::optional<SearchRecordset>& recordset,
                     const SqlValues& values) {
  recordset.reset();
  if (!session.DbEnvironment) throw std::logic_error("the database environment is not open");
  platform::odbc::Connection own = platform::odbc::Connection::open(*session.DbEnvironment, session.ConnectString);
  platform::odbc::ResultSet rows = own.openResultSet(session.SqlText, values);
  session.QueryStatus = statusOf(rows);
  recordset.emplace(SearchRecordset{std::move(own), std::move(rows)});
}

std::int64_t ExecuteSql(DatabaseSession& session, const SqlValues& values) {
  return connection(session).execute(session.SqlText, values);
}

void CloseDatabase(DatabaseSession& session) {
  if (session.DbConnection) session.DbConnection->close();
  session.DbConnection.reset();
  session.DbEnvironment.reset();
}

}  // namespace mnt4820
