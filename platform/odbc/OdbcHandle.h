#pragma once
// Internal to the ODBC layer.

#include <memory>

#include "platform/odbc/OdbcCall.h"

namespace platform::odbc {

// Frees an ODBC handle of the given type. A failure to free cannot be reported from a
// destructor, so the result is not looked at.
struct HandleFree {
  SQLSMALLINT type = 0;
  void operator()(SQLHANDLE handle) const noexcept { SQLFreeHandle(type, handle); }
};

// Move-only owner of one ODBC handle.
using UniqueHandle = std::unique_ptr<void, HandleFree>;

// Allocates a handle of `type` under `parent` (SQL_NULL_HANDLE for an environment); the
// diagnostics of a failure are on the parent.
UniqueHandle allocateHandle(SQLSMALLINT type, SQLSMALLINT parentType, SQLHANDLE parent);

}  // namespace platform::odbc
