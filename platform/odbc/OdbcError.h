#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/odbc/DatabaseError.h"

namespace platform::odbc {

// One diagnostic record of the driver manager or the driver (SQLGetDiagRec).
struct DiagnosticRecord {
  std::string sqlState;
  std::int32_t nativeCode = 0;
  std::string message;
};

// The SQLSTATE of a call that had no answer from the server within the connection's query time-out: the
// connection is lost with it (Connection::lostSqlState).
inline constexpr const char* TimedOutSqlState = "HYT00";

// An ODBC call failed. Holds every diagnostic record of the failing handle: the first is the
// main one, later ones often name the cause (a key violation behind "statement terminated").
class OdbcError : public DatabaseError {
 public:
  OdbcError(std::string functionName, std::vector<DiagnosticRecord> records);

  const std::string& functionName() const { return functionName_; }
  const std::vector<DiagnosticRecord>& records() const { return records_; }
  // Of the first record; empty and 0 when the driver left no record.
  const std::string& sqlState() const;
  std::int32_t nativeCode() const;
  // Whether the failure says the link to the server is gone: SQLSTATE class 08, or PostgreSQL's 57P01, 57P02
  // and 57P03 (the server shut down, crashed or is starting again), with which psqlODBC reports a restart.
  bool meansConnectionLost() const;

 private:
  std::string functionName_;
  std::vector<DiagnosticRecord> records_;
};

}  // namespace platform::odbc
