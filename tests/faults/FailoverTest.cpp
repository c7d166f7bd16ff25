// A site's primary PostgreSQL server stops and its streaming standby is promoted, the data source naming both
// hosts (psqlODBC hands a comma-separated Servername to libpq, and target_session_attrs=read-write makes it take
// only the primary): the operator's next operations work on the new primary, with nothing lost. Two throwaway
// servers of the test's own, on 127.0.0.1 and 127.0.0.2 with one port.
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstdlib>

#include "tests/faults/Workstation.h"
#include "tests/support/SqlScript.h"
#include "tests/support/TestDatabase.h"
#include "tests/support/TestFolder.h"

namespace mnt4820 {
namespace {

using Strings = std::vector<std::string>;

// A port that no address of the machine listens on.
int freePort() {
  const int s = socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  socklen_t size = sizeof address;
  bind(s, reinterpret_cast<sockaddr*>(&address), size);
  getsockname(s, reinterpret_cast<sockaddr*>(&address), &size);
  close(s);
  return ntohs(address.sin_port);
}

int pgServer(const std::string& arguments) {
  return std::system(((test::sourceFolder() / "scripts/pg-server.sh").string() + " " + arguments + " >&2").c_str());
}

// Stops both servers and puts the test command's data sources back, however the test ends.
struct ServerPair {
  std::string port = std::to_string(freePort());
  std::string primary = "/tmp/mnt4820-primary-" + std::to_string(getpid());
  std::string standby = "/tmp/mnt4820-standby-" + std::to_string(getpid());
  const char* commandIni = std::getenv("ODBCINI");
  ~ServerPair() {
    commandIni ? setenv("ODBCINI", commandIni, 1) : unsetenv("ODBCINI");
    pgServer("stop " + primary);
    pgServer("stop " + standby);
  }
};

TEST(Failover, AfterThePromotionTheNextOperationsWorkOnTheNewPrimary) {
  const ServerPair pair;
  const std::string& port = pair.port;
  ASSERT_EQ(pgServer("start " + pair.primary + " " + port), 0);
  test::TestFolder folder;
  const std::string sources = pair.commandIni ? platform::odbc::test::readTextFile(pair.commandIni) : "";
  const auto ini = folder.write("odbc.ini", sources +
                                                "\n[MNT4820_PAIR]\nDriver=MNT4820 PostgreSQL\nServername=127.0.0.1,"
                                                "127.0.0.2\nPort=" +
                                                port +
                                                "\nDatabase=mnt4820\n"
                                                "pqopt=target_session_attrs=read-write\n");
  setenv("ODBCINI", ini.c_str(), 1);
  platform::odbc::Environment environment;
  const auto connect = [&] { return platform::odbc::Connection::open(environment, "DSN=MNT4820_PAIR;UID=mnt4820;"); };
  platform::odbc::Connection setup = connect();
  for (const char* script : {"db/schema.sql", "db/demo-data.sql"}) {
    platform::odbc::test::runSqlScript(
        setup, platform::odbc::test::readTextFile(test::sourceFolder().string() + "/" + script));
  }
  ASSERT_EQ(pgServer("standby " + pair.standby + " " + port + " 127.0.0.2"), 0);
  const Strings before = test::storedPairs(connect());
  {
    test::Workstation w("MNT4820_PAIR", "mnt4820", "");
    test::enter(w.window().KCNTCD, "C001");
    w.form().pressKey(platform::ui::key::F2, 0);
    w.form().pressKey(platform::ui::key::Esc, 0);

    EXPECT_EQ(pgServer("stop " + pair.primary), 0);
    EXPECT_EQ(pgServer("promote " + pair.standby), 0);
    test::enter(w.window().KCNTCD, "C002");
    EXPECT_EQ(w.maintenance.state.GridRowCount, 6);
    w.form().pressKey(platform::ui::key::letter('A'), platform::ui::shift::Alt);
    test::enter(w.window().CNTCD, "C004");
    w.answerNext(platform::ui::mb::Answer::Yes);
    test::enter(w.window().ATKCD, "NEW1");
    test::enter(w.window().KCNTCD, "C003");
    w.form().pressKey(platform::ui::key::letter('D'), platform::ui::shift::Alt);
    EXPECT_EQ(w.shown(), (Strings{"この内容で更新しますか", "削除してよろしいですか"}));
  }
  Strings expected = before;
  std::erase(expected, "C003/A00034567890");
  expected.push_back("C004/NEW1");
  std::sort(expected.begin(), expected.end());
  // Only the new primary is there to answer.
  EXPECT_EQ(test::storedPairs(connect()), expected);
}

}  // namespace
}  // namespace mnt4820
