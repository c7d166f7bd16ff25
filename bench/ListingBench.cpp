// Opening the full listing and reading every row's three columns (what the grid fill does), on SQLite
// through ODBC with 10k, 100k and 300k pairs; on PostgreSQL too when MNT4820_TEST_PG_CONNECT names one.
// The tables are made with db/schema.sql and db/generate-pairs.sh through the command-line clients.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <stdexcept>
#include <string>

#include "db/QueryOperations.h"
#include "framework/Conventions.h"
#include "platform/ui/HeadlessToolkit.h"
#include "screens/maintenance/common.h"

namespace {

namespace fs = std::filesystem;

const fs::path Source = MNT4820_SOURCE_DIR;

void run(const std::string& command) {
  if (std::system(command.c_str()) != 0) throw std::runtime_error("failed: " + command);
}

fs::path sqliteDriver() {
  for (const auto& lib : fs::directory_iterator("/usr/lib")) {
    if (fs::exists(lib.path() / "odbc" / "libsqlite3odbc.so")) return lib.path() / "odbc" / "libsqlite3odbc.so";
  }
  throw std::runtime_error("the SQLite ODBC driver is not installed");
}

// One SQLite file per size, made once and kept for the run; its DSN is added to a private odbc.ini.
std::string sqliteDsn(int pairs) {
  static std::map<int, std::string> made;
  static const fs::path folder = fs::temp_directory_path() / ("mnt4820-bench-" + std::to_string(getpid()));
  if (auto it = made.find(pairs); it != made.end()) return it->second;
  fs::create_directories(folder);
  const fs::path db = folder / ("pairs-" + std::to_string(pairs) + ".db");
  run("sqlite3 '" + db.string() + "' < '" + (Source / "db/schema.sql").string() + "'");
  run("sh '" + (Source / "db/generate-pairs.sh").string() + "' " + std::to_string(pairs) + " | sqlite3 '" +
      db.string() + "'");
  const std::string dsn = "MNT4820_BENCH_" + std::to_string(pairs);
  const fs::path ini = folder / "odbc.ini";
  std::ofstream(ini, std::ios::app) << "[" << dsn << "]\nDriver=" << sqliteDriver().string()
                                    << "\nDatabase=" << db.string() << "\n";
  setenv("ODBCINI", ini.c_str(), 1);
  made[pairs] = dsn;
  return dsn;
}

void readListing(benchmark::State& state, const mnt4820::DbSettings& settings) {
  platform::ui::HeadlessToolkit toolkit;
  platform::ui::Application application(toolkit);
  mnt4820::Program program(application);
  mnt4820::ConnectDatabase(program.database, settings);
  std::size_t rows = 0;
  for (auto _ : state) {
    std::optional<platform::odbc::ResultSet> listing;
    std::int16_t status = 0;
    mnt4820::QueryListing(program, listing, status);
    if (status == mnt4820::StatusStop) throw std::runtime_error("the listing query failed");
    rows = 0;
    for (; !listing->atEnd(); listing->moveNext()) {
      benchmark::DoNotOptimize(listing->value("センターコード"));
      benchmark::DoNotOptimize(listing->value("センター名"));
      benchmark::DoNotOptimize(listing->value("相手先企業コード"));
      ++rows;
    }
  }
  state.counters["rows"] = static_cast<double>(rows);
  state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * rows));
}

void SqliteListing(benchmark::State& state) {
  const std::string dsn = sqliteDsn(static_cast<int>(state.range(0)));
  readListing(state, {"", "", "", dsn});
}
BENCHMARK(SqliteListing)->Arg(10000)->Arg(100000)->Arg(300000)->Unit(benchmark::kMillisecond);

// The PostgreSQL server is filled by whoever runs the bench (psql -f db/schema.sql, generate-pairs.sh | psql).
void PostgresListing(benchmark::State& state) {
  const char* dsn = std::getenv("MNT4820_BENCH_PG_DSN");
  if (dsn == nullptr) {
    state.SkipWithError("MNT4820_BENCH_PG_DSN is not set");
    return;
  }
  const char* user = std::getenv("MNT4820_BENCH_PG_USER");
  readListing(state, {"", user != nullptr ? user : "", "", dsn});
}
BENCHMARK(PostgresListing)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
