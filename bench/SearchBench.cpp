// The code search of centers (kind 2) over 10k and 100k centers on SQLite: the dialog's grid bound to the
// listing in the control model alone, once through the Qt table view on the offscreen platform until it is
// painted, and the same statement read through SQLite's own C API for comparison.
#include <benchmark/benchmark.h>
#include <sqlite3.h>
#include <unistd.h>

#include <QApplication>
#include <QTimer>
#include <QWidget>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <stdexcept>
#include <string>
#include <vector>

#include "db/DatabaseSession.h"
#include "platform/qt/QtToolkit.h"
#include "platform/ui/CommandButton.h"
#include "platform/ui/DataGrid.h"
#include "platform/ui/HeadlessToolkit.h"
#include "platform/ui/TextBox.h"
#include "screens/search/COMMON_SEARCH_MSTDB.h"

namespace {

namespace fs = std::filesystem;

const fs::path Source = MNT4820_SOURCE_DIR;
const fs::path Folder = fs::temp_directory_path() / ("mnt4820-search-bench-" + std::to_string(getpid()));

void check(int rc, sqlite3* db, const char* what) {
  if (rc != SQLITE_OK && rc != SQLITE_DONE && rc != SQLITE_ROW) {
    throw std::runtime_error(std::string(what) + ": " + sqlite3_errmsg(db));
  }
}

fs::path sqliteDriver() {
  for (const auto& lib : fs::directory_iterator("/usr/lib")) {
    if (fs::exists(lib.path() / "odbc" / "libsqlite3odbc.so")) return lib.path() / "odbc" / "libsqlite3odbc.so";
  }
  throw std::runtime_error("the SQLite ODBC driver is not installed");
}

// One database file per size with the schema and that many centers, made once; its DSN goes into a private
// odbc.ini.
fs::path centersFile(int centers) {
  static std::map<int, fs::path> made;
  if (auto it = made.find(centers); it != made.end()) return it->second;
  fs::create_directories(Folder);
  const fs::path file = Folder / ("centers-" + std::to_string(centers) + ".db");
  std::ifstream in(Source / "db" / "schema.sql");
  const std::string schema{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  sqlite3* db = nullptr;
  check(sqlite3_open(file.c_str(), &db), db, "open");
  check(sqlite3_exec(db, schema.c_str(), nullptr, nullptr, nullptr), db, "schema");
  const std::string fill =
      "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < " + std::to_string(centers) +
      ") INSERT INTO FL1903EDI制御マスタ (センターコード, センター名, 相手先種別, 送受信方式, 実行端末名) "
      "SELECT printf('C%07d', i), printf('センター%07d', i), '04', '2', 'EDISV01' FROM n";
  check(sqlite3_exec(db, fill.c_str(), nullptr, nullptr, nullptr), db, "fill");
  sqlite3_close(db);
  std::ofstream(Folder / "odbc.ini", std::ios::app)
      << "[MNT4820_SEARCH_" << centers << "]\nDriver=" << sqliteDriver().string() << "\nDatabase=" << file.string()
      << "\n";
  setenv("ODBCINI", (Folder / "odbc.ini").c_str(), 1);
  made[centers] = file;
  return file;
}

mnt4820::DbSettings settingsFor(int centers) {
  centersFile(centers);
  return {"", "", "", "MNT4820_SEARCH_" + std::to_string(centers)};
}

void expectRows(benchmark::State& state, std::size_t rows) {
  if (rows != static_cast<std::size_t>(state.range(0))) state.SkipWithError("the grid did not get every center");
  state.counters["rows"] = static_cast<double>(rows);
}

// OpenCodeSearch of kind 2 in the control model: the query, every row into the grid's cache, the dialog
// shown (and at once cancelled).
void SearchModel(benchmark::State& state) {
  platform::ui::HeadlessToolkit toolkit;
  platform::ui::Application application(toolkit);
  mnt4820::DatabaseSession session;
  mnt4820::ConnectDatabase(session, settingsFor(static_cast<int>(state.range(0))));
  mnt4820::CodeSearch search(application, session);
  platform::ui::TextBox field("CNTCD");
  std::size_t rows = 0;
  toolkit.onModal = [&](platform::ui::Form& dialog) {
    rows = dialog.get<platform::ui::DataGrid>("GRID").rowCount();
    dialog.click(dialog.get<platform::ui::CommandButton>("STOP"));
  };
  for (auto _ : state) mnt4820::OpenCodeSearch(search, 2, &field, "", "", nullptr, nullptr, nullptr);
  expectRows(state, rows);
}
BENCHMARK(SearchModel)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

// The same through the Qt view: from the call until the dialog's window has been painted once.
void SearchQtView(benchmark::State& state) {
  platform::qt::QtToolkit toolkit{"bench_search"};
  platform::ui::Application application(toolkit);
  mnt4820::DatabaseSession session;
  mnt4820::ConnectDatabase(session, settingsFor(static_cast<int>(state.range(0))));
  mnt4820::CodeSearch search(application, session);
  platform::ui::TextBox field("CNTCD");
  std::size_t rows = 0;
  for (auto _ : state) {
    const auto start = std::chrono::steady_clock::now();
    QTimer::singleShot(0, [&] {
      platform::ui::Form& dialog = *search.SearchDialog->form;
      QWidget* window = toolkit.windowOf(dialog);
      window->repaint();
      state.SetIterationTime(std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
      rows = dialog.get<platform::ui::DataGrid>("GRID").rowCount();
      dialog.requestClose();
    });
    mnt4820::OpenCodeSearch(search, 2, &field, "", "", nullptr, nullptr, nullptr);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  }
  expectRows(state, rows);
}
BENCHMARK(SearchQtView)->Arg(10000)->Arg(100000)->Iterations(3)->UseManualTime()->Unit(benchmark::kMillisecond);

// The statement of kind 2 read into strings through SQLite's C API, without ODBC and without a grid.
void SqliteCApi(benchmark::State& state) {
  sqlite3* db = nullptr;
  check(sqlite3_open(centersFile(static_cast<int>(state.range(0))).c_str(), &db), db, "open");
  std::size_t rows = 0;
  for (auto _ : state) {
    sqlite3_stmt* statement = nullptr;
    check(sqlite3_prepare_v2(db, "SELECT センターコード,センター名 FROM FL1903EDI制御マスタ", -1, &statement, nullptr),
          db, "prepare");
    std::vector<std::string> cells;
    while (sqlite3_step(statement) == SQLITE_ROW) {
      for (int c = 0; c < 2; ++c) cells.emplace_back(reinterpret_cast<const char*>(sqlite3_column_text(statement, c)));
    }
    sqlite3_finalize(statement);
    rows = cells.size() / 2;
  }
  sqlite3_close(db);
  expectRows(state, rows);
}
BENCHMARK(SqliteCApi)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 1);
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  std::filesystem::remove_all(Folder);
  return 0;
}
