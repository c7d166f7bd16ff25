#include "platform/odbc/OdbcCall.h"

#include <algorithm>
#include <string>

namespace platform::odbc {

std::vector<DiagnosticRecord> readDiagnostics(SQLSMALLINT handleType, SQLHANDLE handle) {
  std::vector<DiagnosticRecord> records;
  if (handle == SQL_NULL_HANDLE) {
    return records;
  }
  std::vector<SQLCHAR> message(512);
  for (SQLSMALLINT number = 1; number > 0; ++number) {
    SQLCHAR state[SQL_SQLSTATE_SIZE + 1] = {};
    SQLINTEGER native = 0;
    SQLSMALLINT length = 0;
    auto read = [&] {
      return SQLGetDiagRec(handleType, handle, number, state, &native, message.data(),
                           static_cast<SQLSMALLINT>(message.size()), &length);
    };
    SQLRETURN rc = read();
    if (rc == SQL_SUCCESS_WITH_INFO && static_cast<std::size_t>(length) >= message.size()) {
      message.resize(static_cast<std::size_t>(length) + 1);
      rc = read();
    }
    // SQL_NO_DATA after the last record; a failure to read one more keeps what was read.
    if (!SQL_SUCCEEDED(rc)) {
      break;
    }
    const std::size_t textLength =
        std::min(static_cast<std::size_t>(std::max<SQLSMALLINT>(length, 0)), message.size() - 1);
    records.push_back({std::string(reinterpret_cast<const char*>(state)), static_cast<std::int32_t>(native),
                       std::string(reinterpret_cast<const char*>(message.data()), textLength)});
  }
  return records;
}

SQLRETURN checked(const char* functionName, SQLSMALLINT handleType, SQLHANDLE handle, SQLRETURN rc) {
  if (SQL_SUCCEEDED(rc) || rc == SQL_NO_DATA) {
    return rc;
  }
  // SQL_INVALID_HANDLE leaves no records; SQL_NEED_DATA and SQL_STILL_EXECUTING cannot arise
  // from the way this layer calls (no data-at-execution parameters, no asynchronous mode).
  throw OdbcError(functionName,
                  rc == SQL_INVALID_HANDLE ? std::vector<DiagnosticRecord>{} : readDiagnostics(handleType, handle));
}

}  // namespace platform::odbc
