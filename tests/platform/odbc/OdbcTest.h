#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/odbc/Connection.h"
#include "platform/odbc/Environment.h"
#include "platform/odbc/ResultSet.h"

namespace platform::odbc::test {

enum class Backend { SQLite, PostgreSQL };

// What a test may expect of a driver where the two differ.
struct ExpectedFailure {
  std::string sqlState;
  std::optional<std::int32_t> nativeCode;  // checked only where the driver's is meaningful
};

struct BackendTraits {
  const char* name;
  CursorKind cursorKind;
  // The SQLite driver keeps neither time-out: it reports a login time-out of its own and 0.
  bool keepsTimeouts;
  ExpectedFailure duplicateKey;
  ExpectedFailure syntaxError;
  ExpectedFailure missingTable;
};

// The shared test bodies run once per driver. The connect strings come from the
// environment: MNT4820_TEST_SQLITE_CONNECT (else a temporary SQLite file of the test's
// own) and MNT4820_TEST_PG_CONNECT (else the PostgreSQL runs are skipped, or fail when
// MNT4820_REQUIRE_PG=1).
class OdbcTest : public ::testing::TestWithParam<Backend> {
 protected:
  void SetUp() override;
  void TearDown() override;

  const BackendTraits& traits() const;
  Environment& environment() { return environment_; }
  const std::string& connectString() const { return connectString_; }
  Connection connect(const ConnectOptions& options = {});
  // A connection on which the fixed table names of db/schema.sql meet no other test's
  // tables: a schema of the test's own on PostgreSQL, a file of its own on SQLite.
  Connection connectIsolated();
  // A table name of this test's own (dropped after it): `stem` plus a unique suffix.
  std::string uniqueTable(const std::string& stem);

 private:
  std::string temporarySqliteFile();
  void dropQuietly(const std::string& statement);

  Environment environment_;
  std::string connectString_;
  std::vector<std::string> ownedFiles_;
  std::vector<std::string> tables_;
  std::vector<std::string> schemas_;
};

std::string backendName(const ::testing::TestParamInfo<Backend>& info);

}  // namespace platform::odbc::test

#define MNT4820_INSTANTIATE_FOR_BOTH_DRIVERS(suite)                                                          \
  INSTANTIATE_TEST_SUITE_P(Drivers, suite,                                                                   \
                           ::testing::Values(::platform::odbc::test::Backend::SQLite,                        \
                                             ::platform::odbc::test::Backend::PostgreSQL),                   \
                           ::platform::odbc::test::backendName)
