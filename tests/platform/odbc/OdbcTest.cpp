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

std::string uniqueSuffix() {
  static std::atomic<int> counter{0};
  return std::to_string(::getpid()) + "_" + std::to_string(++counter);
}

const EngineTraits sqliteTraits{CursorKind::Static, {"HY000", 19}, {"HY000", 1}, {"HY000", 1}};

const EngineTraits postgresTraits{
    CursorKind::KeysetDriven,
    {"23505", std::nullopt},
    {"42601", std::nullopt},
    {"42P01", std::nullopt},
};

}  // namespace

const EngineTraits& OdbcTest::traits() const { return GetParam() == Engine::Sqlite ? sqliteTraits : postgresTraits; }

void OdbcTest::SetUp() {
  if (GetParam() == Engine::Sqlite) {
    // A file of the test's own: tests running at once never wait for each other's locks.
    char name[] = "/tmp/mnt4820-odbc-XXXXXX";
    const int descriptor = ::mkstemp(name);
    if (descriptor < 0) throw std::runtime_error(std::string("mkstemp: ") + std::strerror(errno));
    ::close(descriptor);
    sqliteFile_ = name;
    connectString_ =
        std::string("Driver=") + MNT4820_SQLITE_ODBC_DRIVER + ";Database=" + sqliteFile_ + ";Timeout=10000;";
    return;
  }
  const std::optional<std::string> connect = mnt4820::test::postgresConnectString();
  if (!connect) GTEST_SKIP() << "MNT4820_SKIP_PG=1: PostgreSQL run skipped";
  connectString_ = *connect;
}

void OdbcTest::TearDown() {
  if (!sqliteFile_.empty()) {
    std::remove(sqliteFile_.c_str());
    std::remove((sqliteFile_ + "-journal").c_str());
    return;
  }
  for (const std::string& table : tables_) {
    dropQuietly("DROP TABLE IF EXISTS " + table);
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

Connection OdbcTest::connect(const ConnectOptions& options) {
  return Connection::open(environment_, connectString_, options);
}

std::string OdbcTest::uniqueTable(const std::string& stem) {
  std::string name = stem + "_" + uniqueSuffix();
  tables_.push_back(name);
  return name;
}

}  // namespace platform::odbc::test
