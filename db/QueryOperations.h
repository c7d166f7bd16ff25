#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "db/DatabaseSession.h"
#include "platform/odbc/Connection.h"
#include "platform/odbc/ResultSet.h"

namespace mnt4820 {

// What the stores run their statements through; only db/ includes it.

using SqlValues = std::vector<platform::odbc::Parameter>;

// The session's time-outs as the ODBC layer takes them.
platform::odbc::ConnectOptions optionsOf(const DatabaseSession& session);

// The one connection, to begin a transaction on. Unless a transaction is open on it, it is first asked to
// answer, and opened again from `ConnectString` when it is lost (the server was restarted): a transaction is
// never carried over to another connection. The other operations reconnect in the same way, without asking
// first. Each reconnect writes one line to standard error with the SQLSTATE that showed the loss.
// Throws std::logic_error when no connection was opened, OdbcError when the new one cannot be opened.
platform::odbc::Connection& liveConnection(DatabaseSession& session);

// Opens a read-only result set for `sql` with `values` bound to its markers. A result that is read once from
// start to end (a listing) asks for a forward-only cursor. When the connection turns out lost and no transaction
// is open, the read runs once more on a new connection, unless it had no answer within the query time-out
// (OdbcError with TimedOutSqlState).
platform::odbc::ResultSet OpenQuery(DatabaseSession& session, const std::string& sql, const SqlValues& values = {},
                                    platform::odbc::CursorRequest cursor = platform::odbc::CursorRequest::Scrollable);

// A result set with the connection of its own that it was read on (the code search's listing).
struct OwnConnectionRows {
  platform::odbc::Connection connection;
  platform::odbc::ResultSet rows;
};

// The same as `OpenQuery` for the code search, on a connection of its own from `ConnectString`.
OwnConnectionRows OpenSearchQuery(DatabaseSession& session, const std::string& sql, const SqlValues& values = {});

// Runs `sql` on the connection; returns the number of rows it changed. A change is never run twice: when the
// connection is lost the error passes to the caller, and the next operation connects again.
std::int64_t ExecuteSql(DatabaseSession& session, const std::string& sql, const SqlValues& values = {});

}  // namespace mnt4820
