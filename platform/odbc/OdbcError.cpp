#include "platform/odbc/OdbcError.h"

#include <utility>

namespace platform::odbc {

namespace {

std::string describe(const std::string& functionName, const std::vector<DiagnosticRecord>& records) {
  std::string text = functionName + " failed";
  if (records.empty()) {
    return text + " (no diagnostic record)";
  }
  for (const DiagnosticRecord& record : records) {
    text += "\n[" + record.sqlState + "] (" + std::to_string(record.nativeCode) + ") " + record.message;
  }
  return text;
}

}  // namespace

OdbcError::OdbcError(std::string functionName, std::vector<DiagnosticRecord> records)
    : DatabaseError(describe(functionName, records)),
      functionName_(std::move(functionName)),
      records_(std::move(records)) {}

const std::string& OdbcError::sqlState() const {
  static const std::string none;
  return records_.empty() ? none : records_.front().sqlState;
}

std::int32_t OdbcError::nativeCode() const { return records_.empty() ? 0 : records_.front().nativeCode; }

bool OdbcError::meansConnectionLost() const {
  const std::string& state = sqlState();
  return state.starts_with("08") || state == "57P01" || state == "57P02" || state == "57P03";
}

}  // namespace platform::odbc
