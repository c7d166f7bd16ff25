#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "platform/odbc/Connection.h"
#include "platform/odbc/Environment.h"
#include "tests/support/TestFolder.h"

namespace mnt4820::test {

// Which database a test runs against: a fresh SQLite file of its own, or the PostgreSQL server that the
// test command starts (connect string in MNT4820_TEST_PG_CONNECT).
enum class Engine { Sqlite, Postgres };
std::string engineName(Engine engine);
inline void PrintTo(Engine engine, std::ostream* out) { *out << engineName(engine); }

// The PostgreSQL connect string. Without one the tests fail, unless MNT4820_SKIP_PG=1 says to skip them
// (then this returns nothing).
std::optional<std::string> postgresConnectString();

// A data source with the suite's schema (and optionally the demo rows) loaded, under a DSN of the test's own
// written to a private odbc.ini that ODBCINI points to: for SQLite a file of its own, for PostgreSQL a schema
// of its own that the DSN puts first on the search path, so that tests running at once never share a table.
class TestDatabase {
 public:
  // Returns nothing (and the caller skips) when MNT4820_SKIP_PG=1 leaves PostgreSQL out.
  static std::optional<TestDatabase> create(Engine engine, bool withDemoData);

  const std::string& dsn() const { return dsn_; }
  const std::string& user() const { return user_; }
  const std::string& password() const { return password_; }
  std::string connectString() const { return "DSN=" + dsn_ + ";UID=" + user_ + ";PWD=" + password_ + ";"; }

  // A connection of the test's own, for setting up rows and checking what the program wrote.
  platform::odbc::Connection connect();

  TestDatabase(TestDatabase&&) = default;
  TestDatabase& operator=(TestDatabase&&) = default;
  ~TestDatabase();

 private:
  TestDatabase() = default;

  std::unique_ptr<TestFolder> folder_;
  std::string dsn_;
  std::string user_;
  std::string password_;
  std::string schema_;  // PostgreSQL only; dropped with the object
  std::string serverConnect_;
  std::unique_ptr<platform::odbc::Environment> environment_;
};

// Every stored pair of "FL1915センタ利用企業マスタ" as "center/partner", in order, read on `connection`.
std::vector<std::string> storedPairs(platform::odbc::Connection connection);

}  // namespace mnt4820::test

#define MNT4820_INSTANTIATE_FOR_BOTH_ENGINES(suite)                                                               \
  INSTANTIATE_TEST_SUITE_P(Engines, suite,                                                                        \
                           ::testing::Values(::mnt4820::test::Engine::Sqlite, ::mnt4820::test::Engine::Postgres), \
                           [](const auto& info) { return ::mnt4820::test::engineName(info.param); })
