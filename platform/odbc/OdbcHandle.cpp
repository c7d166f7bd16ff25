#include "platform/odbc/OdbcHandle.h"

#include <type_traits>

namespace platform::odbc {

// The public headers keep handles as void* so that sql.h stays inside this layer.
static_assert(std::is_same_v<SQLHANDLE, void*>);

UniqueHandle allocateHandle(SQLSMALLINT type, SQLSMALLINT parentType, SQLHANDLE parent) {
  SQLHANDLE handle = SQL_NULL_HANDLE;
  checked("SQLAllocHandle", parentType, parent, SQLAllocHandle(type, parent, &handle));
  return UniqueHandle(handle, HandleFree{type});
}

}  // namespace platform::odbc
