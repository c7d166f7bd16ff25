// The PostgreSQL server stopped in the middle of a session and started again, on a throwaway server of the test's
// own (never the one the test command shares): every operation says so, nothing is half-written, and once the
// server is back the next operation opens a new connection and works.
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "screens/signon/OPS2210.h"
#include "screens/signon/PasswordChange.h"
#include "screens/signon/SignOnDialogs.h"
#include "tests/faults/Workstation.h"
#include "tests/support/SqlScript.h"
#include "tests/support/TestDatabase.h"
#include "tests/support/TestFolder.h"

namespace mnt4820 {
namespace {

using Strings = std::vector<std::string>;
const std::string SearchError = "検索時にｴﾗｰがありました";
const std::string UpdateError = "更新時にｴﾗｰがあった為,ﾃﾞｰﾀの更新は中止しました";
const std::string SaveQuestion = "この内容で更新しますか";

int freePort() {
  const int s = socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  socklen_t size = sizeof address;
  bind(s, reinterpret_cast<sockaddr*>(&address), size);
  getsockname(s, reinterpret_cast<sockaddr*>(&address), &size);
  close(s);
  return ntohs(address.sin_port);
}

std::string run(const std::string& command) { return std::system(command.c_str()) == 0 ? "" : "failed: " + command; }

// A cluster made by scripts/pg-server.sh, stopped and started again with pg_ctl, removed at the end.
class ThrowawayServer {
 public:
  ThrowawayServer() : port_(freePort()), data_("/tmp/mnt4820-faults-pg-" + std::to_string(getpid())) {
    for (const auto& entry : std::filesystem::directory_iterator("/usr/lib/postgresql")) bin_ = entry.path() / "bin";
    started_ = run(script() + " start " + data_ + " " + std::to_string(port_) + " >/dev/null").empty();
  }
  ~ThrowawayServer() { run(script() + " stop " + data_); }
  bool started() const { return started_; }
  int port() const { return port_; }
  std::string stop() { return run(asServer() + bin_.string() + "/pg_ctl -D " + data_ + " -m fast -w stop >/dev/null"); }
  std::string start() { return pgCtl("start"); }
  // As a nightly maintenance does: the server ends every connection and is back at once.
  std::string restart() { return pgCtl("-m fast restart"); }

 private:
  static std::string script() { return (test::sourceFolder() / "scripts/pg-server.sh").string(); }
  static std::string asServer() { return getuid() == 0 ? "runuser -u postgres -- " : ""; }
  std::string pgCtl(const std::string& action) {
    return run(asServer() + bin_.string() + "/pg_ctl -D " + data_ + " -l " + data_ + "/server.log -w -o \"" +
               "-c listen_addresses=127.0.0.1 -p " + std::to_string(port_) + " -c unix_socket_directories='" + data_ +
               "' -c fsync=off\" " + action + " >/dev/null");
  }

  int port_;
  std::string data_;
  std::filesystem::path bin_;
  bool started_ = false;
};

class ServerRestart : public ::testing::Test {
 protected:
  // One server for the suite: the driver manager keeps the data sources it has read for the whole process.
  static void SetUpTestSuite() { server = new ThrowawayServer; }
  static void TearDownTestSuite() { delete server; }

  void SetUp() override {
    ASSERT_TRUE(server->started());
    const char* commandIni = std::getenv("ODBCINI");
    if (commandIni != nullptr) savedIni = commandIni;
    std::string sources;
    if (!savedIni.empty() && std::filesystem::exists(savedIni)) sources = platform::odbc::test::readTextFile(savedIni);
    const auto ini = folder.write("odbc.ini", sources + "\n[MNT4820_FAULTS_PG]\nDriver=" + postgresDriver() +
                                                  "\nServername=127.0.0.1\nPort=" + std::to_string(server->port()) +
                                                  "\nDatabase=mnt4820\n");
    setenv("ODBCINI", ini.c_str(), 1);
    platform::odbc::Connection setup = connect();
    using platform::odbc::test::readTextFile;
    platform::odbc::test::runSqlScript(setup, readTextFile((test::sourceFolder() / "db/schema.sql").string()));
    platform::odbc::test::runSqlScript(setup, readTextFile((test::sourceFolder() / "db/demo-data.sql").string()));
  }
  void TearDown() override { savedIni.empty() ? unsetenv("ODBCINI") : setenv("ODBCINI", savedIni.c_str(), 1); }

  static std::string postgresDriver() {
    for (const auto& lib : std::filesystem::directory_iterator("/usr/lib")) {
      if (std::filesystem::exists(lib.path() / "odbc/psqlodbcw.so")) return (lib.path() / "odbc/psqlodbcw.so").string();
    }
    return "psqlodbcw.so";
  }
  platform::odbc::Connection connect() {
    return platform::odbc::Connection::open(environment, "DSN=MNT4820_FAULTS_PG;UID=mnt4820;PWD=;");
  }
  Strings stored() { return test::storedPairs(connect()); }

  static inline ThrowawayServer* server = nullptr;
  test::TestFolder folder;
  std::string savedIni;
  platform::odbc::Environment environment;
};

TEST_F(ServerRestart, EveryOperationSaysSoAndTheNextOneAfterTheRestartWorks) {
  test::Workstation w("MNT4820_FAULTS_PG", "mnt4820", "");
  SignOnDialogs signOn(w.program);
  const auto lookUpOperator = [&] {
    signOn.state().SignOnWindow->OPCD.setText("0001");
    std::int16_t status = 0;
    CheckOperatorCode(signOn.state(), status);
    return status;
  };
  const auto codeSearch = [&] {
    w.window().KCNTCD.setFocus();
    w.onModal = [](platform::ui::Form& dialog) { dialog.pressKey(platform::ui::key::Enter, 0); };
    w.form().pressKey(platform::ui::key::F5, 0);
    return w.window().KCNTCD.text();
  };
  const Strings before = stored();

  // A change whose save meets the stopped server: the delete fails, nothing is written.
  w.onMessage = [&](const std::string& prompt) {
    if (prompt == SaveQuestion) {
      ASSERT_EQ(server->stop(), "");
    }
  };
  w.answerNext(platform::ui::mb::Answer::Yes);
  test::enter(w.window().KCNTCD, "C001");
  test::enter(w.window().ATKCD, "NEW1");
  w.onMessage = nullptr;
  EXPECT_EQ(w.shown(), (Strings{SaveQuestion, UpdateError}));
  EXPECT_EQ(w.program.screen.ScreenArea, Area::Head);

  // While it is down: the narrowing search, the checks of an add, the code search, the delete (whose detail area
  // the empty key opens from the grid; its transaction cannot begin) and the sign-on lookup each show their
  // message.
  test::enter(w.window().KCNTCD, "C002");
  EXPECT_EQ(w.shown(), Strings{SearchError});
  w.form().pressKey(platform::ui::key::letter('A'), platform::ui::shift::Alt);
  test::enter(w.window().CNTCD, "C004");
  EXPECT_EQ(w.shown(), Strings{SearchError});
  w.form().pressKey(platform::ui::key::Esc, 0);
  EXPECT_EQ(codeSearch(), "");
  EXPECT_EQ(w.shown(), Strings{SearchError});
  test::enter(w.window().KCNTCD, "");
  w.form().pressKey(platform::ui::key::letter('D'), platform::ui::shift::Alt);
  EXPECT_EQ(w.shown(), Strings{UpdateError});
  w.form().pressKey(platform::ui::key::F2, 0);
  w.form().pressKey(platform::ui::key::Esc, 0);
  EXPECT_EQ(lookUpOperator(), StatusStop);
  EXPECT_EQ(w.shown(), Strings{SearchError});
  EXPECT_FALSE(w.program.database.DbConnection->inTransaction());

  ASSERT_EQ(server->start(), "");
  EXPECT_EQ(stored(), before);
  // Back again: the first operation reconnects, and every one works.
  EXPECT_EQ(lookUpOperator(), StatusGoOn);
  EXPECT_EQ(codeSearch(), "C001");
  w.answerNext(platform::ui::mb::Answer::Yes);
  test::enter(w.window().KCNTCD, "C001");
  test::enter(w.window().ATKCD, "NEW1");
  w.form().pressKey(platform::ui::key::letter('A'), platform::ui::shift::Alt);
  w.answerNext(platform::ui::mb::Answer::Yes);
  test::enter(w.window().CNTCD, "C004");
  test::enter(w.window().ATKCD, "NEW2");
  w.answerNext(platform::ui::mb::Answer::Ok);
  test::enter(w.window().KCNTCD, "C003");
  w.form().pressKey(platform::ui::key::letter('D'), platform::ui::shift::Alt);
  EXPECT_EQ(w.shown(), (Strings{SaveQuestion, SaveQuestion, "削除してよろしいですか"}));
  Strings expected = before;
  expected.erase(std::find(expected.begin(), expected.end(), "C001/A00012345678"));
  expected.erase(std::find(expected.begin(), expected.end(), "C003/A00034567890"));
  expected.push_back("C001/NEW1");
  expected.push_back("C004/NEW2");
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(stored(), expected);
  EXPECT_EQ(w.maintenance.state.GridRowCount, static_cast<std::int32_t>(before.size()) - 1);
}

// After a restart under the open connection the first try of each operation works; a delete whose transaction
// the restart ends is rolled back and told, and the next one works.
TEST_F(ServerRestart, TheFirstOperationAfterARestartWorks) {
  test::Workstation w("MNT4820_FAULTS_PG", "mnt4820", "");
  SignOnDialogs signOn(w.program);
  const Strings before = stored();
  ASSERT_EQ(server->restart(), "");
  signOn.state().SignOnWindow->OPCD.setText("0001");
  std::int16_t status = StatusGoOn;
  CheckOperatorCode(signOn.state(), status);
  EXPECT_EQ(status, StatusGoOn);
  ASSERT_EQ(server->restart(), "");
  test::enter(w.window().KCNTCD, "C002");
  EXPECT_EQ(w.maintenance.state.GridRowCount, 6);
  w.form().pressKey(platform::ui::key::F2, 0);
  w.form().pressKey(platform::ui::key::Esc, 0);
  ASSERT_EQ(server->restart(), "");
  w.window().KCNTCD.setFocus();
  w.onModal = [](platform::ui::Form& dialog) { dialog.pressKey(platform::ui::key::Enter, 0); };
  w.form().pressKey(platform::ui::key::F5, 0);
  EXPECT_EQ(w.window().KCNTCD.text(), "C001");
  w.form().pressKey(platform::ui::key::letter('A'), platform::ui::shift::Alt);
  ASSERT_EQ(server->restart(), "");
  test::enter(w.window().CNTCD, "C004");
  ASSERT_EQ(server->restart(), "");
  w.answerNext(platform::ui::mb::Answer::Yes);
  test::enter(w.window().ATKCD, "NEW2");
  EXPECT_EQ(w.shown(), Strings{SaveQuestion});

  // The delete's transaction is open while its question is up.
  w.onMessage = [&](const std::string& prompt) {
    if (prompt == "削除してよろしいですか") {
      ASSERT_EQ(server->restart(), "");
    }
  };
  test::enter(w.window().KCNTCD, "C004");
  w.form().pressKey(platform::ui::key::letter('D'), platform::ui::shift::Alt);
  w.onMessage = nullptr;
  EXPECT_EQ(w.shown(), (Strings{"削除してよろしいですか", UpdateError}));
  Strings expected = before;
  expected.push_back("C004/NEW2");
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(stored(), expected);
  test::enter(w.window().KCNTCD, "C004");
  w.form().pressKey(platform::ui::key::letter('D'), platform::ui::shift::Alt);
  EXPECT_EQ(w.shown(), Strings{"削除してよろしいですか"});
  expected.erase(std::find(expected.begin(), expected.end(), "C004/A00045678901"));
  EXPECT_EQ(stored(), expected);
}

}  // namespace
}  // namespace mnt4820
