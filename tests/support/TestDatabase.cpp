#include "tests/support/TestDatabase.h"

#include "tests/support/SqlScript.h"

#include <atomic>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace mnt4820::test {

namespace {

std::filesystem::path sqliteDriver() {
  for (const auto& lib : std::filesystem::directory_iterator("/usr/lib")) {
    const auto candidate = lib.path() / "odbc" / "libsqlite3odbc.so";
    if (std::filesystem::exists(candidate)) return candidate;
  }
  throw std::runtime_error("the SQLite ODBC driver is not installed (libsqliteodbc)");
}

// "KEY=value;" out of a connect string, without regard to the key's case.
std::string connectField(const std::string& connect, const std::string& key) {
  std::istringstream parts(connect);
  std::string part;
  while (std::getline(parts, part, ';')) {
    const auto eq = part.find('=');
    if (eq == std::string::npos) continue;
    std::string name = part.substr(0, eq);
    for (char& c : name) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    if (name == key) return part.substr(eq + 1);
  }
  return {};
}

}  // namespace

std::string engineName(Engine engine) { return engine == Engine::Sqlite ? "SQLite" : "PostgreSQL"; }

bool postgresRequired() {
  const char* required = std::getenv("MNT4820_REQUIRE_PG");
  return required != nullptr && std::string(required) == "1";
}

std::optional<TestDatabase> TestDatabase::create(Engine engine, bool withDemoData) {
  TestDatabase db;
  db.engine_ = engine;
  if (engine == Engine::Sqlite) {
    static std::atomic<int> counter{0};
    db.folder_ = std::make_unique<TestFolder>();
    db.dsn_ = "MNT4820_TEST_" + std::to_string(++counter);
    // A private data-source file that keeps the sources the test command set up (the PostgreSQL one).
    std::string ini;
    if (const char* current = std::getenv("ODBCINI"); current != nullptr && std::filesystem::exists(current)) {
      ini = platform::odbc::test::readTextFile(current) + "\n";
    }
    ini += "[" + db.dsn_ + "]\nDriver=" + sqliteDriver().string() + "\nDatabase=" +
           (db.folder_->path() / "test.db").string() + "\nTimeout=5000\n";
    const auto file = db.folder_->write("odbc.ini", ini);
    setenv("ODBCINI", file.c_str(), 1);
  } else {
    const char* connect = std::getenv("MNT4820_TEST_PG_CONNECT");
    if (connect == nullptr) {
      if (postgresRequired()) throw std::runtime_error("MNT4820_TEST_PG_CONNECT is not set");
      return std::nullopt;
    }
    db.dsn_ = connectField(connect, "DSN");
    db.user_ = connectField(connect, "UID");
    db.password_ = connectField(connect, "PWD");
  }
  db.environment_ = std::make_unique<platform::odbc::Environment>();
  platform::odbc::Connection setup = db.connect();
  using platform::odbc::test::readTextFile;
  using platform::odbc::test::runSqlScript;
  runSqlScript(setup, readTextFile(mnt4820::test::sourceFolder().string() + "/db/schema.sql"));
  if (withDemoData) runSqlScript(setup, readTextFile(mnt4820::test::sourceFolder().string() + "/db/demo-data.sql"));
  return db;
}

platform::odbc::Connection TestDatabase::connect() {
  return platform::odbc::Connection::open(*environment_, connectString());
}

}  // namespace mnt4820::test
