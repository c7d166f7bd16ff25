#pragma once

#include <stdexcept>
#include <string>
#include <utility>

namespace platform::odbc {

// Base of every error the database layer raises, so that an error trap of a screen can
// catch them all in one clause and roll back.
class DatabaseError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// A result set was asked for a column it does not have.
class ColumnNotFoundError : public DatabaseError {
 public:
  explicit ColumnNotFoundError(std::string columnName)
      : DatabaseError("no column named \"" + columnName + "\" in the result set"), columnName_(std::move(columnName)) {}
  const std::string& columnName() const { return columnName_; }

 private:
  std::string columnName_;
};

// An operation that the object's state does not allow: reading past the last row, using a
// closed connection or result set, committing with no transaction open.
class InvalidStateError : public DatabaseError {
 public:
  using DatabaseError::DatabaseError;
};

}  // namespace platform::odbc
