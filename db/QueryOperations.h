#pragma once

#include <optional>
#include <string>
#include <vector>

#include "config/Settings.h"
#include "db/DatabaseSession.h"
#include "platform/odbc/ResultSet.h"

namespace mnt4820 {

using SqlValues = std::vector<platform::odbc::Parameter>;

// "DSN=…;UID=…;PWD=…;" from the database settings, each value trimmed of blanks.
std::string BuildConnectString(const DbSettings& db);

// Builds `ConnectString` and opens the one connection with the session's `connectOptions`.
// ODBC environments carry no name and no default user: the user travels in the connect string.
// Errors pass to the caller as platform::odbc::OdbcError; an empty data-source name is refused with
// std::invalid_argument.
void ConnectDatabase(DatabaseSession& session, const DbSettings& db);

// The one connection, to begin a transaction on. Unless a transaction is open on it, it is first asked to
// answer, and opened again from `ConnectString` when it is lost (the server was restarted): a transaction is
// never carried over to another connection. The other operations reconnect in the same way, without asking
// first. Each reconnect writes one line to standard error with the SQLSTATE that showed the loss.
// Throws std::logic_error when no connection was opened, OdbcError when the new one cannot be opened.
platform::odbc::Connection& liveConnection(DatabaseSession& session);

// Opens a read-only result set for `SqlText` with `values` bound to its markers and hands it to `resultSet`;
// sets `QueryStatus`. On an error `resultSet` and `QueryStatus` keep what they held. A result that is read
// once from start to end (a listing) asks for a forward-only cursor. When the connection turns out lost and
// no transaction is open, the read runs once more on a new connection, unless it had no answer within the query
// time-out (OdbcError with TimedOutSqlState).
void OpenQuery(DatabaseSession& session, std::optional<platform::odbc::ResultSet>& resultSet,
               const SqlValues& values = {},
               platform::odbc::CursorRequest cursor = platform::odbc::CursorRequest::Scrollable);

// A result set with the connection of its own that it was read on (the code search's listing).
struct OwnConnectionRows {
  platform::odbc::Connection connection;
  platform::odbc::ResultSet rows;
};

// The same as `OpenQuery` for the code search, on a connection of its own from `ConnectString`. The caller's old
// recordset is released first, so after an error the variable holds none.
void OpenSearchQuery(DatabaseSession& session, std::optional<OwnConnectionRows>& recordset,
                     const SqlValues& values = {});

// Runs `SqlText` on the connection; returns the number of rows it changed. A change is never run twice: when
// the connection is lost the error passes to the caller, and the next operation connects again.
std::int64_t ExecuteSql(DatabaseSession& session, const SqlValues& values = {});

void CloseDatabase(DatabaseSession& session);

}  // namespace mnt4820
