// Hostile text in every value that reaches SQL, fed the ways it can really arrive: typed or pasted through the
// field's keystroke filter, or written back unfiltered by the code search and the listing. Each value is stored
// or compared literally, or refused with a message; the tables show that nothing else happened.
#include <gtest/gtest.h>

#include <algorithm>

#include "config/SettingsReader.h"
#include "platform/odbc/DatabaseError.h"
#include "platform/ui/DataGrid.h"
#include "platform/ui/Label.h"
#include "platform/ui/ListGrid.h"
#include "screens/search/COMMON_SEARCH_MSTDB.h"
#include "screens/signon/SignOnDialogs.h"
#include "tests/faults/Workstation.h"
#include "tests/support/SqlScript.h"
#include "tests/support/TestDatabase.h"
#include "tests/support/TestFolder.h"

namespace mnt4820 {
namespace {

using Strings = std::vector<std::string>;
namespace key = platform::ui::key;
using platform::ui::mb::Answer;

struct Hostile {
  const char* what;
  std::string text;
};

const std::vector<Hostile> HostileValues = {
    {"quote", "O'BRIEN"},
    {"comment", "X'--"},
    {"tautology", "' OR ''='"},
    {"backslashes", "A\\'B\\"},
    {"statement", "A');DELETE FROM FL1915センタ利用企業マスタ;--"},
    {"NUL", std::string("AB\0CD", 5)},
    {"long", std::string(300, 'L')},
    {"full-width katakana", "アイウエオ"},
    {"half-width katakana", "ｱｲｳｴｵ"},
    {"not in CP932", "A😀𠀋"},
};

class BadInput : public ::testing::TestWithParam<test::Engine> {
 protected:
  void SetUp() override {
    database = test::TestDatabase::create(GetParam(), true);
    if (!database) GTEST_SKIP() << "MNT4820_SKIP_PG=1: PostgreSQL run skipped";
  }
  Strings stored() { return test::storedPairs(database->connect()); }
  // Stores a row the way another program could; false when the database itself refuses the value.
  bool storeDirectly(const std::string& sql, const std::vector<platform::odbc::Parameter>& values) {
    try {
      database->connect().execute(sql, values);
      return true;
    } catch (const platform::odbc::DatabaseError&) {
      return false;
    }
  }

  std::optional<test::TestDatabase> database;
};

// KCNTCD narrowing, CNTCD and ATKCD of add, change and delete.
TEST_P(BadInput, CodeFieldsOfTheMainWindow) {
  test::Workstation w(database->dsn(), database->user(), database->password());
  auto& grid = w.window().GRID;
  const auto pickCenter = [&](const std::string& code) {
    w.onModal = [&w, code](platform::ui::Form& dialog) {
      auto& list = w.maintenance.search.SearchDialog->GRID;
      dialog.giveFocus(list);
      for (std::size_t r = 0; r < list.rowCount(); ++r) {
        if (list.rows().cell(r, 0) == code) list.setRow(static_cast<int>(r));
      }
      dialog.pressKey(key::Enter, 0);
    };
    w.form().pressKey(key::F5, 0);
  };
  const auto backToKeyArea = [&] {
    w.form().pressKey(key::F2, 0);
    w.form().pressKey(key::Esc, 0);
  };

  for (const Hostile& v : HostileValues) {
    SCOPED_TRACE(v.what);
    Strings expected = stored();
    // Typed and pasted into the key field: the filter's result is compared as it stands.
    for (const bool pasted : {false, true}) {
      w.window().KCNTCD.setText("");
      w.window().KCNTCD.setFocus();
      pasted ? w.form().inputText(v.text) : w.form().typeText(v.text);
      const std::string key = w.window().KCNTCD.text();
      w.form().pressKey(key::Enter, 0);
      if (w.program.screen.ScreenArea == Area::Body) {
        for (int row = 1; row <= w.maintenance.state.GridRowCount; ++row) EXPECT_EQ(grid.textMatrix(row, 1), key);
        backToKeyArea();
      }
      // A field typed full is left (and searched) by itself before Enter searches again.
      for (const std::string& shown : w.shown()) EXPECT_EQ(shown, "該当データがありません") << key;
    }
    EXPECT_EQ(stored(), expected);

    // A center whose code holds the value, and a pair of it whose partner code holds it too.
    if (!storeDirectly("INSERT INTO FL1903EDI制御マスタ (センターコード, センター名) VALUES (?, '悪い値')", {v.text}) ||
        !storeDirectly("INSERT INTO FL1915センタ利用企業マスタ VALUES (?, ?)", {v.text, v.text})) {
      continue;  // the database keeps it out on its own: no program can hand it back
    }
    const Strings withPair = stored();
    // Written back into KCNTCD by the code search, cut to the field's 12 bytes: a longer code is then not found;
    // any other finds exactly that pair.
    pickCenter(v.text);
    w.form().pressKey(key::Enter, 0);
    if (w.window().KCNTCD.text() != v.text) {
      EXPECT_EQ(w.shown(), Strings{"該当データがありません"});
      EXPECT_EQ(stored(), withPair);
      continue;
    }
    ASSERT_EQ(w.program.screen.ScreenArea, Area::Body) << testing::PrintToString(w.shown());
    EXPECT_EQ(w.maintenance.state.GridRowCount, 1);
    EXPECT_EQ(w.window().ATKCD.text(), v.text);
    // Changed to a typed partner code: the old pair (from the listing, unfiltered) is the one replaced.
    w.window().ATKCD.setText("");
    w.form().typeText("N" + v.text);
    const std::string changedTo = w.window().ATKCD.text();
    w.answerNext(Answer::Yes);
    w.form().pressKey(key::Enter, 0);
    EXPECT_EQ(w.shown(), Strings{"この内容で更新しますか"});
    expected = withPair;
    expected.erase(std::find(expected.begin(), expected.end(), v.text + "/" + v.text));
    expected.push_back(v.text + "/" + changedTo);
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(stored(), expected);
    // Deleted again through the written-back key.
    pickCenter(v.text);
    w.form().pressKey(key::Enter, 0);
    ASSERT_EQ(w.window().ATKCD.text(), changedTo);
    w.answerNext(Answer::Ok);
    w.form().pressKey(key::letter('D'), platform::ui::shift::Alt);
    EXPECT_EQ(w.shown(), Strings{"削除してよろしいですか"});
    expected.erase(std::find(expected.begin(), expected.end(), v.text + "/" + changedTo));
    EXPECT_EQ(stored(), expected);
    // Added with the center written back into CNTCD and the value pasted into ATKCD.
    w.form().pressKey(key::letter('A'), platform::ui::shift::Alt);
    pickCenter(v.text);
    w.form().pressKey(key::Enter, 0);
    EXPECT_EQ(w.window().lbl_CNTNM.caption(), "悪い値");
    w.form().inputText("P" + v.text);
    const std::string added = w.window().ATKCD.text();
    w.answerNext(Answer::Yes);
    w.form().pressKey(key::Enter, 0);
    EXPECT_EQ(w.shown(), Strings{"この内容で更新しますか"});
    expected.push_back(v.text + "/" + added);
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(stored(), expected);
  }
}

// The keys of the code search: the partner code (kind 0), the partner kind and terminal (kind 1), the text of the
// caller's field (kind 3). A key that a row holds lists exactly that row, anything else lists nothing.
TEST_P(BadInput, CodeSearchKeys) {
  DatabaseSession session;
  ConnectDatabase(session, {"", database->user(), database->password(), database->dsn()});
  platform::ui::HeadlessToolkit toolkit;
  platform::ui::Application application{toolkit};
  platform::ui::Form caller{application, "F_CALLER"};
  auto& target = caller.add<platform::ui::TextBox>("CNTCD");
  CodeSearch search{application, session};
  const auto contents = [&] {
    Strings rows;
    platform::odbc::Connection check = database->connect();
    for (const char* table :
         {"FL1916メッセージグループ情報マスタ", "FL1903EDI制御マスタ", "FL1902フォーマット情報マスタ"}) {
      for (auto read = check.openResultSet(std::string("SELECT * FROM ") + table); !read.atEnd(); read.moveNext()) {
        std::string row;
        for (std::size_t c = 0; c < read.columnCount(); ++c) row += read.value(c).value_or("<NULL>") + "|";
        rows.push_back(row);
      }
    }
    std::sort(rows.begin(), rows.end());
    return rows;
  };
  // The first column of every row listed, or nothing when the search said it found none.
  const auto listed = [&](int kind, const std::string& key1, const std::string& key2, const std::string& text) {
    Strings firsts;
    toolkit.onModal = [&](platform::ui::Form& dialog) {
      const auto& grid = search.SearchDialog->GRID;
      for (std::size_t r = 0; r < grid.rowCount(); ++r) firsts.push_back(grid.rows().cell(r, 0).value_or(""));
      dialog.pressKey(key::Esc, 0);
    };
    target.setText(text);
    const std::size_t before = toolkit.messages().size();
    toolkit.answerNext(Answer::Ok);
    OpenCodeSearch(search, static_cast<std::int16_t>(kind), &target, key1, key2, nullptr, nullptr, nullptr);
    // A NUL would end the value early for the driver: the search refuses it.
    const bool nul = (key1 + key2 + text).find('\0') != std::string::npos;
    if (toolkit.messages().size() > before) {
      EXPECT_EQ(toolkit.messages().back().prompt, nul ? "検索時にｴﾗｰがありました" : "検索データが有りません");
    }
    return firsts;
  };
  for (const Hostile& v : HostileValues) {
    SCOPED_TRACE(v.what);
    const bool held =
        storeDirectly("INSERT INTO FL1916メッセージグループ情報マスタ VALUES (?, 'OWN', '01')", {v.text}) &&
        storeDirectly("INSERT INTO FL1903EDI制御マスタ (センターコード, 相手先種別, 実行端末名) VALUES ('V1', '01', ?)",
                      {v.text}) &&
        storeDirectly("INSERT INTO FL1902フォーマット情報マスタ VALUES (?, 'B', '1')", {v.text});
    const Strings stored = contents();
    const Strings own = held ? Strings{v.text} : Strings{};
    EXPECT_EQ(listed(0, v.text, "", ""), own);
    EXPECT_EQ(listed(1, "01", v.text, ""), held ? Strings{"V1"} : Strings{});
    EXPECT_EQ(listed(3, "", "", v.text), own);
    EXPECT_EQ(listed(0, v.text + "'", "", ""), Strings{});
    EXPECT_EQ(listed(3, "", "", "' OR ''='" + v.text), Strings{});
    EXPECT_EQ(contents(), stored);
    if (held) {
      database->connect().execute("DELETE FROM FL1916メッセージグループ情報マスタ WHERE 自社コード = 'OWN'");
      database->connect().execute("DELETE FROM FL1903EDI制御マスタ WHERE センターコード = 'V1'");
      database->connect().execute("DELETE FROM FL1902フォーマット情報マスタ WHERE BPID = 'B'");
    }
  }
}

// OPCD and PSWD of the sign-on, and the new password of the password change: typed, as the windows filter them.
// A password that the change stores signs on again.
TEST_P(BadInput, SignOnFields) {
  test::TestFolder folder;
  const std::string demo = platform::odbc::test::readTextFile(test::sourceFolder() / "config/demo/EDI.ini");
  folder.write("EDI.ini", "[動作環境]\nUSERID=" + database->user() + "\nPASSWD=" + database->password() +
                              "\nDBSTRING=" + database->dsn() + "\n" + demo.substr(demo.find("[Setting0]")));
  const std::string programFolder = (folder.path() / "EDI" / "MNT4820").string();
  platform::ui::HeadlessToolkit toolkit;
  platform::ui::Application application{toolkit};
  Program program{application};
  LoadSettings(programFolder, program.settings);
  ConnectDatabase(program.database, LoadDbSettings(programFolder));
  SignOnDialogs dialogs(program);
  OPS22101& signOn = *dialogs.state().SignOnWindow;
  OPS22102& change = *dialogs.state().PasswordWindow;
  signOn.form->show();
  std::size_t seen = 0;
  const auto shown = [&] {
    Strings prompts;
    for (; seen < toolkit.messages().size(); ++seen) prompts.push_back(toolkit.messages()[seen].prompt);
    return prompts;
  };
  const auto passwords = [&] {
    Strings rows;
    auto read = database->connect().openResultSet(
        "SELECT 担当者コード, パスワード FROM FL0003担当者マスタ ORDER BY 担当者コード");
    for (; !read.atEnd(); read.moveNext()) rows.push_back(*read.value(0) + "/" + read.value(1).value_or("<NULL>"));
    return rows;
  };
  const auto typeInto = [&](platform::ui::TextBox& field, const std::string& text) {
    field.setText("");
    field.setFocus();
    field.form()->typeText(text);
  };
  for (int i = 0; i < 100; ++i) toolkit.answerNext(Answer::Ok);
  std::string current = "yamada01";
  Strings expected = passwords();
  for (const Hostile& v : HostileValues) {
    SCOPED_TRACE(v.what);
    // As an operator code: no such operator, or no code at all once the filter has dropped it.
    typeInto(signOn.OPCD, v.text);
    signOn.form->pressKey(key::Enter, 0);
    for (const std::string& prompt : shown()) {
      EXPECT_TRUE(prompt == "該当コードがありません" || prompt == "ｵﾍﾟﾚｰﾀｺｰﾄﾞが入力されていません") << prompt;
    }
    // As the password of a real operator: refused.
    signOn.OPCD.setText("0001");
    typeInto(signOn.PSWD, v.text);
    signOn.form->pressKey(key::Enter, 0);
    // A full field is checked with every further key.
    const Strings refused = shown();
    EXPECT_FALSE(refused.empty());
    for (const std::string& prompt : refused) EXPECT_EQ(prompt, "パスワードが不正です");
    EXPECT_NE(program.operatorState.ResultCode, "00");

    // As a new password: stored exactly as the field holds it.
    signOn.OPCD.setText("0001");
    signOn.PSWD.setText(current);
    signOn.form->pressKey(key::F5, 0);
    ASSERT_TRUE(change.form->isVisible());
    typeInto(change.NPSWD, v.text);
    typeInto(change.KAKUNIN, v.text);
    const std::string newPassword = change.NPSWD.text();
    change.form->pressKey(key::Enter, 0);
    EXPECT_EQ(shown(), Strings{});
    EXPECT_FALSE(change.form->isVisible());
    *std::find(expected.begin(), expected.end(), "0001/" + current) = "0001/" + newPassword;
    EXPECT_EQ(passwords(), expected);
    current = newPassword;
    // Held by the sign-on's field, it signs on: compared as a value, quotes and all (typing drops the quotes
    // there, as the sign-on refuses them).
    signOn.PSWD.setText(newPassword);
    signOn.PSWD.setFocus();
    if (signOn.form->isVisible()) signOn.form->pressKey(key::Enter, 0);
    EXPECT_EQ(shown(), Strings{});
    EXPECT_EQ(program.operatorState.ResultCode, "00");
    program.operatorState.ResultCode.clear();
    signOn.form->show();
  }
}

MNT4820_INSTANTIATE_FOR_BOTH_ENGINES(BadInput);

}  // namespace
}  // namespace mnt4820
