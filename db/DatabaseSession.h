#pragma once

#include <optional>
#include <string>

#include "platform/odbc/Connection.h"
#include "platform/odbc/Environment.h"

namespace mnt4820 {

// The one database connection of the run and the shared statement buffer. `SqlText` holds the statement
// with `?` markers; the values for them are handed to the query operations, never spliced into the text.
struct DatabaseSession {
  std::string ConnectString;
  std::optional<platform::odbc::Environment> DbEnvironment;
  std::optional<platform::odbc::Connection> DbConnection;
  std::string SqlText;
  // QueryStatusEmpty when the result set opened last is empty, QueryStatusHasRows otherwise.
  std::string QueryStatus;
  // Of every connection the session opens. No call on one waits longer than the query time-out for the server.
  platform::odbc::ConnectOptions connectOptions{.loginTimeoutSeconds = 120, .queryTimeoutSeconds = 300};
};

inline constexpr const char* QueryStatusEmpty = "9";
inline constexpr const char* QueryStatusHasRows = "0";

}  // namespace mnt4820
