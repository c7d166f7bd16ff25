// Adding, changing and deleting pairs, and the keys and buttons of the main window, on the headless toolkit
// with scripted answers, through the program's own statements on both drivers.
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <tuple>
#include <vector>

#include "db/QueryOperations.h"
#include "platform/ui/HeadlessToolkit.h"
#include "program/Program.h"
#include "screens/maintenance/MaintenanceScreen.h"
#include "screens/maintenance/ScreenStates.h"
#include "tests/support/MainWindowSteps.h"
#include "tests/support/MaintenanceWorld.h"
#include "tests/support/TestDatabase.h"

namespace mnt4820 {
namespace {

using test::enter;
using Answer = platform::ui::mb::Answer;
namespace key = platform::ui::key;

constexpr int DemoPairs = 30;  // every stored pair, the unlisted one of C009 included

class Maintenance : public ::testing::TestWithParam<test::Engine> {
 protected:
  void SetUp() override {
    database = test::TestDatabase::create(GetParam(), true);
    if (!database) GTEST_SKIP() << "MNT4820_SKIP_PG=1: PostgreSQL run skipped";
    form().onQueryUnload = [this](bool& cancel) {
      ++closeRequests;
      cancel = true;
    };
    test::openMainWindow(maintenance, {"", database->user(), database->password(), database->dsn()});
  }

  platform::ui::Form& form() const { return *maintenance.window.form; }
  const F_MNT4820& window() const { return maintenance.window; }
  platform::ui::Control* focus() const { return form().activeControl(); }

  std::vector<std::string> stored() { return test::storedPairs(database->connect()); }
  bool isStored(const std::string& pair) {
    const std::vector<std::string> pairs = stored();
    return std::find(pairs.begin(), pairs.end(), pair) != pairs.end();
  }
  void answer(std::initializer_list<Answer> answers) {
    for (Answer a : answers) toolkit.answerNext(a);
  }
  std::vector<std::string> prompts() const {
    std::vector<std::string> texts;
    for (const auto& m : toolkit.messages()) texts.push_back(m.prompt);
    return texts;
  }
  const platform::ui::HeadlessToolkit::ShownMessage& lastMessage() const { return toolkit.messages().back(); }
  // The listing is narrowed to a center and its first pair opened in the change state.
  void openCenter(const char* center) { enter(window().KCNTCD, center); }

  std::optional<test::TestDatabase> database;
  test::ScriptedToolkit toolkit;
  platform::ui::Application application{toolkit};
  Program program{application};
  MaintenanceScreen maintenance{program};
  int closeRequests = 0;
};

TEST_P(Maintenance, AddChecksEachFieldAndSavesOnlyOnYes) {
  const std::vector<std::string> before = stored();
  answer({Answer::Ok, Answer::Ok, Answer::Ok, Answer::Ok});
  form().pressKey(key::letter('A'), platform::ui::shift::Alt);
  EXPECT_EQ(focus(), &window().CNTCD);
  EXPECT_EQ(maintenance.state.EditMode, MaintenanceState::Add);
  EXPECT_FALSE(window().CMD[2].isEnabled());
  enter(window().CNTCD, "");
  enter(window().CNTCD, "C008");
  EXPECT_EQ(focus(), &window().CNTCD);
  EXPECT_EQ(lastMessage().flags, 48);
  enter(window().CNTCD, "C004");
  EXPECT_EQ(window().lbl_CNTNM.caption(), "九州配送センター");
  EXPECT_EQ(focus(), &window().ATKCD);
  enter(window().ATKCD, "");
  enter(window().ATKCD, "T001");  // used by C001: no partner code twice, whatever the center
  EXPECT_EQ(prompts(), (std::vector<std::string>{
                           "センターコードが入力されていません", "EDI制御マスタにセンターコードが登録されていません",
                           "相手先企業コードが入力されていません", "相手先企業コードが重複しています"}));
  EXPECT_EQ(focus(), &window().ATKCD);

  // Cancel keeps the entry and the mode; the focus goes back to the center code.
  answer({Answer::Cancel});
  enter(window().ATKCD, "NEW01");
  EXPECT_EQ(lastMessage().prompt, "この内容で更新しますか");
  EXPECT_EQ(lastMessage().flags, 51);
  EXPECT_EQ(focus(), &window().CNTCD);
  EXPECT_EQ(maintenance.state.EditMode, MaintenanceState::Add);
  // No drops it.
  window().ATKCD.setFocus();
  answer({Answer::No});
  form().pressKey(key::Enter, 0);
  EXPECT_EQ(program.screen.ScreenArea, Area::Head);
  EXPECT_EQ(window().CNTCD.text(), "");
  EXPECT_EQ(stored(), before);

  // Yes inserts, reloads the full listing and comes back to the key field.
  answer({Answer::Yes});
  window().CMD[1].setFocus();
  form().click(window().CMD[1]);
  form().typeText("c004\r");  // the keystroke filter makes capitals
  form().typeText("new01\r");
  EXPECT_TRUE(isStored("C004/NEW01"));
  EXPECT_EQ(stored().size(), before.size() + 1);
  EXPECT_EQ(maintenance.state.GridRowCount, DemoPairs);
  EXPECT_EQ(window().GRID.textMatrix(25, 3), "NEW01");
  EXPECT_EQ(program.screen.ScreenArea, Area::Head);
  EXPECT_EQ(focus(), &window().KCNTCD);
  EXPECT_EQ(toolkit.pendingAnswers(), 0U);
}

TEST_P(Maintenance, AChangeNeedsAFreeCodeAndReplacesThePairInOneTransaction) {
  openCenter("C002");
  ASSERT_EQ(window().ATKCD.text(), "A00023456781");
  answer({Answer::Ok});
  form().pressKey(key::Enter, 0);
  EXPECT_EQ(lastMessage().prompt, "相手先企業コードが重複しています");
  EXPECT_TRUE(isStored("C002/A00023456781"));

  answer({Answer::Yes});
  enter(window().ATKCD, "X9");
  EXPECT_FALSE(isStored("C002/A00023456781"));
  EXPECT_TRUE(isStored("C002/X9"));
  EXPECT_EQ(stored().size(), static_cast<std::size_t>(DemoPairs));
  EXPECT_EQ(maintenance.state.GridRowCount, DemoPairs - 1);  // the full listing again
  test::expectKeyArea(maintenance);
}

TEST_P(Maintenance, AStatementFailingInTheMiddleOfAChangeLeavesTheTableAsItWas) {
  openCenter("C001");
  // Between the checks and the save another workstation stores the pair the change is about to insert.
  toolkit.onMessage = [this](const std::string& prompt) {
    if (prompt == "この内容で更新しますか") {
      database->connect().execute("INSERT INTO FL1915センタ利用企業マスタ VALUES ('C001', 'RACE1')");
    }
  };
  std::vector<std::string> expected = stored();
  expected.insert(expected.begin() + 6, "C001/RACE1");
  answer({Answer::Yes, Answer::Ok});
  enter(window().ATKCD, "RACE1");
  EXPECT_EQ(prompts().back(), "更新時にｴﾗｰがあった為,ﾃﾞｰﾀの更新は中止しました");
  EXPECT_EQ(lastMessage().flags, 0);
  EXPECT_EQ(stored(), expected);
  EXPECT_FALSE(program.database.DbConnection->inTransaction());
  // A failed save still reloads the listing and returns to the key area.
  EXPECT_EQ(maintenance.state.GridRowCount, DemoPairs);
  test::expectKeyArea(maintenance);
}

TEST_P(Maintenance, DeleteAsksAndChecksThatAPairWasRemoved) {
  const std::vector<std::string> before = stored();
  // Cancel returns to the key area and deletes nothing.
  openCenter("C003");
  answer({Answer::Cancel});
  form().pressKey(key::letter('D'), platform::ui::shift::Alt);
  EXPECT_EQ(lastMessage().prompt, "削除してよろしいですか");
  EXPECT_EQ(lastMessage().flags, 49);
  test::expectKeyArea(maintenance);
  EXPECT_EQ(stored(), before);

  // An empty code is refused; the detail area stays, in change mode, with no transaction open.
  openCenter("C003");
  window().ATKCD.setText("");
  answer({Answer::Ok});
  form().click(window().CMD[2]);
  EXPECT_EQ(lastMessage().prompt, "相手先企業コードが入力されていません");
  EXPECT_EQ(program.screen.ScreenArea, Area::Body);
  EXPECT_EQ(maintenance.state.EditMode, MaintenanceState::Change);
  EXPECT_EQ(focus(), &window().ATKCD);
  EXPECT_FALSE(program.database.DbConnection->inTransaction());

  // A code of another center passes the check, but its delete removes no pair of C003: rolled back and said.
  window().ATKCD.setText("T001");
  answer({Answer::Ok, Answer::Ok});
  form().click(window().CMD[2]);
  EXPECT_EQ(lastMessage().prompt, "該当データがありません");
  EXPECT_EQ(lastMessage().flags, 48);
  test::expectKeyArea(maintenance);
  EXPECT_EQ(stored(), before);

  openCenter("C003");
  window().ATKCD.setText("N0815");
  answer({Answer::Ok});
  form().click(window().CMD[2]);
  EXPECT_FALSE(isStored("C003/N0815"));
  EXPECT_EQ(stored().size(), before.size() - 1);
  EXPECT_EQ(maintenance.state.GridRowCount, DemoPairs - 2);
  test::expectKeyArea(maintenance);
  EXPECT_FALSE(program.database.DbConnection->inTransaction());
}

// Whatever fails inside the delete, its commit or the delete's own partner check, rolls the whole delete back
// before it says so; the listing still shows the pair.
TEST_P(Maintenance, AnyFailureInsideTheDeleteRollsItBackWithTheUpdateMessage) {
  const std::vector<std::string> before = stored();
  // The commit is refused: on SQLite by another connection's open read, on PostgreSQL by a deferred check.
  platform::odbc::Connection other = database->connect();
  if (GetParam() == test::Engine::Sqlite) {
    other.beginTransaction();
    other.execute("SELECT COUNT(*) FROM FL1915センタ利用企業マスタ");
  } else {
    other.execute("CREATE FUNCTION refuse() RETURNS trigger LANGUAGE plpgsql AS $$BEGIN RAISE 'refused'; END$$");
    other.execute(
        "CREATE CONSTRAINT TRIGGER refuse AFTER DELETE ON FL1915センタ利用企業マスタ DEFERRABLE INITIALLY "
        "DEFERRED FOR EACH ROW EXECUTE FUNCTION refuse()");
  }
  openCenter("C003");
  window().ATKCD.setText("N0815");
  testing::internal::CaptureStderr();
  answer({Answer::Ok, Answer::Ok});
  form().click(window().CMD[2]);
  EXPECT_NE(testing::internal::GetCapturedStderr().find("MNT4820: DeletePair: "), std::string::npos);
  other.close();
  EXPECT_EQ(prompts(),
            (std::vector<std::string>{"削除してよろしいですか", "更新時にｴﾗｰがあった為,ﾃﾞｰﾀの更新は中止しました"}));
  EXPECT_EQ(lastMessage().flags, 0);
  EXPECT_EQ(stored(), before);
  EXPECT_EQ(std::make_tuple(maintenance.state.GridRowCount, window().GRID.textMatrix(5, 3)),
            std::make_tuple(6, "N0815"));
  EXPECT_EQ(maintenance.state.EditMode, MaintenanceState::Change);
  EXPECT_FALSE(program.database.DbConnection->inTransaction());

  if (GetParam() == test::Engine::Postgres)
    database->connect().execute("DROP TRIGGER refuse ON FL1915センタ利用企業マスタ");
  const auto renamePartnerColumn = [this](const char* from, const char* to) {
    database->connect().execute(std::string("ALTER TABLE FL1915センタ利用企業マスタ RENAME COLUMN ") + from + " TO " +
                                to);
  };
  renamePartnerColumn("相手先企業コード", "相手先");
  answer({Answer::Ok});
  form().click(window().CMD[2]);
  renamePartnerColumn("相手先", "相手先企業コード");
  EXPECT_EQ(prompts().size(), 3u) << "no question: the check failed first";
  EXPECT_EQ(lastMessage().prompt, "更新時にｴﾗｰがあった為,ﾃﾞｰﾀの更新は中止しました");
  EXPECT_EQ(stored(), before);
  EXPECT_EQ(maintenance.state.EditMode, MaintenanceState::Change);
  EXPECT_FALSE(program.database.DbConnection->inTransaction());
}

TEST_P(Maintenance, EscLeavesTheDetailAreaWithoutTheQuestionOnlyTheFirstTimeAndAfterF2) {
  const std::vector<std::string> before = stored();
  openCenter("C004");
  form().pressKey(key::Esc, 0);
  test::expectKeyArea(maintenance);
  EXPECT_TRUE(toolkit.messages().empty());
  EXPECT_EQ(program.ui.mousePointer(), platform::ui::MousePointer::Default);

  // Armed now: the next Esc asks. Cancel keeps the add state, whose later save inserts and deletes nothing.
  form().click(window().CMD[1]);
  window().CNTCD.setText("C004");
  window().ATKCD.setText("ESC1");
  answer({Answer::Cancel});
  form().pressKey(key::Esc, 0);
  EXPECT_EQ(lastMessage().prompt, "この内容で更新しますか");
  EXPECT_EQ(toolkit.pointerHistory().back(), platform::ui::MousePointer::Default);
  EXPECT_EQ(*(toolkit.pointerHistory().end() - 2), platform::ui::MousePointer::Hourglass);
  EXPECT_EQ(maintenance.state.EditMode, MaintenanceState::Add);
  EXPECT_EQ(focus(), &window().CNTCD);
  answer({Answer::Yes});
  form().pressKey(key::Esc, 0);
  EXPECT_EQ(stored().size(), before.size() + 1);
  EXPECT_TRUE(isStored("C004/ESC1"));
  test::expectKeyArea(maintenance);

  // F2 drops the question for the next Esc only.
  openCenter("C005");
  form().pressKey(key::F2, 0);
  const std::size_t shown = toolkit.messages().size();
  form().pressKey(key::Esc, 0);
  test::expectKeyArea(maintenance);
  EXPECT_EQ(toolkit.messages().size(), shown);
  openCenter("C005");
  window().ATKCD.setText("FREE1");  // its own code would be refused as a duplicate
  answer({Answer::No});
  form().pressKey(key::Esc, 0);
  EXPECT_EQ(lastMessage().prompt, "この内容で更新しますか");
  test::expectKeyArea(maintenance);
  EXPECT_EQ(stored().size(), before.size() + 1);

  // In the key area Esc asks to close the window.
  form().pressKey(key::Esc, 0);
  EXPECT_EQ(closeRequests, 1);
}

TEST_P(Maintenance, F5SearchesCentersFromEitherCodeFieldOnly) {
  std::vector<std::string> searched;
  toolkit.onModal = [&](platform::ui::Form& dialog) {
    searched.push_back(dialog.caption());
    auto& listing = maintenance.search.SearchDialog->GRID;
    dialog.giveFocus(listing);
    dialog.pressKey(key::Down, 0);
    dialog.pressKey(key::Enter, 0);
  };
  form().pressKey(key::F5, 0);
  EXPECT_EQ(window().KCNTCD.text(), "C002");
  EXPECT_EQ(window().lbl_KCNTNM.caption(), "西日本物流センター");

  form().click(window().CMD[1]);
  form().pressKey(key::F5, 0);
  EXPECT_EQ(window().CNTCD.text(), "C002");
  EXPECT_EQ(window().lbl_CNTNM.caption(), "西日本物流センター");
  EXPECT_EQ(focus(), &window().CNTCD);
  // No check runs after the search: the code is checked on Enter.
  EXPECT_TRUE(toolkit.messages().empty());

  window().ATKCD.setFocus();
  form().pressKey(key::F5, 0);
  EXPECT_EQ(searched.size(), 2U);
}

TEST_P(Maintenance, GridKeysRunAfterTheWindowsOwnKeysAndButtonsKeepToTheirArea) {
  // CMD (2) does nothing in the key area.
  form().click(window().CMD[2]);
  EXPECT_EQ(program.screen.ScreenArea, Area::Head);
  openCenter("C001");
  // CMD (0) does nothing in the detail area.
  form().click(window().CMD[0]);
  EXPECT_EQ(maintenance.state.GridRowCount, 7);
  EXPECT_EQ(program.screen.ScreenArea, Area::Body);

  window().GRID.selectCell(3, 1);
  form().click(window().GRID);
  form().pressKey(key::Up, 0);
  EXPECT_EQ(window().GRID.row(), 2);
  EXPECT_EQ(window().ATKCD.text(), "A00012345679");
  EXPECT_EQ(focus(), &window().GRID);
  // Esc on the grid in the detail area: the window leaves the area first (the first time without the
  // question), then the grid's own Esc clears the screen again.
  form().pressKey(key::Esc, 0);
  test::expectKeyArea(maintenance);
  EXPECT_EQ(window().GRID.colSel(), 0);
  // Esc on the grid in the key area asks to close the window first; kept open, the grid's Esc follows.
  window().GRID.setFocus();
  form().pressKey(key::Esc, 0);
  EXPECT_EQ(closeRequests, 1);
  test::expectKeyArea(maintenance);
  EXPECT_TRUE(toolkit.messages().empty());
}

TEST_P(Maintenance, ACheckThatCannotReadTheDatabaseRefusesTheValue) {
  form().click(window().CMD[1]);
  database->connect().execute("DROP TABLE FL1903EDI制御マスタ");
  answer({Answer::Ok});
  enter(window().CNTCD, "C001");
  EXPECT_EQ(lastMessage().prompt, "検索時にｴﾗｰがありました");
  EXPECT_EQ(lastMessage().flags, 0);
  EXPECT_EQ(focus(), &window().CNTCD);
}

MNT4820_INSTANTIATE_FOR_BOTH_ENGINES(Maintenance);

}  // namespace
}  // namespace mnt4820
