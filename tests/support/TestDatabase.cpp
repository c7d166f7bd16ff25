#include "tests/support/TestDatabase.h"

#include <unistd.h>

#include <atomic>
#include <cstdlib>
#include <sstream>
#include <stdexcept>

#include "tests/support/SqlScript.h"

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

// The data-source file the test command set up. Each test database points ODBCINI to a copy of it with its own
// source added, and back to it when it goes.
const std::string& commandIniFile() {
  static const std::string file = std::getenv("ODBCINI") != nullptr ? std::getenv("ODBCINI") : "";
  return file;
}

const std::string& commandDataSources() {
  static const std::string text = std::filesystem::exists(commandIniFile())
                                      ? platform::odbc::test::readTextFile(commandIniFile()) + "\n"
                                      : std::string();
  return text;
}

// The lines of one data source's section of an odbc.ini text.
std::string dataSourceSettings(const std::string& ini, const std::string& dsn) {
  std::istringstream lines(ini);
  std::string line, settings;
  bool inside = false;
  while (std::getline(lines, line)) {
    if (!line.empty() && line[0] == '[') {
      inside = line.rfind("[" + dsn + "]", 0) == 0;
    } else if (inside) {
      settings += line + "\n";
    }
  }
  if (settings.empty()) throw std::runtime_error("data source " + dsn + " is not in ODBCINI");
  return settings;
}

std::string uniqueSuffix() {
  static std::atomic<int> counter{0};
  return std::to_string(::getpid()) + "_" + std::to_string(++counter);
}

}  // namespace

std::string engineName(Engine engine) { return engine == Engine::Sqlite ? "SQLite" : "PostgreSQL"; }

std::optional<std::string> postgresConnectString() {
  if (const char* connect = std::getenv("MNT4820_TEST_PG_CONNECT"); connect != nullptr && *connect != '\0') {
    return connect;
  }
  if (const char* skip = std::getenv("MNT4820_SKIP_PG"); skip != nullptr && std::string(skip) == "1") {
    return std::nullopt;
  }
  throw std::runtime_error(
      "MNT4820_TEST_PG_CONNECT is not set: run scripts/test.sh (it starts a PostgreSQL server), or set "
      "MNT4820_SKIP_PG=1 to leave the PostgreSQL tests out");
}

std::optional<TestDatabase> TestDatabase::create(Engine engine, bool withDemoData) {
  TestDatabase db;
  db.folder_ = std::make_unique<TestFolder>();
  db.environment_ = std::make_unique<platform::odbc::Environment>();
  db.dsn_ = "MNT4820_TEST_" + uniqueSuffix();
  std::string settings;
  if (engine == Engine::Sqlite) {
    // An empty file is an empty database; the data source, like every one the project writes, creates none.
    const std::filesystem::path file = db.folder_->write("test.db", "");
    settings = "Driver=" + sqliteDriver().string() + "\nDatabase=" + file.string() + "\nTimeout=5000\nNoCreat=1\n";
  } else {
    const std::optional<std::string> connect = postgresConnectString();
    if (!connect) return std::nullopt;
    db.user_ = connectField(*connect, "UID");
    db.password_ = connectField(*connect, "PWD");
    db.schema_ = "mnt4820_test_" + uniqueSuffix();
    db.serverConnect_ = *connect;
    platform::odbc::Connection::open(*db.environment_, *connect).execute("CREATE SCHEMA " + db.schema_);
    settings = dataSourceSettings(commandDataSources(), connectField(*connect, "DSN")) +
               "ConnSettings=SET search_path TO " + db.schema_ + "\n";
  }
  // The test command's own sources stay (the program under test may name them).
  const auto ini = db.folder_->write("odbc.ini", commandDataSources() + "[" + db.dsn_ + "]\n" + settings);
  setenv("ODBCINI", ini.c_str(), 1);
  platform::odbc::Connection setup = db.connect();
  using platform::odbc::test::readTextFile;
  using platform::odbc::test::runSqlScript;
  runSqlScript(setup, readTextFile(sourceFolder().string() + "/db/schema.sql"));
  if (withDemoData) runSqlScript(setup, readTextFile(sourceFolder().string() + "/db/demo-data.sql"));
  return db;
}

TestDatabase::~TestDatabase() {
  if (!environment_) return;
  commandIniFile().empty() ? unsetenv("ODBCINI") : setenv("ODBCINI", commandIniFile().c_str(), 1);
  if (schema_.empty()) return;
  try {
    platform::odbc::Connection::open(*environment_, serverConnect_).execute("DROP SCHEMA " + schema_ + " CASCADE");
  } catch (const std::exception& error) {
    ADD_FAILURE() << "dropping the test schema " << schema_ << ": " << error.what();
  }
}

platform::odbc::Connection TestDatabase::connect() {
  return platform::odbc::Connection::open(*environment_, connectString());
}

std::vector<std::string> storedPairs(platform::odbc::Connection connection) {
  std::vector<std::string> pairs;
  auto rows = connection.openResultSet(
      "SELECT センターコード, 相手先企業コード FROM FL1915センタ利用企業マスタ ORDER BY センターコード, "
      "相手先企業コード");
  for (; !rows.atEnd(); rows.moveNext()) {
    pairs.push_back(std::string(rows.view(0).value_or("")) + "/" + std::string(rows.view(1).value_or("")));
  }
  return pairs;
}

}  // namespace mnt4820::test
