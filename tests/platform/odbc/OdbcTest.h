#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/odbc/Connection.h"
#include "platform/odbc/Environment.h"
#include "platform/odbc/ResultSet.h"
#include "tests/support/TestDatabase.h"

namespace platform::odbc::test {

using mnt4820::test::Engine;

// What a test may expect of a driver where the two differ.
struct ExpectedFailure {
  std::string sqlState;
  std::optional<std::int32_t> nativeCode;  // checked only where the driver's is meaningful
};

struct EngineTraits {
  CursorKind cursorKind;
  ExpectedFailure duplicateKey;
  ExpectedFailure syntaxError;
  ExpectedFailure missingTable;
};

// The shared test bodies run once per driver: on a temporary SQLite file of the test's own, and on the
// PostgreSQL server of MNT4820_TEST_PG_CONNECT (see postgresConnectString).
class OdbcTest : public ::testing::TestWithParam<Engine> {
 protected:
  void SetUp() override;
  void TearDown() override;

  const EngineTraits& traits() const;
  Environment& environment() { return environment_; }
  const std::string& connectString() const { return connectString_; }
  Connection connect(const ConnectOptions& options = {});
  // A table name of this test's own (dropped after it): `stem` plus a unique suffix.
  std::string uniqueTable(const std::string& stem);

 private:
  void dropQuietly(const std::string& statement);

  Environment environment_;
  std::string connectString_;
  std::string sqliteFile_;
  std::vector<std::string> tables_;
};

}  // namespace platform::odbc::test
