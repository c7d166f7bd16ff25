#pragma once
// Internal to the ODBC layer: the only headers of the project that include sql.h.

#include <sql.h>
#include <sqlext.h>

#include <vector>

#include "platform/odbc/OdbcError.h"

namespace platform::odbc {

// Every diagnostic record of a handle, read with SQLGetDiagRec until SQL_NO_DATA.
std::vector<DiagnosticRecord> readDiagnostics(SQLSMALLINT handleType, SQLHANDLE handle);

// The one gate of every ODBC call: `rc` is what the call `functionName` returned on
// `handle`. SQL_SUCCESS, SQL_SUCCESS_WITH_INFO and SQL_NO_DATA are handed back for the
// caller to tell apart; anything else throws OdbcError with all the records of the handle.
SQLRETURN checked(const char* functionName, SQLSMALLINT handleType, SQLHANDLE handle, SQLRETURN rc);

}  // namespace platform::odbc
