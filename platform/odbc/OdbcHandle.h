#pragma once
// Internal to the ODBC layer.

#include <cstdint>
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

// An integer attribute value as the pointer argument that SQLSet...Attr takes for it.
inline SQLPOINTER asPointer(SQLULEN value) { return reinterpret_cast<SQLPOINTER>(static_cast<std::uintptr_t>(value)); }

}  // namespace platform::odbc
