#include "OdbcTest.h"

#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <stdexcept>

namespace platform::odbc::test {

namespace {

std::string environmentValue(const char* name) {
  const char* value = std::getenv(name);
  return value == nullptr ? std::string() : std::string(value);
}

std::string sqliteConnectString(const std::string& file) {
  return std::string("Driver=") + MNT4820_SQLITE_ODBC_DRIVER + ";Database=" + file + ";Timeout=10000;";
}

std::string uniqueSuffix() {
  static std::atomic<int> counter{0};
  return std::to_string(::getpid()) + "_" + std::to_string(++counter);
}

const BackendTraits sqliteTraits{
    "SQLite", CursorKind::Static, false, {"HY000", 19}, {"HY000", 1}, {"HY000", 1},
};

const BackendTraits postgresTraits{
    "PostgreSQL", CursorKind::KeysetDriven, true, {"23505", std::nullopt}, {"42601", std::nullopt}, {"42P01", std::nullopt},
};

}  // namespace

std::string backendName(const ::testing::TestParamInfo<Backend>& info) {
  return info.param == Backend::SQLite ? sqliteTraits.name : postgresTraits.name;
}

const BackendTraits& OdbcTest::traits() const { return GetParam() == Backend::SQLite ? sqliteTraits : postgresTraits; }

void OdbcTest::SetUp() {
  if (GetParam() == Backend::SQLite) {
    connectString_ = environmentValue("MNT4820_TEST_SQLITE_CONNECT");
    if (connectString_.empty()) {
      connectString_ = sqliteConnectString(temporarySqliteFile());
    }
    return;
  }
  connectString_ = environmentValue("MNT4820_TEST_PG_CONNECT");
  if (connectString_.empty()) {
    if (environmentValue("MNT4820_REQUIRE_PG") == "1") {
      FAIL() << "MNT4820_REQUIRE_PG=1 but MNT4820_TEST_PG_CONNECT is not set";
    }
    GTEST_SKIP() << "MNT4820_TEST_PG_CONNECT is not set: PostgreSQL run skipped "
                    "(scripts/pg-server.sh and scripts/odbc-config.sh set a server and DSN up)";
  }
}

void OdbcTest::TearDown() {
  if (!connectString_.empty() && (!tables_.empty() || !schemas_.empty())) {
    for (const std::string& table : tables_) {
      dropQuietly("DROP TABLE IF EXISTS " + table);
    }
    for (const std::string& schema : schemas_) {
      dropQuietly("DROP SCHEMA IF EXISTS " + schema + " CASCADE");
    }
  }
  for (const std::string& file : ownedFiles_) {
    std::remove(file.c_str());
    std::remove((file + "-journal").c_str());
  }
}

void OdbcTest::dropQuietly(const std::string& statement) {
  try {
    Connection connection = connect();
    connection.execute(statement);
  } catch (const std::exception& error) {
    ADD_FAILURE() << "cleaning up with \"" << statement << "\": " << error.what();
  }
}

std::string OdbcTest::temporarySqliteFile() {
  char name[] = "/tmp/mnt4820-odbc-XXXXXX";
  const int descriptor = ::mkstemp(name);
  if (descriptor < 0) {
    throw std::runtime_error(std::string("mkstemp: ") + std::strerror(errno));
  }
  ::close(descriptor);
  ownedFiles_.emplace_back(name);
  return name;
}

Connection OdbcTest::connect(const ConnectOptions& options) { return Connection::open(environment_, connectString_, options); }

Connection OdbcTest::connectIsolated() {
  if (GetParam() == Backend::SQLite) {
    const bool ownFile = environmentValue("MNT4820_TEST_SQLITE_CONNECT").empty();
    return ownFile ? connect() : Connection::open(environment_, sqliteConnectString(temporarySqliteFile()));
  }
  const std::string schema = "mnt4820_test_" + uniqueSuffix();
  Connection connection = connect();
  connection.execute("CREATE SCHEMA " + schema);
  schemas_.push_back(schema);
  connection.execute("SET search_path TO " + schema);
  return connection;
}

std::string OdbcTest::uniqueTable(const std::string& stem) {
  std::string name = stem + "_" + uniqueSuffix();
  tables_.push_back(name);
  return name;
}

}  // namespace platform::odbc::test
