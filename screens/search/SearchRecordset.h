#pragma once

#include "platform/odbc/Connection.h"
#include "platform/odbc/ResultSet.h"

namespace mnt4820 {

// The listing of the code search: a result set on a connection of its own, opened from `ConnectString`.
struct SearchRecordset {
  platform::odbc::Connection connection;
  platform::odbc::ResultSet rows;
};

}  // namespace mnt4820
