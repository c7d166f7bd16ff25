#pragma once

namespace platform::odbc {

// Time-outs of a connection, in seconds (0: wait without limit).
struct ConnectOptions {
  int loginTimeoutSeconds = 120;
  // Applied to every statement run on the connection.
  int queryTimeoutSeconds = 300;
};

}  // namespace platform::odbc
