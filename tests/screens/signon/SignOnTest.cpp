// The sign-on and password-change dialogs driven through the control model on both databases: the messages
// they show, where the focus goes, what they publish and what they write into "FL0003担当者マスタ".
#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <optional>
#include <string>
#include <tuple>
#include <vector>

#include "app/SignOnStartup.h"
#include "config/SettingsReader.h"
#include "db/QueryOperations.h"
#include "platform/system/Today.h"
#include "platform/ui/HeadlessToolkit.h"
#include "platform/ui/Label.h"
#include "platform/ui/TextBox.h"
#include "screens/signon/SignOnDialogs.h"
#include "screens/signon/SignOnManage.h"
#include "tests/support/SqlScript.h"
#include "tests/support/TestDatabase.h"
#include "tests/support/TestFolder.h"

namespace mnt4820 {
namespace {

namespace key = platform::ui::key;
using platform::ui::Form;
using platform::ui::TextBox;
using Strings = std::vector<std::string>;
using Published = std::tuple<std::string, std::string, std::string, int, int>;

const std::string EmptyCode = "ｵﾍﾟﾚｰﾀｺｰﾄﾞが入力されていません";
const std::string NoSuchCode = "該当コードがありません";
const std::string BadPassword = "パスワードが不正です";
const std::string NoNewPassword = "新パスワードが入力されていません";
const Published Cancelled{"01", "", "", 0, 0};

const char* const Operators =
    "INSERT INTO FL0003担当者マスタ (担当者コード, 担当者氏名, IME起動モード, 権限レベル, パスワード) VALUES "
    "('0001', ' 山田 太郎 ', 1, 9, 'yamada01'), ('OP00007', '鈴木 一郎', 2, 5, 'Suzuki1234'), "
    "('0003', '佐藤 次郎', 3, -5, 'sato')";

class SignOn : public ::testing::TestWithParam<test::Engine> {
 protected:
  void SetUp() override {
    database = test::TestDatabase::create(GetParam(), false);
    if (!database) GTEST_SKIP() << test::engineName(GetParam()) << " is not available here";
    database->connect().execute(Operators);
    // The demo settings file from its colour and font section on, after a database section of the test's own.
    const std::string demo = platform::odbc::test::readTextFile(test::sourceFolder() / "config/demo/EDI.ini");
    folder.write("EDI.ini", "[動作環境]\nUSERID=" + database->user() + "\nPASSWD=" + database->password() +
                                "\nDBSTRING=" + database->dsn() + "\n" + demo.substr(demo.find("[Setting0]")));
    for (int i = 0; i < 40; ++i) toolkit.answerNext(platform::ui::mb::Answer::Ok);
  }

  // The start-up's part for a dialog opened on its own: settings, connection, the sign-on window shown.
  void open() {
    LoadSettings(programFolder(), program.settings);
    ConnectDatabase(program.database, LoadDbSettings(programFolder()));
    dialogs.emplace(program);
    signOn().form->show();
  }

  std::string programFolder() const { return (folder.path() / "EDI" / "MNT4820").string(); }
  OPS22101& signOn() { return *dialogs->state().SignOnWindow; }
  OPS22102& change() { return *dialogs->state().PasswordWindow; }
  bool focusIn(TextBox& field) { return field.form()->activeControl() == &field; }
  Published published() const {
    const OperatorState& p = program.operatorState;
    return {p.ResultCode, p.OperatorCode, p.OperatorName, p.OperatorImeMode, p.OperatorAuthority};
  }

  // The messages shown since the last call, each checked for the OK button alone and the program's title.
  Strings shown() {
    Strings prompts;
    for (const auto& all = toolkit.messages(); seen < all.size(); ++seen) {
      EXPECT_EQ(all[seen].flags, platform::ui::mb::OkOnly);
      EXPECT_EQ(all[seen].title, "MNT4820");
      prompts.push_back(all[seen].prompt);
    }
    return prompts;
  }

  std::map<std::string, std::string> passwords() {
    platform::odbc::Connection check = database->connect();
    std::map<std::string, std::string> stored;
    for (auto rows = check.openResultSet("SELECT 担当者コード, パスワード FROM FL0003担当者マスタ"); !rows.atEnd();
         rows.moveNext()) {
      stored[*rows.value(0)] = rows.value(1).value_or("<NULL>");
    }
    return stored;
  }

  // F5 in the sign-on window with this code and password typed there.
  void openChange(const std::string& code, const std::string& password) {
    signOn().OPCD.setText(code);
    signOn().PSWD.setText(password);
    signOn().form->pressKey(key::F5, 0);
    ASSERT_TRUE(change().form->isVisible());
  }

  // Enter past the carried-over code and old password, then the new password twice.
  void changeTo(const std::string& typed) { change().form->typeText("\r\r" + typed + "\r" + typed + "\r"); }

  std::optional<test::TestDatabase> database;
  test::TestFolder folder;
  platform::ui::HeadlessToolkit toolkit;
  platform::ui::Application application{toolkit};
  Program program{application};
  std::optional<SignOnDialogs> dialogs;
  std::size_t seen = 0;
};

TEST_P(SignOn, ChecksTheCodeAndThePasswordAndPublishesTheOperator) {
  open();
  EXPECT_EQ(signOn().lbl_PGID.caption(), "OPS22101");
  EXPECT_EQ(signOn().lbl_DATE.caption(), platform::todayText());
  signOn().form->typeText("  \r9999\r");
  EXPECT_EQ(shown(), (Strings{EmptyCode, NoSuchCode}));
  EXPECT_TRUE(focusIn(signOn().OPCD));
  EXPECT_EQ(signOn().OPCD.selLength(), 4);

  signOn().form->typeText(" 0001\r");
  ASSERT_TRUE(focusIn(signOn().PSWD));
  EXPECT_EQ(signOn().lbl_OPNM.caption(), " 山田 太郎 ");
  for (const char* wrong : {"", "YAMADA01", "yamada0"}) {
    signOn().PSWD.setText(wrong);
    signOn().form->typeText("\r");
    EXPECT_EQ(shown(), Strings{BadPassword}) << wrong;
    EXPECT_TRUE(focusIn(signOn().PSWD));
  }
  // The code is looked up again when the password is checked.
  signOn().OPCD.setText("0002");
  signOn().PSWD.setText("yamada01");
  signOn().form->typeText("\r");
  EXPECT_EQ(shown(), Strings{NoSuchCode});
  EXPECT_TRUE(focusIn(signOn().OPCD));
  EXPECT_EQ(signOn().OPCD.selLength(), 4);

  signOn().OPCD.setText("0001 ");
  signOn().PSWD.setText(" yamada01  ");
  signOn().PSWD.setFocus();
  signOn().form->typeText("\r");
  EXPECT_TRUE(shown().empty());
  EXPECT_FALSE(signOn().form->isVisible());
  EXPECT_EQ(published(), Published("00", "0001", "山田 太郎", 1, 9));
}

TEST_P(SignOn, FullFieldsAreCheckedAndArrowsMoveUnchecked) {
  open();
  signOn().form->pressKey(key::Down, 0);
  EXPECT_TRUE(focusIn(signOn().PSWD));
  signOn().form->pressKey(key::Up, 0);
  EXPECT_TRUE(focusIn(signOn().OPCD));
  // Full-width characters are not cut to the field's bytes: seven fill the code field and are looked up as typed.
  signOn().form->typeText("山田山田山田山");
  EXPECT_EQ(shown(), Strings{NoSuchCode});
  EXPECT_EQ(signOn().OPCD.text(), "山田山田山田山");
  // Commas and quotation marks never get in; the seventh character checks the code and moves on.
  signOn().form->typeText("OP,'\"0000");
  EXPECT_TRUE(focusIn(signOn().OPCD));
  signOn().form->typeText("7");
  EXPECT_TRUE(focusIn(signOn().PSWD));
  // The tenth character of the password checks it but does not sign on.
  signOn().form->typeText("Suzuki123,5");
  EXPECT_EQ(shown(), Strings{BadPassword});
  EXPECT_EQ(signOn().PSWD.selLength(), 10);
  signOn().form->typeText("Suzuki1234");
  EXPECT_TRUE(shown().empty());
  EXPECT_TRUE(signOn().form->isVisible());
  signOn().form->typeText("\r");
  EXPECT_EQ(published(), Published("00", "OP00007", "鈴木 一郎", 2, 5));
}

TEST_P(SignOn, ALookupThatFailsKeepsTheDialogOpen) {
  open();
  database->connect().execute("DROP TABLE FL0003担当者マスタ");
  signOn().form->typeText("0001\r");
  EXPECT_EQ(shown(), Strings{"検索時にｴﾗｰがありました"});
  EXPECT_TRUE(signOn().form->isVisible());
  EXPECT_TRUE(focusIn(signOn().OPCD));
}

TEST_P(SignOn, EachPasswordChangeCheckHasItsMessageAndFocus) {
  open();
  program.settings.FormBackColor = "&H00FF0000";
  openChange("0001", "yamada01");
  EXPECT_EQ(change().lbl_PGID.caption(), "OPS22102");
  EXPECT_EQ(change().lbl_DATE.caption(), platform::todayText());
  // Styled on opening, but the password window keeps its own background.
  EXPECT_EQ(signOn().form->backColor(), 0xFF0000);
  EXPECT_EQ(change().form->backColor(), 0xC0C0C0);
  EXPECT_EQ(change().PSWD.text(), "yamada01");
  ASSERT_TRUE(focusIn(change().OPCD));

  change().form->pressKey(key::Delete, 0);
  change().form->typeText("\r");
  // Quotes may be typed here; they are bound as a value and match nothing.
  change().OPCD.setText("' or ''='");
  change().form->typeText("\r");
  EXPECT_EQ(shown(), (Strings{EmptyCode, NoSuchCode}));
  EXPECT_TRUE(focusIn(change().OPCD));
  change().OPCD.setText(" 0001 ");
  change().form->typeText("\rbad\r");
  EXPECT_EQ(change().lbl_OPNM.caption(), "山田 太郎");
  EXPECT_EQ(shown(), Strings{BadPassword});
  EXPECT_TRUE(focusIn(change().PSWD));
  change().form->typeText("yamada01\r\r");
  EXPECT_EQ(shown(), Strings{NoNewPassword});
  EXPECT_TRUE(focusIn(change().NPSWD));
  change().form->typeText("new1\rnew2\r");
  EXPECT_EQ(shown(), Strings{BadPassword});
  EXPECT_EQ(change().NPSWD.text() + change().KAKUNIN.text(), "");
  EXPECT_TRUE(focusIn(change().KAKUNIN));
  change().form->typeText("\r");
  EXPECT_EQ(shown(), Strings{NoNewPassword});
  EXPECT_TRUE(focusIn(change().NPSWD));
  change().form->pressKey(key::F5, 0);
  EXPECT_TRUE(focusIn(change().NPSWD));

  change().form->pressKey(key::Esc, 0);
  EXPECT_FALSE(change().form->isVisible());
  EXPECT_EQ(signOn().OPCD.text(), " 0001 ");
  EXPECT_EQ(passwords()["0001"], "yamada01");
}

TEST_P(SignOn, DownToTheConfirmationThenEnterRunsAllFourChecks) {
  open();
  openChange("0001", "wrong");
  for (int i = 0; i < 3; ++i) change().form->pressKey(key::Down, 0);
  ASSERT_TRUE(focusIn(change().KAKUNIN));
  // Both new-password fields are empty and agree, so storing begins and stops at the old password.
  change().form->typeText("\r");
  EXPECT_EQ(shown(), Strings{BadPassword});
  EXPECT_TRUE(focusIn(change().PSWD));
  change().form->pressKey(key::Up, 0);
  change().form->pressKey(key::Up, 0);
  EXPECT_TRUE(focusIn(change().KAKUNIN));
  EXPECT_EQ(passwords()["0001"], "yamada01");
}

TEST_P(SignOn, NewPasswordsAreStoredAsTypedInTheOperatorsRowOnly) {
  open();
  auto expected = passwords();
  std::string old = "yamada01";
  for (const std::string typed : {"new1 ", "it's", "x'--"}) {
    openChange(" 0001", old);
    changeTo(typed);
    EXPECT_TRUE(shown().empty()) << typed;
    EXPECT_FALSE(change().form->isVisible()) << typed;
    EXPECT_EQ(signOn().PSWD.text(), "");
    EXPECT_EQ(dialogs->state().StoredPassword, typed);
    expected["0001"] = old = typed;
    EXPECT_EQ(passwords(), expected);
  }
  // A full new password moves on to the confirmation by itself.
  openChange("0001", old);
  change().form->typeText("\r\rabcdefghij");
  EXPECT_TRUE(focusIn(change().KAKUNIN));
  change().form->pressKey(key::Esc, 0);

  signOn().PSWD.setText("x'--");
  signOn().PSWD.setFocus();
  signOn().form->typeText("\r");
  EXPECT_EQ(program.operatorState.ResultCode, "00");
}

TEST_P(SignOn, AnUpdateThatFailsOrChangesNoRowIsRolledBackWithAMessage) {
  platform::odbc::Connection setup = database->connect();
  setup.execute("DROP TABLE FL0003担当者マスタ");
  setup.execute(
      "CREATE TABLE FL0003担当者マスタ (担当者コード VARCHAR(20) PRIMARY KEY, 担当者氏名 VARCHAR(40), "
      "IME起動モード INTEGER, 権限レベル INTEGER, パスワード VARCHAR(40) CHECK (パスワード <> 'refused'))");
  setup.execute(Operators);
  open();
  const auto before = passwords();
  for (const std::string typed : {"refused", "skipped"}) {
    // "skipped": the row vanishes between the lookup and the update, so the update changes nothing.
    if (typed == "skipped" && GetParam() == test::Engine::Sqlite) {
      setup.execute("CREATE TRIGGER skip BEFORE UPDATE ON FL0003担当者マスタ BEGIN SELECT RAISE(IGNORE); END");
    } else if (typed == "skipped") {
      setup.execute(
          "CREATE OR REPLACE FUNCTION skip() RETURNS trigger AS $$ BEGIN RETURN NULL; END $$ LANGUAGE plpgsql");
      setup.execute("CREATE TRIGGER skip BEFORE UPDATE ON FL0003担当者マスタ FOR EACH ROW EXECUTE FUNCTION skip()");
    }
    openChange("0001", "yamada01");
    changeTo(typed);
    EXPECT_EQ(shown(), Strings{"更新時にｴﾗｰがあった為,ﾃﾞｰﾀの更新は中止しました"}) << typed;
    EXPECT_TRUE(change().form->isVisible());
    EXPECT_EQ(change().KAKUNIN.text(), typed);
    EXPECT_EQ(signOn().PSWD.text(), "yamada01");
    EXPECT_EQ(dialogs->state().StoredPassword, "yamada01");
    EXPECT_FALSE(program.database.DbConnection->inTransaction());
    EXPECT_EQ(passwords(), before);
    change().form->pressKey(key::Esc, 0);
  }
}

TEST_P(SignOn, TheEntryProcedureShowsTheDialogModallyAndReturnsThePublishedValues) {
  toolkit.onModal = [](Form& window) { window.typeText("0003\rsato\r"); };
  SignOnMain(program, programFolder());
  EXPECT_EQ(published(), Published("00", "0003", "佐藤 次郎", 3, -5));
  EXPECT_FALSE(program.database.DbConnection);
  // Esc after a successful lookup, and the close box, leave the values of a cancel.
  using Leave = std::function<void(Form&)>;
  for (const Leave& leave : {Leave([](Form& window) { window.typeText("0001\r\x1b"); }), Leave(&Form::requestClose)}) {
    toolkit.onModal = leave;
    SignOnMain(program, programFolder());
    EXPECT_EQ(published(), Cancelled);
  }
}

MNT4820_INSTANTIATE_FOR_BOTH_ENGINES(SignOn);

}  // namespace
}  // namespace mnt4820
