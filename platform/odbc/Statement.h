#pragma once
// Internal to the ODBC layer.

#include <memory>
#include <string>
#include <vector>

#include "platform/odbc/ConnectionState.h"
#include "platform/odbc/Parameter.h"

namespace platform::odbc {

// One statement handle on an open connection, with the connection's query time-out applied.
// Registered with the connection while it lives.
class Statement {
 public:
  explicit Statement(std::shared_ptr<ConnectionState> connection);
  ~Statement();
  Statement(const Statement&) = delete;
  Statement& operator=(const Statement&) = delete;

  // Null once released.
  SQLHSTMT handle() const { return handle_.get(); }
  SQLHDBC connectionHandle() const { return connection_->handle(); }
  // Frees the handle ahead of a disconnect.
  void release() noexcept { handle_.reset(); }

  // Runs `sql` once with `params` bound as text; SQL_NO_DATA when a searched change touched
  // no row. A statement whose execution failed is not to be executed again.
  SQLRETURN execute(const std::string& sql, const std::vector<Parameter>& params);

  SQLULEN attribute(SQLINTEGER attribute) const;
  // SQL_SUCCESS_WITH_INFO when the driver put a value of its own in place of `value`;
  // throws OdbcError when it refuses the attribute.
  SQLRETURN setAttribute(SQLINTEGER attribute, SQLULEN value);

  SQLRETURN call(const char* functionName, SQLRETURN rc) const {
    return connection_->check(functionName, SQL_HANDLE_STMT, handle_.get(), rc);
  }
  // call() for a call that waits for the server (ConnectionState::watched).
  template <typename OdbcCall>
  SQLRETURN watched(const char* functionName, OdbcCall odbcCall) const {
    return connection_->watched(functionName, SQL_HANDLE_STMT, handle_.get(), odbcCall);
  }

 private:
  std::shared_ptr<ConnectionState> connection_;
  UniqueHandle handle_;
  // What a NULL parameter points at: both drivers take a null value pointer for "unbound".
  char nullValue_ = '\0';
};

}  // namespace platform::odbc
