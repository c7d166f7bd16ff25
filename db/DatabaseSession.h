#pragma once

#include <memory>
#include <string>

#include "config/Settings.h"

namespace platform::odbc {
class Connection;
class Environment;
}  // namespace platform::odbc

namespace mnt4820 {

// Time-outs of every connection the session opens, in seconds (0: wait without limit).
struct SessionTimeouts {
  int loginTimeoutSeconds = 120;
  // No call on a connection waits longer than this for the server.
  int queryTimeoutSeconds = 300;
};

// The one database connection of the run. The stores (PairStore, OperatorStore, SearchStore) run their
// statements on it; only db/ sees the ODBC types behind it.
struct DatabaseSession {
  DatabaseSession();
  ~DatabaseSession();
  DatabaseSession(const DatabaseSession&) = delete;
  DatabaseSession& operator=(const DatabaseSession&) = delete;

  std::string ConnectString;
  std::unique_ptr<platform::odbc::Environment> DbEnvironment;
  std::unique_ptr<platform::odbc::Connection> DbConnection;
  SessionTimeouts connectOptions;
};

// "DSN=…;UID=…;PWD=…;" from the database settings, each value trimmed of blanks.
std::string BuildConnectString(const DbSettings& db);

// Builds `ConnectString` and opens the one connection with the session's `connectOptions`.
// ODBC environments carry no name and no default user: the user travels in the connect string.
// Errors pass to the caller as platform::odbc::OdbcError; an empty data-source name is refused with
// std::invalid_argument.
void ConnectDatabase(DatabaseSession& session, const DbSettings& db);

void CloseDatabase(DatabaseSession& session);

}  // namespace mnt4820
