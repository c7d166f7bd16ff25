// The program's speed and memory on 10k, 100k and 300k pairs, each figure beside its baseline measured in the
// same run, printed as one table. SQLite always; PostgreSQL too when both of its connection texts are given:
//
//   bench_listing [--pg-odbc "DSN=…;UID=…;PWD=…;" --pg-libpq "host=… port=… dbname=… user=…"]
//
// - start-up: the program's own start-up (Main through EDI.ini, the profile and ODBC) until the main window,
//   shown on Qt's offscreen platform, has the full listing (the rest of a long one arrives on the event loop)
//   and has been painted; beside the same join read by
//   the engine's own C API (SQLite, libpq) into plain vectors, and the start-up on an empty table; and its growth
//   from one size to the next beside the growth of the join;
// - peak RSS of that start-up;
// - at 100k pairs: a keystroke into the focused field until the field has repainted (beside a bare line edit),
//   the narrowing search (KCNTCD typed, Enter) and a save round trip (a new partner code typed into ATKCD, Enter,
//   the question answered Yes, through the reload of the full listing) on the control model.
//
// Each measurement runs in a process of its own, so that its peak RSS is its own; the best of several runs is
// kept. The tables come from db/schema.sql and db/generate-pairs.sh; the SQLite data source from
// scripts/odbc-config.sh, as deployed; the settings from the demo's EDI.ini with the data source put in.
#include <libpq-fe.h>
#include <sqlite3.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iostream>
#include <iterator>
#include <optional>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "app/Bas_MNT4820.h"
#include "db/DatabaseSession.h"
#include "framework/Conventions.h"
#include "platform/qt/QtProgram.h"
#include "platform/ui/HeadlessToolkit.h"
#include "platform/ui/ListGrid.h"
#include "platform/ui/TextBox.h"
#include "program/Program.h"
#include "screens/maintenance/ListingFill.h"
#include "screens/maintenance/ScreenStates.h"

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

const fs::path Source = MNT4820_SOURCE_DIR;
constexpr int Sizes[] = {0, 10000, 100000, 300000};
constexpr int OperationsSize = 100000;
constexpr int StartupRuns = 9;
constexpr int Repeats = 11;
constexpr int Keystrokes = 30;
// The listing's statement as one statement, and the same for one center: the join that the program's pages read.
const std::string FullJoin =
    "SELECT FL1915センタ利用企業マスタ.センターコード, FL1915センタ利用企業マスタ.相手先企業コード,"
    " FL1903EDI制御マスタ.センター名 FROM FL1915センタ利用企業マスタ, FL1903EDI制御マスタ"
    " WHERE FL1915センタ利用企業マスタ.センターコード = FL1903EDI制御マスタ.センターコード";
const std::string JoinOrder = " ORDER BY FL1915センタ利用企業マスタ.センターコード,相手先企業コード";
constexpr const char* SearchedCenter = "G025";  // 2% of the pairs: generate-pairs.sh spreads them over 50 centers

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

// The best of the repeats, in milliseconds; `prepare` runs untimed before each.
template <class Run>
double timeBest(Cost cost, int repeats, Run run, const std::function<void()>& prepare = [] {}) {
  std::vector<double> times;
  for (int i = 0; i < repeats; ++i) {
    prepare();
    const double start = nowMs(cost);
    run();
    times.push_back(nowMs(cost) - start);
  }
  return *std::min_element(times.begin(), times.end());
}

// What one child reports: named figures ("startup 312.5").
struct Measured {
  std::vector<std::pair<std::string, double>> figures;
  double peakMb = 0;
  double operator[](const std::string& name) const {
    for (const auto& [key, value] : figures) {
      if (key == name) return value;
    }
    throw std::runtime_error("no figure " + name);
  }
};

// Runs `measure` in a child process; it writes "name value" lines.
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
    // The measured objects are not torn down: their clean-up is no part of any figure.
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
  for (std::string line; std::getline(in, line);) {
    const auto space = line.find(' ');
    const std::string name = line.substr(0, space);
    const std::string value = space == std::string::npos ? "" : line.substr(space + 1);
    m.figures.emplace_back(name, std::stod(value));
  }
  m.peakMb = static_cast<double>(usage.ru_maxrss) / 1024.0;  // kilobytes on Linux
  return m;
}

// The best of several children for every figure; the highest peak RSS of them.
Measured bestOf(int runs, const std::function<void(std::ostream&)>& measure) {
  Measured best = inChild(measure);
  for (int i = 1; i < runs; ++i) {
    const Measured next = inChild(measure);
    for (std::size_t f = 0; f < best.figures.size(); ++f) {
      best.figures[f].second = std::min(best.figures[f].second, next.figures[f].second);
    }
    best.peakMb = std::max(best.peakMb, next.peakMb);
  }
  return best;
}

// One engine as the program and the baselines reach it.
struct Engine {
  std::string name;
  Cost cost;
  std::string dsn;
  std::string user;
  fs::path sqliteFile;  // SQLite only
  std::string libpq;    // PostgreSQL only
};

// The deployed layout: EDI.ini two folder levels above the program's folder, naming the engine's data source.
std::string programFolder(const fs::path& folder, const Engine& engine) {
  std::string ini = readFile(Source / "config/demo/EDI.ini");
  const auto replaceKey = [&ini](const std::string& key, const std::string& value) {
    const auto at = ini.find("\n" + key + "=") + 1;
    ini.replace(at, ini.find('\n', at) - at, key + "=" + value);
  };
  replaceKey("DBSTRING", engine.dsn);
  replaceKey("USERID", engine.user);
  fs::create_directories(folder / "EDI" / "MNT4820");
  std::ofstream(folder / "EDI.ini", std::ios::binary) << ini;
  return (folder / "EDI" / "MNT4820").string();
}

// A keystroke into the focused widget until that widget has painted again.
class Keystroke : public QObject {
 public:
  explicit Keystroke(QWidget& widget) : widget_(widget) { widget_.installEventFilter(this); }

  void type(Qt::Key key, const QString& text) {
    painted_ = false;
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
    QApplication::sendEvent(&widget_, &press);
    QApplication::sendEvent(&widget_, &release);
    for (int i = 0; !painted_; ++i) {
      if (i == 1000) throw std::runtime_error("the field did not repaint after a keystroke");
      QCoreApplication::processEvents();
    }
  }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    // The paint itself runs before processEvents() hands back, so it is inside the time.
    if (watched == &widget_ && event->type() == QEvent::Paint) painted_ = true;
    return false;
  }

 private:
  QWidget& widget_;
  bool painted_ = false;
};

// Process CPU time: a keystroke works inside the process on either engine.
double keystrokeMs(QWidget& widget, const std::function<void()>& clear) {
  Keystroke keystroke(widget);
  return timeBest(
      Cost::Cpu, Keystrokes, [&] { keystroke.type(Qt::Key_G, "g"); },
      [&] {
        clear();
        QCoreApplication::processEvents();
      });
}

// The program's start-up as its main() runs it, on the offscreen platform, until the window has been painted
// with the listing; then keystrokes into the focused field, and the same into a bare line edit.
void measureStartup(const std::string& folder, int pairs, Cost cost, bool keystrokes, std::ostream& out) {
  setenv("QT_QPA_PLATFORM", "offscreen", 1);
  // The offscreen platform says on every activation that it cannot raise a window; nothing else is dropped.
  static const QtMessageHandler qtDefault = qInstallMessageHandler(nullptr);
  qInstallMessageHandler([](QtMsgType type, const QMessageLogContext& context, const QString& text) {
    if (text != QLatin1String("This plugin does not support raise()")) qtDefault(type, context, text);
  });
  const double start = nowMs(cost);
  static char name[] = "mnt4820";
  auto* qt = new platform::qt::QtProgram(name, mnt4820::ProgramTitle);
  auto* application = new platform::ui::Application(qt->toolkit());
  auto* program = new mnt4820::Program(*application);
  auto* maintenance = new mnt4820::MaintenanceScreen(*program);
  if (!qt->toolkit().guard(*application, [&] { mnt4820::Main(*program, *maintenance, {folder, "0001"}); })) {
    throw std::runtime_error("the start-up failed");
  }
  QWidget* window = qt->toolkit().windowOf(*maintenance->window.form);
  if (window == nullptr || !window->isVisible()) throw std::runtime_error("the main window is not shown");
  // The rest of a long listing arrives on the event loop once the window has painted.
  for (int i = 0; maintenance->state.GridRowCount < pairs; ++i) {
    if (i == 100000) throw std::runtime_error("the listing did not arrive");
    QCoreApplication::processEvents();
  }
  QCoreApplication::processEvents();
  window->repaint();
  out << "startup " << nowMs(cost) - start << "\nrows " << maintenance->state.GridRowCount << "\n";
  if (!keystrokes) return;

  auto& field = maintenance->window.KCNTCD;
  QWidget* edit = qt->toolkit().widgetOf(field);
  if (QApplication::focusWidget() != edit) throw std::runtime_error("KCNTCD does not have the focus");
  out << "keystroke " << keystrokeMs(*edit, [&] { field.setText(""); }) << "\n";
  if (field.text() != "G") throw std::runtime_error("the keystroke did not reach KCNTCD");
  auto* bare = new QLineEdit;
  bare->show();
  bare->activateWindow();
  bare->setFocus();
  out << "bare-keystroke " << keystrokeMs(*bare, [&] { bare->clear(); }) << "\n";
}

// The full listing reread into the grid, to its last row.
void reload(mnt4820::MaintenanceScreen& maintenance, platform::ui::HeadlessToolkit& toolkit) {
  std::int16_t status = 0;
  mnt4820::showFullListing(maintenance, status);
  if (status == mnt4820::StatusStop) throw std::runtime_error("the listing query failed");
  toolkit.runPosted();
}

// The search and the save on the control model, after the same start-up on the headless toolkit.
void measureOperations(const std::string& folder, Cost cost, std::ostream& out) {
  platform::ui::HeadlessToolkit toolkit;
  platform::ui::Application application(toolkit);
  mnt4820::Program program(application);
  mnt4820::MaintenanceScreen maintenance(program);
  mnt4820::Main(program, maintenance, {folder, "0001"});
  toolkit.runPosted();
  platform::ui::Form& form = *maintenance.window.form;
  auto& key = maintenance.window.KCNTCD;
  const auto backToFullListing = [&] {
    mnt4820::InitScreen(maintenance);
    reload(maintenance, toolkit);
    key.setFocus();
  };
  // The listing reread into the grid, for comparison with the raw join.
  out << "reload " << timeBest(cost, Repeats, [&] { reload(maintenance, toolkit); }) << "\n";

  out << "search "
      << timeBest(
             cost, Repeats,
             [&] {
               form.typeText(SearchedCenter);
               form.pressKey(platform::ui::key::Enter, 0);
               toolkit.runPosted();
             },
             backToFullListing)
      << "\n";
  if (program.screen.ScreenArea != mnt4820::Area::Body || maintenance.state.GridRowCount * 50 != OperationsSize) {
    throw std::runtime_error("the search did not open the center's pairs");
  }

  // The change of the first pair of the center to a new partner code as the operator makes it: the code typed
  // into ATKCD, then Enter (its check, both checks again, the question answered Yes, the delete and insert in one
  // transaction, the reload of the full listing).
  int next = 0;
  const std::size_t messagesBefore = toolkit.messages().size();
  out << "save "
      << timeBest(
             cost, Repeats,
             [&] {
               toolkit.answerNext(platform::ui::mb::Answer::Yes);
               form.pressKey(platform::ui::key::Enter, 0);
               toolkit.runPosted();
             },
             [&] {
               backToFullListing();
               form.typeText(SearchedCenter);
               form.pressKey(platform::ui::key::Enter, 0);
               toolkit.runPosted();
               char code[16];
               std::snprintf(code, sizeof code, "X%011d", ++next);
               auto& partner = maintenance.window.ATKCD;
               partner.setText("");
               form.typeText(code);
             })
      << "\n";
  // Each save asked its one question and nothing else was shown.
  if (toolkit.messages().size() != messagesBefore + Repeats || toolkit.pendingAnswers() != 0 ||
      program.screen.ScreenArea != mnt4820::Area::Head) {
    throw std::runtime_error("a save did not go through");
  }
  if (maintenance.state.GridRowCount != OperationsSize) throw std::runtime_error("the save lost a pair");
}

std::string column(sqlite3_stmt* statement, int col) {
  const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(statement, col));
  return text != nullptr ? std::string(text, static_cast<std::size_t>(sqlite3_column_bytes(statement, col))) : "";
}

struct Rows {
  std::vector<std::string> center, partner, name;
  void clear() {
    center.clear();
    partner.clear();
    name.clear();
  }
};

// The join read by SQLite's C API into vectors of strings; `key` binds the narrowed query's marker.
double sqliteJoin(sqlite3* db, const std::string& sql, const std::optional<std::string>& key, Rows& rows) {
  return timeBest(Cost::Cpu, Repeats, [&] {
    rows.clear();
    sqlite3_stmt* statement = nullptr;
    if (sqlite3_prepare_v2(db, sql.c_str(), -1, &statement, nullptr) != SQLITE_OK) {
      throw std::runtime_error(sqlite3_errmsg(db));
    }
    if (key) sqlite3_bind_text(statement, 1, key->c_str(), -1, SQLITE_TRANSIENT);
    while (sqlite3_step(statement) == SQLITE_ROW) {
      rows.center.push_back(column(statement, 0));
      rows.partner.push_back(column(statement, 1));
      rows.name.push_back(column(statement, 2));
    }
    sqlite3_finalize(statement);
  });
}

// The same through libpq (the marker becomes $1).
double libpqJoin(PGconn* db, std::string sql, const std::optional<std::string>& key, Rows& rows) {
  if (const auto at = sql.find('?'); at != std::string::npos) sql.replace(at, 1, "$1");
  return timeBest(Cost::Wall, Repeats, [&] {
    rows.clear();
    const char* values[] = {key ? key->c_str() : nullptr};
    PGresult* result = PQexecParams(db, sql.c_str(), key ? 1 : 0, nullptr, values, nullptr, nullptr, 0);
    if (PQresultStatus(result) != PGRES_TUPLES_OK) throw std::runtime_error(PQerrorMessage(db));
    const int n = PQntuples(result);
    for (int r = 0; r < n; ++r) {
      rows.center.emplace_back(PQgetvalue(result, r, 0), static_cast<std::size_t>(PQgetlength(result, r, 0)));
      rows.partner.emplace_back(PQgetvalue(result, r, 1), static_cast<std::size_t>(PQgetlength(result, r, 1)));
      rows.name.emplace_back(PQgetvalue(result, r, 2), static_cast<std::size_t>(PQgetlength(result, r, 2)));
    }
    PQclear(result);
  });
}

// The full join and the narrowed one through the engine's own client library.
void measureRaw(const Engine& engine, const std::string& fullSql, const std::string& narrowedSql, std::ostream& out) {
  Rows rows;
  if (engine.cost == Cost::Cpu) {
    sqlite3* db = nullptr;
    if (sqlite3_open_v2(engine.sqliteFile.c_str(), &db, SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK) {
      throw std::runtime_error("cannot open " + engine.sqliteFile.string());
    }
    out << "join " << sqliteJoin(db, fullSql, std::nullopt, rows) << "\nrows " << rows.center.size() << "\n";
    if (!narrowedSql.empty()) out << "narrowed " << sqliteJoin(db, narrowedSql, SearchedCenter, rows) << "\n";
    sqlite3_close(db);
  } else {
    PGconn* db = PQconnectdb(engine.libpq.c_str());
    if (PQstatus(db) != CONNECTION_OK) throw std::runtime_error(PQerrorMessage(db));
    out << "join " << libpqJoin(db, fullSql, std::nullopt, rows) << "\nrows " << rows.center.size() << "\n";
    if (!narrowedSql.empty()) out << "narrowed " << libpqJoin(db, narrowedSql, SearchedCenter, rows) << "\n";
    PQfinish(db);
  }
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
  // The schema's DROP TABLE IF EXISTS would print a notice for each table on a fresh database.
  const std::string script = "SET client_min_messages = warning;\n" + tablesScript(pairs);
  PGresult* result = PQstatus(db) == CONNECTION_OK ? PQexec(db, script.c_str()) : nullptr;
  const bool ok = result != nullptr && PQresultStatus(result) == PGRES_COMMAND_OK;
  const std::string message = PQerrorMessage(db);
  PQclear(result);
  PQclear(PQexec(db, "ANALYZE FL1915センタ利用企業マスタ; ANALYZE FL1903EDI制御マスタ"));
  PQfinish(db);
  if (!ok) throw std::runtime_error("cannot load the PostgreSQL tables: " + message);
}

void printRow(const char* figure, const Engine& engine, int pairs, double program, const char* baselineName,
              std::optional<double> baseline, const std::string& goal, bool met) {
  char base[32] = "-";
  if (baseline) std::snprintf(base, sizeof base, "%.2f", *baseline);
  std::printf("%-22s %-10s %7d %9.2f  %-20s %9s  %-22s %s\n", figure, engine.name.c_str(), pairs, program, baselineName,
              base, goal.c_str(), met ? "yes" : "NO");
  std::fflush(stdout);
}

std::string format(const char* pattern, double value) {
  char text[64];
  std::snprintf(text, sizeof text, pattern, value);
  return text;
}

void checkRows(const Measured& m, int pairs) {
  if (static_cast<int>(m["rows"]) != pairs) throw std::runtime_error("not every pair was read");
}

void runEngine(const Engine& engine, const fs::path& folder, const std::function<void(int)>& load) {
  const std::string programDir = programFolder(folder / engine.name, engine);
  double emptyStartup = 0;
  // The size before, for the growth of the start-up beside the growth of the join.
  std::optional<std::pair<double, double>> smaller;
  for (const int pairs : Sizes) {
    load(pairs);
    const Measured startup = bestOf(StartupRuns, [&](std::ostream& out) {
      measureStartup(programDir, pairs, engine.cost, pairs == OperationsSize, out);
    });
    checkRows(startup, pairs);
    std::optional<Measured> operations;
    if (pairs == OperationsSize) {
      operations = inChild([&](std::ostream& out) { measureOperations(programDir, engine.cost, out); });
    }
    const Measured raw = inChild([&](std::ostream& out) {
      measureRaw(engine, FullJoin + JoinOrder,
                 operations ? FullJoin + " AND FL1915センタ利用企業マスタ.センターコード = ?" + JoinOrder : "", out);
    });
    checkRows(raw, pairs);
    if (pairs == 0) emptyStartup = startup["startup"];
    const double limit = emptyStartup + 2.5 * raw["join"];
    printRow("start-up, window (ms)", engine, pairs, startup["startup"], "raw join", raw["join"],
             pairs == 0 ? "-" : format("<= empty+2.5*join %.1f", limit), startup["startup"] <= limit);
    if (smaller) {
      const double grown = startup["startup"] - smaller->first;
      const double joinGrown = raw["join"] - smaller->second;
      printRow("start-up growth (ms)", engine, pairs, grown, "raw join growth", joinGrown,
               format("<= 2.5*growth %.1f", 2.5 * joinGrown), grown <= 2.5 * joinGrown);
    }
    if (pairs > 0) smaller = std::make_pair(startup["startup"], raw["join"]);
    const double rssLimit = pairs == 100000 ? 80 : pairs == 300000 ? 150 : 0;
    printRow("peak RSS (MB)", engine, pairs, startup.peakMb, "raw join RSS", raw.peakMb,
             rssLimit > 0 ? format("<= %.0f", rssLimit) : "-", rssLimit == 0 || startup.peakMb <= rssLimit);
    if (!operations) continue;
    const Measured& ops = *operations;
    printRow("listing reload (ms)", engine, pairs, ops["reload"], "raw join", raw["join"], "-", true);
    printRow("save round trip (ms)", engine, pairs, ops["save"], "raw join", raw["join"],
             format("<= 2*join %.1f", 2 * raw["join"]), ops["save"] <= 2 * raw["join"]);
    printRow("narrowing search (ms)", engine, pairs, ops["search"], "raw narrowed join", raw["narrowed"], "< 20",
             ops["search"] < 20);
    printRow("keystroke (ms)", engine, pairs, startup["keystroke"], "bare line edit", startup["bare-keystroke"], "< 16",
             startup["keystroke"] < 16);
  }
}

std::string option(int argc, char** argv, const std::string& name) {
  for (int i = 1; i + 1 < argc; ++i) {
    if (argv[i] == name) return argv[i + 1];
  }
  return {};
}

// "UID=…" out of a connect string.
std::string connectValue(const std::string& connect, const std::string& key) {
  const auto at = connect.find(key + "=");
  if (at == std::string::npos) return {};
  const auto from = at + key.size() + 1;
  return connect.substr(from, connect.find(';', from) - from);
}

}  // namespace

int main(int argc, char** argv) {
  try {
    const std::string pgOdbc = option(argc, argv, "--pg-odbc");
    const std::string pgLibpq = option(argc, argv, "--pg-libpq");
    const fs::path folder = fs::temp_directory_path() / ("mnt4820-bench-" + std::to_string(getpid()));
    fs::create_directories(folder);
    std::printf(
        "best of %d start-ups, of %d runs otherwise; ms of CPU time on SQLite and for keystrokes, of "
        "wall-clock time on PostgreSQL\n",
        StartupRuns, Repeats);
    std::printf("%-22s %-10s %7s %9s  %-20s %9s  %-22s %s\n", "figure", "engine", "pairs", "program", "baseline", "",
                "goal", "met");
    // SQLite: a file of its own, reached through a data source of its own, as deployed.
    const fs::path file = folder / "pairs.db";
    const fs::path odbc = folder / "odbc";
    // The data sources of the caller (PostgreSQL), before SQLite's are put in their place.
    const std::string odbcSysIni = std::getenv("ODBCSYSINI") != nullptr ? std::getenv("ODBCSYSINI") : "";
    const std::string odbcIni = std::getenv("ODBCINI") != nullptr ? std::getenv("ODBCINI") : "";
    runCommand("sh '" + (Source / "scripts/odbc-config.sh").string() + "' '" + odbc.string() + "' '" + file.string() +
               "'");
    setenv("ODBCSYSINI", odbc.c_str(), 1);
    setenv("ODBCINI", (odbc / "odbc.ini").c_str(), 1);
    runEngine({"SQLite", Cost::Cpu, "MNT4820_SQLITE", "", file, ""}, folder,
              [&](int pairs) { loadSqlite(file, pairs); });
    fs::remove(file);
    if (!pgOdbc.empty() && !pgLibpq.empty()) {
      setenv("ODBCSYSINI", odbcSysIni.c_str(), 1);
      setenv("ODBCINI", odbcIni.c_str(), 1);
      runEngine({"PostgreSQL", Cost::Wall, connectValue(pgOdbc, "DSN"), connectValue(pgOdbc, "UID"), "", pgLibpq},
                folder, [&](int pairs) { loadPostgres(pgLibpq, pairs); });
    }
    fs::remove_all(folder);
  } catch (const std::exception& e) {
    std::cerr << "bench_listing: " << e.what() << "\n";
    return 1;
  }
  return 0;
}
