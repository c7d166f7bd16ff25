#include "platform/odbc/Environment.h"

#include <cstdint>

#include "platform/odbc/OdbcHandle.h"

namespace platform::odbc {

Environment::Environment() {
  UniqueHandle handle = allocateHandle(SQL_HANDLE_ENV, SQL_HANDLE_ENV, SQL_NULL_HANDLE);
  checked("SQLSetEnvAttr", SQL_HANDLE_ENV, handle.get(),
          SQLSetEnvAttr(handle.get(), SQL_ATTR_ODBC_VERSION, asPointer(SQL_OV_ODBC3), 0));
  handle_ = std::shared_ptr<void>(handle.release(), HandleFree{SQL_HANDLE_ENV});
}

}  // namespace platform::odbc
