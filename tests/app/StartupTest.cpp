#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <tuple>
#include <vector>

#include "app/Bas_MNT4820.h"
#include "app/SignedOnStart.h"
#include "platform/ui/HeadlessToolkit.h"
#include "platform/ui/Label.h"
#include "platform/ui/TextBox.h"
#include "platform/ui/UiError.h"
#include "screens/maintenance/ListingFill.h"
#include "tests/support/SqlScript.h"
#include "tests/support/TestDatabase.h"
#include "tests/support/TestFolder.h"

namespace mnt4820 {
namespace {

using platform::ui::HeadlessToolkit;
using platform::ui::Label;
using platform::ui::MousePointer;
using platform::ui::ProgramEnded;
namespace mb = platform::ui::mb;

// The demo settings file from its colour and font section on: the tests give their own database section.
std::string displaySettings() {
  const std::string demo = platform::odbc::test::readTextFile(test::sourceFolder() / "config" / "demo" / "EDI.ini");
  return demo.substr(demo.find("[Setting0]"));
}
const std::string Setting0 = displaySettings();

std::string withFormBackColor(const std::string& value) {
  std::string text = Setting0;
  const auto at = text.find("FormBackColor=");
  text.replace(at, text.find('\n', at) - at, "FormBackColor=" + value);
  return text;
}

class Startup : public ::testing::TestWithParam<test::Engine> {
 protected:
  void SetUp() override {
    database = test::TestDatabase::create(GetParam(), true);
    if (!database) GTEST_SKIP() << "MNT4820_SKIP_PG=1: PostgreSQL run skipped";
  }

  std::string dbSection(const std::string& dsn) const {
    return "[動作環境]\nUSERID=" + database->user() + "\nPASSWD=" + database->password() + "\nDBSTRING=" + dsn + "\n";
  }

  StartupArguments arguments(const std::string& ini, const std::string& commandLine = "0001") {
    folder.write("EDI.ini", ini);
    return {(folder.path() / "EDI" / "MNT4820").string(), commandLine};
  }

  // Runs Main and hands back the exit status it ended with, if it ended.
  std::optional<int> runMain(const StartupArguments& args) {
    try {
      Main(program, maintenance, args);
      return std::nullopt;
    } catch (const ProgramEnded& e) {
      return e.exitCode();
    }
  }

  std::optional<test::TestDatabase> database;
  test::TestFolder folder;
  HeadlessToolkit toolkit;
  platform::ui::Application application{toolkit};
  Program program{application};
  MaintenanceScreen maintenance{program};
};

TEST_P(Startup, ComesUpWithTheHeaderAndTheOperatorCode) {
  EXPECT_EQ(runMain(arguments(dbSection(database->dsn()) + Setting0, "  OP 01  ")), std::nullopt);
  EXPECT_TRUE(toolkit.messages().empty());
  platform::ui::Form& form = *maintenance.window.form;
  EXPECT_EQ(program.screen.CurrentForm, &form);
  EXPECT_TRUE(form.isVisible());
  EXPECT_EQ(form.caption(), "センタ利用企業マスタ保守 ");
  EXPECT_EQ(program.operatorState.OperatorCode, "OP 01");
  EXPECT_EQ(program.operatorState.ResultCode, "00");
  EXPECT_EQ(maintenance.window.lbl_PGID.caption(), "SCR48201");
  EXPECT_EQ(maintenance.window.lbl_OPTIT.caption(), "ｵﾍﾟﾚｰﾀｺｰﾄﾞ");
  EXPECT_EQ(maintenance.window.lbl_OP_CD.caption(), "OP 01");
  EXPECT_EQ(maintenance.window.lbl_HIDUKE.caption().size(), 10u);
  EXPECT_EQ(toolkit.pointerHistory(), (std::vector<MousePointer>{MousePointer::Hourglass, MousePointer::Arrow}));
  EXPECT_DOUBLE_EQ(program.settings.TextFocusColor, 0x80FFFF);
  ASSERT_TRUE(program.database.DbConnection);
  EXPECT_TRUE(program.database.DbConnection->isOpen());
  EXPECT_EQ(program.database.ConnectString,
            "DSN=" + database->dsn() + ";UID=" + database->user() + ";PWD=" + database->password() + ";");
}

TEST_P(Startup, AnEmptyCommandLineIsNoError) {
  EXPECT_EQ(runMain(arguments(dbSection(database->dsn()) + Setting0, "")), std::nullopt);
  EXPECT_EQ(program.operatorState.OperatorCode, "");
  EXPECT_EQ(maintenance.window.lbl_OP_CD.caption(), "");
}

TEST_P(Startup, FailuresShowTheirMessageAndEndBeforeTheWindowIsShown) {
  struct Case {
    const char* what;
    std::string ini;
    std::string programFolder;
    const char* message;
    // What the administrator reads on standard error.
    const char* logged;
  };
  const std::string good = dbSection(database->dsn());
  const Case cases[] = {
      {"no settings file: the connection fails first", "", "", "接続エラー",
       "MNT4820: ConnectDatabase (data source \"\" named in "},
      {"no colour keys", good, "", "INIﾌｧｲﾙ読込エラー", "MNT4820: LoadSettings: LabelBackColor: "},
      {"a colour that is not a number", good + "[Setting0]\nLabelBackColor=grey\n", "", "INIﾌｧｲﾙ読込エラー",
       "MNT4820: LoadSettings: LabelBackColor: "},
      {"a wrong data source", dbSection("NO_SUCH_DSN") + Setting0, "", "接続エラー",
       "MNT4820: ConnectDatabase (data source \"NO_SUCH_DSN\" named in "},
      {"a program folder without a settings folder", good + Setting0, "/mnt4820", "INIﾌｧｲﾙ読込エラー",
       "MNT4820: LoadDbSettings: MACHINENAME: "},
      {"a window colour that does not style", good + withFormBackColor("abc"), "", "項目設定エラー",
       "MNT4820: ApplyWindowStyle: FormBackColor for F_MNT4820: "},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    HeadlessToolkit tk;
    platform::ui::Application app{tk};
    Program p{app};
    MaintenanceScreen m{p};
    test::TestFolder run;
    if (!c.ini.empty()) run.write("EDI.ini", c.ini);
    const std::string programFolder =
        c.programFolder.empty() ? (run.path() / "EDI" / "MNT4820").string() : c.programFolder;
    tk.answerNext(mb::Answer::Ok);
    testing::internal::CaptureStderr();
    try {
      Main(p, m, {programFolder, "0001"});
      ADD_FAILURE() << "the program did not end";
    } catch (const ProgramEnded& e) {
      EXPECT_NE(e.exitCode(), 0);
    }
    const std::string logged = testing::internal::GetCapturedStderr();
    EXPECT_NE(logged.find(c.logged), std::string::npos) << logged;
    ASSERT_EQ(tk.messages().size(), 1u);
    EXPECT_EQ(tk.messages()[0].prompt, c.message);
    EXPECT_EQ(tk.messages()[0].flags, mb::OkOnly);
    EXPECT_EQ(tk.messages()[0].title, "MNT4820");
    EXPECT_FALSE(m.window.form->isVisible());
    EXPECT_EQ(tk.pointerHistory(), (std::vector<MousePointer>{MousePointer::Hourglass}));
  }
}

TEST_P(Startup, AConnectionFailureReadsNoColourSetting) {
  HeadlessToolkit tk;
  platform::ui::Application app{tk};
  Program p{app};
  MaintenanceScreen m{p};
  tk.answerNext(mb::Answer::Ok);
  folder.write("EDI.ini", dbSection("NO_SUCH_DSN") + Setting0);
  EXPECT_THROW(Main(p, m, {(folder.path() / "EDI" / "MNT4820").string(), ""}), ProgramEnded);
  EXPECT_DOUBLE_EQ(p.settings.Text.BackColor, 0);
  EXPECT_EQ(p.settings.FormBackColor, "");
}

TEST_P(Startup, ClosingAsksAndNoKeepsTheWindowWithFieldColoursReset) {
  ASSERT_EQ(runMain(arguments(dbSection(database->dsn()) + Setting0)), std::nullopt);
  platform::ui::Form& form = *maintenance.window.form;
  // The three fields as the screen registered them.
  const FieldTable& fields = program.screen.fields;
  ASSERT_EQ(fields.FieldCount, 3);
  for (const int row : {0, 1, 2}) fields.FieldControls(row).setBackColor(0x123456);

  toolkit.answerNext(mb::Answer::No);
  EXPECT_FALSE(form.requestClose());
  EXPECT_TRUE(form.isVisible());
  ASSERT_EQ(toolkit.messages().size(), 1u);
  EXPECT_EQ(toolkit.messages()[0].prompt, "終了してもよろしいですか");
  EXPECT_EQ(toolkit.messages()[0].flags, 308);
  EXPECT_EQ(toolkit.messages()[0].title, "MNT4820");
  EXPECT_EQ(fields.FieldControls(0).backColor(), 0x123456);
  EXPECT_EQ(fields.FieldControls(1).backColor(), 0xFFFFFF);
  EXPECT_EQ(fields.FieldControls(2).backColor(), 0xFFFFFF);
  EXPECT_TRUE(program.database.DbConnection);

  toolkit.answerNext(mb::Answer::Yes);
  try {
    form.requestClose();
    FAIL() << "Yes did not end the program";
  } catch (const ProgramEnded& e) {
    EXPECT_EQ(e.exitCode(), 0);
  }
  EXPECT_EQ(toolkit.exitCode(), 0);
  EXPECT_FALSE(program.database.DbConnection);
}

// The desktop's start-up, with the demo's operators: a wrong password keeps the sign-on open; Esc there ends the
// program with status 1 and the main window is never shown. Signed on, the main window opens with the operator in its
// header.
TEST_P(Startup, TheSignedOnStartShowsTheMainWindowOnlyAfterTheSignOn) {
  const std::string programFolder = arguments(dbSection(database->dsn()) + Setting0).programFolder;
  for (int i = 0; i < 2; ++i) toolkit.answerNext(mb::Answer::Ok);
  toolkit.onModal = [](platform::ui::Form& signOn) {
    signOn.typeText("0001\rwrong\r");
    EXPECT_TRUE(signOn.isVisible());
    signOn.typeText("\x1b");
  };
  std::optional<int> ended;
  try {
    StartSignedOn(program, maintenance, programFolder);
  } catch (const ProgramEnded& e) {
    ended = e.exitCode();
  }
  EXPECT_EQ(ended, 1);
  ASSERT_FALSE(toolkit.messages().empty());
  EXPECT_EQ(toolkit.messages()[0].prompt, "パスワードが不正です");
  EXPECT_FALSE(maintenance.window.form->isVisible());
  EXPECT_FALSE(program.database.DbConnection && program.database.DbConnection->isOpen());

  HeadlessToolkit tk;
  platform::ui::Application app{tk};
  Program p{app};
  MaintenanceScreen m{p};
  tk.onModal = [](platform::ui::Form& signOn) { signOn.typeText("0001\ryamada01\r"); };
  StartSignedOn(p, m, programFolder);
  EXPECT_TRUE(m.window.form->isVisible());
  EXPECT_EQ(std::make_tuple(m.window.lbl_OP_CD.caption(), m.window.lbl_OP_NM.caption()),
            std::make_tuple("0001", "山田 太郎"));
}

// A listing longer than a screenful goes on arriving on the event loop once the window shows. The exit question,
// a click on a drawn row and its save, and a narrowing act meanwhile as on a complete listing; the reload after the
// save and the narrowing replace what was arriving.
TEST_P(Startup, ALongListingArrivesWhileTheOperatorWorks) {
  constexpr int Listed = 29 + 5000;  // the demo's listed pairs and G001..G050's: more than a block of the store
  platform::odbc::Connection setup = database->connect();
  platform::odbc::test::runSqlScript(setup, test::generatedPairs(5000));
  ASSERT_EQ(runMain(arguments(dbSection(database->dsn()) + Setting0)), std::nullopt);
  F_MNT4820& window = maintenance.window;
  const MaintenanceState& state = maintenance.state;
  const auto arriving = [&] {
    EXPECT_EQ(std::make_tuple(state.GridLoaded, window.GRID.rows(), window.GRID.row(), window.GRID.col()),
              std::make_tuple(true, state.GridRowCount + 1, state.GridRowCount, 3));
    EXPECT_TRUE(state.GridRowCount < Listed && toolkit.postedCount() > 0);
  };
  const auto listAgain = [&] {
    std::optional<PairListing> listing;
    std::int16_t status = 0;
    QueryListing(maintenance, listing, status);
    FillGrid(maintenance, listing);
    arriving();
  };
  const auto wholeListing = [&] {
    std::vector<std::string> keys;
    for (int row = 1; row < window.GRID.rows(); ++row)
      keys.push_back(window.GRID.textMatrix(row, 1) + "/" + window.GRID.textMatrix(row, 3));
    EXPECT_TRUE(state.GridRowCount == Listed && keys.size() == Listed && std::is_sorted(keys.begin(), keys.end()));
    return keys;
  };
  // No to the exit question while rows arrive; then they all come, and the current cell ends on the last.
  arriving();
  toolkit.answerNext(mb::Answer::No);
  window.form->pressKey(platform::ui::key::Esc, 0);
  toolkit.runPosted();
  EXPECT_EQ(wholeListing().back(), "G050/P00000005000");
  EXPECT_EQ(std::make_tuple(state.GridLoaded, window.GRID.row(), window.GRID.col()), std::make_tuple(true, Listed, 3));
  // A click on a drawn row opens it. The rest of the listing cannot be read and is read again whole, which leaves
  // the current cell on the last row; the opened pair is still the one its new partner code replaces.
  listAgain();
  const std::string clicked = window.GRID.textMatrix(5, 1) + "/" + window.GRID.textMatrix(5, 3);
  window.GRID.selectCell(5, 1);
  window.form->click(window.GRID);
  window.form->pressKey(platform::ui::key::Enter, 0);
  maintenance.arrivingRows->close();
  testing::internal::CaptureStderr();
  toolkit.runPosted();
  EXPECT_NE(testing::internal::GetCapturedStderr().find("MNT4820: FillGrid: "), std::string::npos);
  EXPECT_EQ(std::make_tuple(window.GRID.row(), window.CNTCD.text() + "/" + window.ATKCD.text()),
            std::make_tuple(Listed, clicked));
  window.ATKCD.setText("X1");
  toolkit.answerNext(mb::Answer::Yes);
  window.form->pressKey(platform::ui::key::Enter, 0);
  toolkit.runPosted();
  const std::vector<std::string> keys = wholeListing();
  EXPECT_EQ(std::count(keys.begin(), keys.end(), clicked.substr(0, 5) + "X1") -
                std::count(keys.begin(), keys.end(), clicked) +
                std::count(keys.begin(), keys.end(), "G050/P00000005000"),
            2);
  // A narrowing replaces them for good.
  listAgain();
  window.KCNTCD.setText("G002");
  window.form->pressKey(platform::ui::key::Enter, 0);
  toolkit.runPosted();
  EXPECT_EQ(std::make_tuple(state.GridRowCount, window.GRID.rows(), window.GRID.textMatrix(100, 1)),
            std::make_tuple(100, 101, "G002"));
  // Yes to the exit question while rows arrive ends the program: nothing more runs.
  listAgain();
  toolkit.answerNext(mb::Answer::Yes);
  EXPECT_THROW(window.form->requestClose(), ProgramEnded);
  EXPECT_EQ(toolkit.runPosted(), 0u);
}

MNT4820_INSTANTIATE_FOR_BOTH_ENGINES(Startup);

}  // namespace
}  // namespace mnt4820
