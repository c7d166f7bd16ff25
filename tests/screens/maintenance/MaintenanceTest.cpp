// Adding, changing and deleting pairs, and the keys and buttons of the main window, on the headless toolkit
// with scripted answers, through the program's own statements on both drivers.
#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>
#include <string>
#include <tuple>
#include <vector>

#include "db/QueryOperations.h"
#include "platform/ui/CommandButton.h"
#include "platform/ui/DataGrid.h"
#include "platform/ui/HeadlessToolkit.h"
#include "platform/ui/Label.h"
#include "platform/ui/ListGrid.h"
#include "platform/ui/TextBox.h"
#include "program/Program.h"
#include "screens/maintenance/MaintenanceScreen.h"
#include "screens/maintenance/ScreenStates.h"
#include "tests/support/MaintenanceWorld.h"
#include "tests/support/TestDatabase.h"

namespace mnt4820 {
namespace {

using platform::ui::TextBox;
using Answer = platform::ui::mb::Answer;
namespace key = platform::ui::key;

constexpr int DemoPairs = 30;  // every stored pair, the unlisted one of C009 included

// Runs a step of the test while a message box is up, before it is answered.
class ScriptedToolkit : public platform::ui::HeadlessToolkit {
 public:
  std::function<void(const std::string&)> onMessage;
  Answer messageBox(const std::string& prompt, int flags, const std::string& title) override {
    if (onMessage) onMessage(prompt);
    return HeadlessToolkit::messageBox(prompt, flags, title);
  }
};

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
  TextBox& field(const char* name) const { return form().get<TextBox>(name); }
  std::string label(const char* name) const { return form().get<platform::ui::Label>(name).caption(); }
  platform::ui::ListGrid& grid() const { return form().get<platform::ui::ListGrid>("GRID"); }
  platform::ui::CommandButton& command(int index) const {
    return form().get<platform::ui::CommandButton>("CMD", index);
  }
  platform::ui::Control* focus() const { return form().activeControl(); }

  std::vector<std::string> stored() { return test::storedPairs(database->connect()); }
  bool isStored(const std::string& pair) {
    const std::vector<std::string> pairs = stored();
    return std::find(pairs.begin(), pairs.end(), pair) != pairs.end();
  }
  void enter(const char* fieldName, const std::string& text) {
    field(fieldName).setText(text);
    form().pressKey(key::Enter, 0);
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
  void expectKeyArea() const {
    EXPECT_EQ(program.screen.ScreenArea, Area::Head);
    EXPECT_EQ(maintenance.state.EditMode, MaintenanceState::Change);
    EXPECT_EQ(focus(), &field("KCNTCD"));
    EXPECT_FALSE(field("ATKCD").isEnabled());
    EXPECT_EQ(field("ATKCD").text(), "");
    EXPECT_EQ(label("lbl_PGID"), "SCR48201");
  }
  // The listing is narrowed to a center and its first pair opened in the change state.
  void openCenter(const char* center) { enter("KCNTCD", center); }

  std::optional<test::TestDatabase> database;
  ScriptedToolkit toolkit;
  platform::ui::Application application{toolkit};
  Program program{application};
  MaintenanceScreen maintenance{program};
  int closeRequests = 0;
};

TEST_P(Maintenance, AddChecksEachFieldAndSavesOnlyOnYes) {
  const std::vector<std::string> before = stored();
  answer({Answer::Ok, Answer::Ok, Answer::Ok, Answer::Ok});
  form().pressKey(key::letter('A'), platform::ui::shift::Alt);
  EXPECT_EQ(focus(), &field("CNTCD"));
  EXPECT_EQ(maintenance.state.EditMode, MaintenanceState::Add);
  EXPECT_FALSE(command(2).isEnabled());
  enter("CNTCD", "");
  enter("CNTCD", "C008");
  EXPECT_EQ(focus(), &field("CNTCD"));
  EXPECT_EQ(lastMessage().flags, 48);
  enter("CNTCD", "C004");
  EXPECT_EQ(label("lbl_CNTNM"), "九州配送センター");
  EXPECT_EQ(focus(), &field("ATKCD"));
  enter("ATKCD", "");
  enter("ATKCD", "T001");  // used by C001: no partner code twice, whatever the center
  EXPECT_EQ(prompts(), (std::vector<std::string>{
                           "センターコードが入力されていません", "EDI制御マスタにセンターコードが登録されていません",
                           "相手先企業コードが入力されていません", "相手先企業コードが重複しています"}));
  EXPECT_EQ(focus(), &field("ATKCD"));

  // Cancel keeps the entry and the mode; the focus goes back to the center code.
  answer({Answer::Cancel});
  enter("ATKCD", "NEW01");
  EXPECT_EQ(lastMessage().prompt, "この内容で更新しますか");
  EXPECT_EQ(lastMessage().flags, 51);
  EXPECT_EQ(focus(), &field("CNTCD"));
  EXPECT_EQ(maintenance.state.EditMode, MaintenanceState::Add);
  // No drops it.
  field("ATKCD").setFocus();
  answer({Answer::No});
  form().pressKey(key::Enter, 0);
  EXPECT_EQ(program.screen.ScreenArea, Area::Head);
  EXPECT_EQ(field("CNTCD").text(), "");
  EXPECT_EQ(stored(), before);

  // Yes inserts, reloads the full listing and comes back to the key field.
  answer({Answer::Yes});
  command(1).setFocus();
  form().click(command(1));
  form().typeText("c004\r");  // the keystroke filter makes capitals
  form().typeText("new01\r");
  EXPECT_TRUE(isStored("C004/NEW01"));
  EXPECT_EQ(stored().size(), before.size() + 1);
  EXPECT_EQ(maintenance.state.GridRowCount, DemoPairs);
  EXPECT_EQ(grid().textMatrix(25, 3), "NEW01");
  EXPECT_EQ(program.screen.ScreenArea, Area::Head);
  EXPECT_EQ(focus(), &field("KCNTCD"));
  EXPECT_EQ(toolkit.pendingAnswers(), 0U);
}

TEST_P(Maintenance, AChangeNeedsAFreeCodeAndReplacesThePairInOneTransaction) {
  openCenter("C002");
  ASSERT_EQ(field("ATKCD").text(), "A00023456781");
  answer({Answer::Ok});
  form().pressKey(key::Enter, 0);
  EXPECT_EQ(lastMessage().prompt, "相手先企業コードが重複しています");
  EXPECT_TRUE(isStored("C002/A00023456781"));

  answer({Answer::Yes});
  enter("ATKCD", "X9");
  EXPECT_FALSE(isStored("C002/A00023456781"));
  EXPECT_TRUE(isStored("C002/X9"));
  EXPECT_EQ(stored().size(), static_cast<std::size_t>(DemoPairs));
  EXPECT_EQ(maintenance.state.GridRowCount, DemoPairs - 1);  // the full listing again
  expectKeyArea();
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
  enter("ATKCD", "RACE1");
  EXPECT_EQ(prompts().back(), "更新時にｴﾗｰがあった為,ﾃﾞｰﾀの更新は中止しました");
  EXPECT_EQ(lastMessage().flags, 0);
  EXPECT_EQ(stored(), expected);
  EXPECT_FALSE(program.database.DbConnection->inTransaction());
  // A failed save still reloads the listing and returns to the key area.
  EXPECT_EQ(maintenance.state.GridRowCount, DemoPairs);
  expectKeyArea();
}

TEST_P(Maintenance, DeleteAsksAndChecksThatAPairWasRemoved) {
  const std::vector<std::string> before = stored();
  // Cancel returns to the key area and deletes nothing.
  openCenter("C003");
  answer({Answer::Cancel});
  form().pressKey(key::letter('D'), platform::ui::shift::Alt);
  EXPECT_EQ(lastMessage().prompt, "削除してよろしいですか");
  EXPECT_EQ(lastMessage().flags, 49);
  expectKeyArea();
  EXPECT_EQ(stored(), before);

  // An empty code is refused; the detail area stays, in change mode, with no transaction open.
  openCenter("C003");
  field("ATKCD").setText("");
  answer({Answer::Ok});
  form().click(command(2));
  EXPECT_EQ(lastMessage().prompt, "相手先企業コードが入力されていません");
  EXPECT_EQ(program.screen.ScreenArea, Area::Body);
  EXPECT_EQ(maintenance.state.EditMode, MaintenanceState::Change);
  EXPECT_EQ(focus(), &field("ATKCD"));
  EXPECT_FALSE(program.database.DbConnection->inTransaction());

  // A code of another center passes the check, but its delete removes no pair of C003: rolled back and said.
  field("ATKCD").setText("T001");
  answer({Answer::Ok, Answer::Ok});
  form().click(command(2));
  EXPECT_EQ(lastMessage().prompt, "該当データがありません");
  EXPECT_EQ(lastMessage().flags, 48);
  expectKeyArea();
  EXPECT_EQ(stored(), before);

  openCenter("C003");
  field("ATKCD").setText("N0815");
  answer({Answer::Ok});
  form().click(command(2));
  EXPECT_FALSE(isStored("C003/N0815"));
  EXPECT_EQ(stored().size(), before.size() - 1);
  EXPECT_EQ(maintenance.state.GridRowCount, DemoPairs - 2);
  expectKeyArea();
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
  field("ATKCD").setText("N0815");
  testing::internal::CaptureStderr();
  answer({Answer::Ok, Answer::Ok});
  form().click(command(2));
  EXPECT_NE(testing::internal::GetCapturedStderr().find("MNT4820: DeletePair: "), std::string::npos);
  other.close();
  EXPECT_EQ(prompts(),
            (std::vector<std::string>{"削除してよろしいですか", "更新時にｴﾗｰがあった為,ﾃﾞｰﾀの更新は中止しました"}));
  EXPECT_EQ(lastMessage().flags, 0);
  EXPECT_EQ(stored(), before);
  EXPECT_EQ(std::make_tuple(maintenance.state.GridRowCount, grid().textMatrix(5, 3)), std::make_tuple(6, "N0815"));
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
  form().click(command(2));
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
  expectKeyArea();
  EXPECT_TRUE(toolkit.messages().empty());
  EXPECT_EQ(program.ui.mousePointer(), platform::ui::MousePointer::Default);

  // Armed now: the next Esc asks. Cancel keeps the add state, whose later save inserts and deletes nothing.
  form().click(command(1));
  field("CNTCD").setText("C004");
  field("ATKCD").setText("ESC1");
  answer({Answer::Cancel});
  form().pressKey(key::Esc, 0);
  EXPECT_EQ(lastMessage().prompt, "この内容で更新しますか");
  EXPECT_EQ(toolkit.pointerHistory().back(), platform::ui::MousePointer::Default);
  EXPECT_EQ(*(toolkit.pointerHistory().end() - 2), platform::ui::MousePointer::Hourglass);
  EXPECT_EQ(maintenance.state.EditMode, MaintenanceState::Add);
  EXPECT_EQ(focus(), &field("CNTCD"));
  answer({Answer::Yes});
  form().pressKey(key::Esc, 0);
  EXPECT_EQ(stored().size(), before.size() + 1);
  EXPECT_TRUE(isStored("C004/ESC1"));
  expectKeyArea();

  // F2 drops the question for the next Esc only.
  openCenter("C005");
  form().pressKey(key::F2, 0);
  const std::size_t shown = toolkit.messages().size();
  form().pressKey(key::Esc, 0);
  expectKeyArea();
  EXPECT_EQ(toolkit.messages().size(), shown);
  openCenter("C005");
  field("ATKCD").setText("FREE1");  // its own code would be refused as a duplicate
  answer({Answer::No});
  form().pressKey(key::Esc, 0);
  EXPECT_EQ(lastMessage().prompt, "この内容で更新しますか");
  expectKeyArea();
  EXPECT_EQ(stored().size(), before.size() + 1);

  // In the key area Esc asks to close the window.
  form().pressKey(key::Esc, 0);
  EXPECT_EQ(closeRequests, 1);
}

TEST_P(Maintenance, F5SearchesCentersFromEitherCodeFieldOnly) {
  std::vector<std::string> searched;
  toolkit.onModal = [&](platform::ui::Form& dialog) {
    searched.push_back(dialog.caption());
    auto& listing = dialog.get<platform::ui::DataGrid>("GRID");
    dialog.giveFocus(listing);
    dialog.pressKey(key::Down, 0);
    dialog.pressKey(key::Enter, 0);
  };
  form().pressKey(key::F5, 0);
  EXPECT_EQ(field("KCNTCD").text(), "C002");
  EXPECT_EQ(label("lbl_KCNTNM"), "西日本物流センター");

  form().click(command(1));
  form().pressKey(key::F5, 0);
  EXPECT_EQ(field("CNTCD").text(), "C002");
  EXPECT_EQ(label("lbl_CNTNM"), "西日本物流センター");
  EXPECT_EQ(focus(), &field("CNTCD"));
  // No check runs after the search: the code is checked on Enter.
  EXPECT_TRUE(toolkit.messages().empty());

  field("ATKCD").setFocus();
  form().pressKey(key::F5, 0);
  EXPECT_EQ(searched.size(), 2U);
}

TEST_P(Maintenance, GridKeysRunAfterTheWindowsOwnKeysAndButtonsKeepToTheirArea) {
  // CMD (2) does nothing in the key area.
  form().click(command(2));
  EXPECT_EQ(program.screen.ScreenArea, Area::Head);
  openCenter("C001");
  // CMD (0) does nothing in the detail area.
  form().click(command(0));
  EXPECT_EQ(maintenance.state.GridRowCount, 7);
  EXPECT_EQ(program.screen.ScreenArea, Area::Body);

  grid().selectCell(3, 1);
  form().click(grid());
  form().pressKey(key::Up, 0);
  EXPECT_EQ(grid().row(), 2);
  EXPECT_EQ(field("ATKCD").text(), "A00012345679");
  EXPECT_EQ(focus(), &grid());
  // Esc on the grid in the detail area: the window leaves the area first (the first time without the
  // question), then the grid's own Esc clears the screen again.
  form().pressKey(key::Esc, 0);
  expectKeyArea();
  EXPECT_EQ(grid().colSel(), 0);
  // Esc on the grid in the key area asks to close the window first; kept open, the grid's Esc follows.
  grid().setFocus();
  form().pressKey(key::Esc, 0);
  EXPECT_EQ(closeRequests, 1);
  expectKeyArea();
  EXPECT_TRUE(toolkit.messages().empty());
}

TEST_P(Maintenance, ACheckThatCannotReadTheDatabaseRefusesTheValue) {
  form().click(command(1));
  database->connect().execute("DROP TABLE FL1903EDI制御マスタ");
  answer({Answer::Ok});
  enter("CNTCD", "C001");
  EXPECT_EQ(lastMessage().prompt, "検索時にｴﾗｰがありました");
  EXPECT_EQ(lastMessage().flags, 0);
  EXPECT_EQ(focus(), &field("CNTCD"));
}

MNT4820_INSTANTIATE_FOR_BOTH_ENGINES(Maintenance);

}  // namespace
}  // namespace mnt4820
