// The listing at start-up: QueryListing + FillGrid into the control model, beside the same join read by the
// database's own C API into plain vectors (the floor), for 10k, 100k and 300k pairs. SQLite always; PostgreSQL
// too when both of its connection texts are given:
//
//   bench_listing [--pg-odbc "DSN=…;UID=…;PWD=…;" --pg-libpq "host=… port=… dbname=… user=…"]
//
// Each measurement runs in a process of its own, so that its peak RSS is its own. The tables come from
// db/schema.sql and db/generate-pairs.sh; the SQLite data source from scripts/odbc-config.sh, as deployed.
#include <libpq-fe.h>
#include <sqlite3.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iostream>
#include <iterator>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "db/QueryOperations.h"
#include "framework/Conventions.h"
#include "platform/ui/HeadlessToolkit.h"
#include "platform/ui/ListGrid.h"
#include "program/Program.h"
#include "screens/maintenance/MainWindow.h"
#include "screens/maintenance/common.h"

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

const fs::path Source = MNT4820_SOURCE_DIR;
constexpr int Sizes[] = {10000, 100000, 300000};
constexpr int Repeats = 11;

std::string readFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw std::runtime_error("cannot read " + path.string());
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::string runCommand(const std::string& command) {
  std::string out;
  FILE* pipe = popen(command.c_str(), "r");
  if (pipe == nullptr) throw std::runtime_error("cannot run " + command);
  char buffer[65536];
  for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) out.append(buffer, n);
  if (pclose(pipe) != 0) throw std::runtime_error("failed: " + command);
  return out;
}

// The schema and N generated pairs, as one SQL script.
std::string tablesScript(int pairs) {
  return readFile(Source / "db/schema.sql") + "\n" +
         runCommand("sh '" + (Source / "db/generate-pairs.sh").string() + "' " + std::to_string(pairs));
}

// What a run costs: on SQLite, where the engine works inside the process, the CPU time of the process (the
// load of a shared machine does not count); on PostgreSQL, whose server works in a process of its own, the
// time on the wall clock.
enum class Cost { Cpu, Wall };

double nowMs(Cost cost) {
  if (cost == Cost::Wall) return std::chrono::duration<double, std::milli>(Clock::now().time_since_epoch()).count();
  timespec t{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
  return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_nsec) / 1e6;
}

// The best of the repeats, in milliseconds.
template <class Run>
double timeBest(Cost cost, Run run) {
  std::vector<double> times;
  for (int i = 0; i < Repeats; ++i) {
    const double start = nowMs(cost);
    run();
    times.push_back(nowMs(cost) - start);
  }
  return *std::min_element(times.begin(), times.end());
}

struct Measured {
  double ms = 0;
  long rows = 0;
  double peakMb = 0;
  std::string sql;
};

// Runs `measure` in a child process; it writes "ms rows" and the SQL text on its first two lines.
Measured inChild(const std::function<void(std::ostream&)>& measure) {
  int fds[2];
  if (pipe(fds) != 0) throw std::runtime_error("pipe");
  std::cout.flush();
  const pid_t pid = fork();
  if (pid == 0) {
    close(fds[0]);
    std::ostringstream out;
    int status = 0;
    try {
      measure(out);
    } catch (const std::exception& e) {
      std::cerr << "measurement failed: " << e.what() << "\n";
      status = 1;
    }
    const std::string text = out.str();
    if (write(fds[1], text.data(), text.size()) != static_cast<ssize_t>(text.size())) status = 1;
    _exit(status);
  }
  close(fds[1]);
  std::string text;
  char buffer[4096];
  for (ssize_t n; (n = read(fds[0], buffer, sizeof buffer)) > 0;) text.append(buffer, static_cast<std::size_t>(n));
  close(fds[0]);
  int status = 0;
  rusage usage{};
  wait4(pid, &status, 0, &usage);
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) throw std::runtime_error("a measurement failed");
  Measured m;
  std::istringstream in(text);
  in >> m.ms >> m.rows;
  in.ignore();
  std::getline(in, m.sql);
  m.peakMb = static_cast<double>(usage.ru_maxrss) / 1024.0;  // kilobytes on Linux
  return m;
}

// The program's way: QueryListing + FillGrid into the main window's grid, on the headless toolkit.
void measureProgram(const std::string& dsn, const std::string& user, Cost cost, std::ostream& out) {
  platform::ui::HeadlessToolkit toolkit;
  platform::ui::Application application(toolkit);
  mnt4820::Program program(application);
  program.mainWindow = mnt4820::createMainWindow(program);
  program.screen.CurrentForm = program.mainWindow.get();
  mnt4820::ConnectDatabase(program.database, {"", user, "", dsn});
  mnt4820::InitScreen(program);
  const double ms = timeBest(cost, [&] {
    std::optional<platform::odbc::ResultSet> listing;
    std::int16_t status = 0;
    mnt4820::QueryListing(program, listing, status);
    if (status == mnt4820::StatusStop) throw std::runtime_error("the listing query failed");
    mnt4820::FillGrid(program, *listing);
    listing->close();
  });
  out << ms << " " << program.maintenance.GridRowCount << "\n" << program.database.SqlText << "\n";
}

struct Rows {
  std::vector<std::string> center, partner, name;
  void clear() {
    center.clear();
    partner.clear();
    name.clear();
  }
};

std::string column(sqlite3_stmt* statement, int col) {
  const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(statement, col));
  return text != nullptr ? std::string(text, static_cast<std::size_t>(sqlite3_column_bytes(statement, col))) : "";
}

void measureSqlite(const fs::path& file, const std::string& sql, std::ostream& out) {
  sqlite3* db = nullptr;
  if (sqlite3_open_v2(file.c_str(), &db, SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK) {
    throw std::runtime_error("cannot open " + file.string());
  }
  Rows rows;
  const double ms = timeBest(Cost::Cpu, [&] {
    rows.clear();
    sqlite3_stmt* statement = nullptr;
    if (sqlite3_prepare_v2(db, sql.c_str(), -1, &statement, nullptr) != SQLITE_OK) {
      throw std::runtime_error(sqlite3_errmsg(db));
    }
    while (sqlite3_step(statement) == SQLITE_ROW) {
      rows.center.push_back(column(statement, 0));
      rows.partner.push_back(column(statement, 1));
      rows.name.push_back(column(statement, 2));
    }
    sqlite3_finalize(statement);
  });
  sqlite3_close(db);
  out << ms << " " << rows.center.size() << "\n\n";
}

void measureLibpq(const std::string& conninfo, const std::string& sql, std::ostream& out) {
  PGconn* db = PQconnectdb(conninfo.c_str());
  if (PQstatus(db) != CONNECTION_OK) throw std::runtime_error(PQerrorMessage(db));
  Rows rows;
  const double ms = timeBest(Cost::Wall, [&] {
    rows.clear();
    PGresult* result = PQexec(db, sql.c_str());
    if (PQresultStatus(result) != PGRES_TUPLES_OK) throw std::runtime_error(PQerrorMessage(db));
    const int n = PQntuples(result);
    for (int r = 0; r < n; ++r) {
      rows.center.emplace_back(PQgetvalue(result, r, 0), static_cast<std::size_t>(PQgetlength(result, r, 0)));
      rows.partner.emplace_back(PQgetvalue(result, r, 1), static_cast<std::size_t>(PQgetlength(result, r, 1)));
      rows.name.emplace_back(PQgetvalue(result, r, 2), static_cast<std::size_t>(PQgetlength(result, r, 2)));
    }
    PQclear(result);
  });
  PQfinish(db);
  out << ms << " " << rows.center.size() << "\n\n";
}

void loadSqlite(const fs::path& file, int pairs) {
  fs::remove(file);
  sqlite3* db = nullptr;
  char* error = nullptr;
  const bool ok = sqlite3_open(file.c_str(), &db) == SQLITE_OK &&
                  sqlite3_exec(db, tablesScript(pairs).c_str(), nullptr, nullptr, &error) == SQLITE_OK;
  const std::string message = error != nullptr ? error : "";
  sqlite3_free(error);
  sqlite3_close(db);
  if (!ok) throw std::runtime_error("cannot load " + file.string() + ": " + message);
}

void loadPostgres(const std::string& conninfo, int pairs) {
  PGconn* db = PQconnectdb(conninfo.c_str());
  PGresult* result = PQstatus(db) == CONNECTION_OK ? PQexec(db, tablesScript(pairs).c_str()) : nullptr;
  const bool ok = result != nullptr && PQresultStatus(result) == PGRES_COMMAND_OK;
  const std::string message = PQerrorMessage(db);
  PQclear(result);
  PQclear(PQexec(db, "ANALYZE FL1915センタ利用企業マスタ; ANALYZE FL1903EDI制御マスタ"));
  PQfinish(db);
  if (!ok) throw std::runtime_error("cannot load the PostgreSQL tables: " + message);
}

void printRow(const char* engine, int pairs, const Measured& program, const Measured& floor) {
  if (program.rows != pairs || floor.rows != pairs) throw std::runtime_error("not every pair was read");
  std::printf("%-10s %8d %12.1f %10.1f %7.2f %12.1f %10.1f\n", engine, pairs, program.ms, floor.ms,
              program.ms / floor.ms, program.peakMb, floor.peakMb);
  std::fflush(stdout);
}

std::string option(int argc, char** argv, const std::string& name) {
  for (int i = 1; i + 1 < argc; ++i) {
    if (argv[i] == name) return argv[i + 1];
  }
  return {};
}

}  // namespace

int main(int argc, char** argv) {
  try {
    const std::string pgOdbc = option(argc, argv, "--pg-odbc");
    const std::string pgLibpq = option(argc, argv, "--pg-libpq");
    // The data sources of the caller (PostgreSQL), before each SQLite size points ODBC at its own.
    const std::string odbcSysIni = std::getenv("ODBCSYSINI") != nullptr ? std::getenv("ODBCSYSINI") : "";
    const std::string odbcIni = std::getenv("ODBCINI") != nullptr ? std::getenv("ODBCINI") : "";
    const fs::path folder = fs::temp_directory_path() / ("mnt4820-bench-" + std::to_string(getpid()));
    fs::create_directories(folder);
    std::printf("best of %d runs; ms of CPU time on SQLite, of wall-clock time on PostgreSQL; peak RSS in MB\n",
                Repeats);
    std::printf("%-10s %8s %12s %10s %7s %12s %10s\n", "engine", "pairs", "program", "floor", "ratio", "program RSS",
                "floor RSS");
    for (const int pairs : Sizes) {
      const fs::path file = folder / ("pairs-" + std::to_string(pairs) + ".db");
      loadSqlite(file, pairs);
      const fs::path odbc = folder / ("odbc-" + std::to_string(pairs));
      runCommand("sh '" + (Source / "scripts/odbc-config.sh").string() + "' '" + odbc.string() + "' '" + file.string() +
                 "'");
      setenv("ODBCSYSINI", odbc.c_str(), 1);
      setenv("ODBCINI", (odbc / "odbc.ini").c_str(), 1);
      const Measured program = inChild([](std::ostream& out) { measureProgram("MNT4820_SQLITE", "", Cost::Cpu, out); });
      const Measured floor = inChild([&](std::ostream& out) { measureSqlite(file, program.sql, out); });
      printRow("SQLite", pairs, program, floor);
      fs::remove(file);
    }
    if (!pgOdbc.empty() && !pgLibpq.empty()) {
      setenv("ODBCSYSINI", odbcSysIni.c_str(), 1);
      setenv("ODBCINI", odbcIni.c_str(), 1);
      const std::string dsn = pgOdbc.substr(pgOdbc.find("DSN=") + 4, pgOdbc.find(';') - pgOdbc.find("DSN=") - 4);
      const auto uid = pgOdbc.find("UID=");
      const std::string user = uid == std::string::npos ? "" : pgOdbc.substr(uid + 4, pgOdbc.find(';', uid) - uid - 4);
      for (const int pairs : Sizes) {
        loadPostgres(pgLibpq, pairs);
        const Measured program = inChild([&](std::ostream& out) { measureProgram(dsn, user, Cost::Wall, out); });
        const Measured floor = inChild([&](std::ostream& out) { measureLibpq(pgLibpq, program.sql, out); });
        printRow("PostgreSQL", pairs, program, floor);
      }
    }
    fs::remove_all(folder);
  } catch (const std::exception& e) {
    std::cerr << "bench_listing: " << e.what() << "\n";
    return 1;
  }
  return 0;
}
