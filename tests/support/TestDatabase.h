#pragma once

#include <filesystem>
#include <optional>
#include <string>

#include "platform/odbc/Connection.h"
#include "platform/odbc/Environment.h"
#include "tests/support/TestFolder.h"

namespace mnt4820::test {

// Which database a test runs against: a fresh SQLite file of its own, or the PostgreSQL server that the
// test command starts (connect string in MNT4820_TEST_PG_CONNECT).
enum class Engine { Sqlite, Postgres };
std::string engineName(Engine engine);

// A data source with the suite's schema (and optionally the demo rows) loaded. For SQLite the data source
// is a DSN of its own, written to a private odbc.ini that ODBCINI points to; for PostgreSQL it is the DSN of
// the test server, and the tables are dropped and created anew.
class TestDatabase {
 public:
  // Returns nothing (and the caller skips) when the engine is not available here.
  static std::optional<TestDatabase> create(Engine engine, bool withDemoData);

  Engine engine() const { return engine_; }
  const std::string& dsn() const { return dsn_; }
  const std::string& user() const { return user_; }
  const std::string& password() const { return password_; }
  std::string connectString() const { return "DSN=" + dsn_ + ";UID=" + user_ + ";PWD=" + password_ + ";"; }

  // A connection of the test's own, for setting up rows and checking what the program wrote.
  platform::odbc::Connection connect();

  TestDatabase(TestDatabase&&) = default;
  TestDatabase& operator=(TestDatabase&&) = default;

 private:
  TestDatabase() = default;

  Engine engine_ = Engine::Sqlite;
  std::unique_ptr<TestFolder> folder_;
  std::string dsn_;
  std::string user_;
  std::string password_;
  std::unique_ptr<platform::odbc::Environment> environment_;
};

// Whether a missing PostgreSQL server must fail the test instead of skipping it.
bool postgresRequired();

}  // namespace mnt4820::test
