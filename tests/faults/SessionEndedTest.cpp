// The server ends the program's session (an administrator's pg_terminate_backend, or the server's
// idle_in_transaction_session_timeout) while the operator reads a message with a transaction open. The places
// where the program waits for the operator inside a transaction are all in the delete: its field checks and its
// question. (The save asks before it begins its transaction; the password change asks nothing inside its own.)
#include <gtest/gtest.h>

#include <regex>

#include "program/FixedMessages.h"
#include "tests/faults/Workstation.h"
#include "tests/support/TestDatabase.h"

namespace mnt4820 {
namespace {

using Strings = std::vector<std::string>;
using platform::ui::mb::Answer;
const std::string DeleteQuestion = "削除してよろしいですか";
const std::string SaveQuestion = "この内容で更新しますか";

TEST(SessionEnded, WhileTheOperatorReadsAMessageInsideTheDeleteTheNextOperationsWorkOnANewConnection) {
  struct Wait {
    const char* partner;  // typed after narrowing to C001
    std::string prompt;   // up when the session is ended
    Answer answer;
    Strings shown;
  };
  const Wait waits[] = {
      {"", "相手先企業コードが入力されていません", Answer::Ok, {"相手先企業コードが入力されていません"}},
      {"NOSUCH", NoSuchDataMessage, Answer::Ok, {NoSuchDataMessage}},
      {"A00012345678", DeleteQuestion, Answer::Ok, {DeleteQuestion, UpdateFailedMessage}},
      {"A00012345678", DeleteQuestion, Answer::Cancel, {DeleteQuestion}},
  };
  for (const Wait& wait : waits) {
    SCOPED_TRACE(wait.prompt + " answered " + std::to_string(static_cast<int>(wait.answer)));
    auto database = test::TestDatabase::create(test::Engine::Postgres, true);
    if (!database) GTEST_SKIP() << "MNT4820_SKIP_PG=1: PostgreSQL run skipped";
    test::Workstation w(database->dsn(), database->user(), database->password());
    const Strings before = test::storedPairs(database->connect());
    w.onMessage = [&](const std::string& prompt) {
      if (prompt != wait.prompt) return;
      const auto pid = w.program.database.DbConnection->openResultSet("SELECT pg_backend_pid()").value(0);
      // Waits until the session has ended.
      database->connect().execute("SELECT pg_terminate_backend(" + pid.value_or("0") + ", 10000)");
      w.answerNext(wait.answer);
    };
    testing::internal::CaptureStderr();
    test::enter(w.window().KCNTCD, "C001");
    w.window().ATKCD.setText(wait.partner);
    w.form().pressKey(platform::ui::key::letter('D'), platform::ui::shift::Alt);
    w.onMessage = nullptr;
    EXPECT_EQ(w.shown(), wait.shown);
    EXPECT_FALSE(w.program.database.DbConnection->inTransaction());
    if (w.program.screen.ScreenArea == Area::Body) {
      w.form().pressKey(platform::ui::key::F2, 0);
      w.form().pressKey(platform::ui::key::Esc, 0);
    }

    test::enter(w.window().KCNTCD, "C002");
    EXPECT_EQ(w.maintenance.state.GridRowCount, 6);
    w.form().pressKey(platform::ui::key::letter('A'), platform::ui::shift::Alt);
    test::enter(w.window().CNTCD, "C004");
    w.answerNext(Answer::Yes);
    test::enter(w.window().ATKCD, "NEW1");
    test::enter(w.window().KCNTCD, "C003");
    w.form().pressKey(platform::ui::key::letter('D'), platform::ui::shift::Alt);
    EXPECT_EQ(w.shown(), (Strings{SaveQuestion, DeleteQuestion}));
    Strings expected = before;
    std::erase(expected, "C003/A00034567890");
    expected.push_back("C004/NEW1");
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(test::storedPairs(database->connect()), expected);
    const std::string errors = testing::internal::GetCapturedStderr();
    const std::regex reconnect("MNT4820: database connection: lost \\[[0-9A-Z]{5}\\], connected again\n");
    EXPECT_EQ(std::distance(std::sregex_iterator(errors.begin(), errors.end(), reconnect), std::sregex_iterator()), 1)
        << errors;
  }
}

}  // namespace
}  // namespace mnt4820
