#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "db/DatabaseSession.h"

namespace mnt4820 {

// One row of "FL0003担当者マスタ", as stored.
struct OperatorRow {
  std::string name;
  std::int16_t imeMode = 0;
  std::int16_t authority = 0;
  std::string password;
};

// The operators of "FL0003担当者マスタ" on the session's connection.
class OperatorStore {
 public:
  explicit OperatorStore(DatabaseSession& session) : session_(session) {}

  // The operator with this code; none when no row has it. Errors pass to the caller.
  std::optional<OperatorRow> find(const std::string& code);
  // Stores the operator's new password as given, in one transaction; throws when the row has gone meanwhile, with
  // the transaction rolled back.
  void setPassword(const std::string& code, const std::string& password);

 private:
  DatabaseSession& session_;
};

}  // namespace mnt4820
