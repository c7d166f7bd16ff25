#include "platform/odbc/Statement.h"

#include <cstdint>
#include <limits>
#include <utility>

#include "platform/odbc/DatabaseError.h"

namespace platform::odbc {

Statement::Statement(std::shared_ptr<ConnectionState> connection) : connection_(std::move(connection)) {
  if (!connection_ || !connection_->isConnected()) {
    throw InvalidStateError("the connection is closed");
  }
  handle_ = allocateHandle(SQL_HANDLE_STMT, SQL_HANDLE_DBC, connection_->handle());
  setAttribute(SQL_ATTR_QUERY_TIMEOUT, static_cast<SQLULEN>(connection_->options().queryTimeoutSeconds));
  connection_->attach(*this);
}

Statement::~Statement() { connection_->detach(*this); }

SQLRETURN Statement::execute(const std::string& sql, const std::vector<Parameter>& params) {
  if (sql.size() > static_cast<std::size_t>(std::numeric_limits<SQLINTEGER>::max())) {
    throw InvalidStateError("statement text too long");
  }
  std::vector<SQLLEN> indicators(params.size());
  for (std::size_t i = 0; i < params.size(); ++i) {
    const Parameter& param = params[i];
    // Both drivers end a text value at its first NUL and would compare or store the rest unseen.
    if (param && param->find('\0') != std::string::npos) {
      throw InvalidStateError("parameter " + std::to_string(i + 1) + " holds a NUL character");
    }
    const SQLLEN length = param ? static_cast<SQLLEN>(param->size()) : 0;
    indicators[i] = param ? length : SQL_NULL_DATA;
    SQLPOINTER value = param ? const_cast<char*>(param->data()) : &nullValue_;
    call("SQLBindParameter",
         SQLBindParameter(handle(), static_cast<SQLUSMALLINT>(i + 1), SQL_PARAM_INPUT, SQL_C_CHAR, SQL_VARCHAR,
                          static_cast<SQLULEN>(length > 0 ? length : 1), 0, value, length, &indicators[i]));
  }
  const SQLRETURN rc = watched("SQLExecDirect", [&] {
    return SQLExecDirect(handle(), reinterpret_cast<SQLCHAR*>(const_cast<char*>(sql.data())),
                         static_cast<SQLINTEGER>(sql.size()));
  });
  // The bound buffers end with this call. (After a failure the statement is discarded.)
  if (!params.empty()) {
    call("SQLFreeStmt", SQLFreeStmt(handle(), SQL_RESET_PARAMS));
  }
  return rc;
}

SQLULEN Statement::attribute(SQLINTEGER attribute) const {
  SQLULEN value = 0;
  call("SQLGetStmtAttr", SQLGetStmtAttr(handle(), attribute, &value, 0, nullptr));
  return value;
}

SQLRETURN Statement::setAttribute(SQLINTEGER attribute, SQLULEN value) {
  return call("SQLSetStmtAttr", SQLSetStmtAttr(handle(), attribute, asPointer(value), 0));
}

}  // namespace platform::odbc
