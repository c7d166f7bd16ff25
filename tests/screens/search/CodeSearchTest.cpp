// The code search on the headless toolkit against the demo schema, on both drivers: each kind's statement
// through its production builder, the dialog driven as the operator drives it.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "db/QueryOperations.h"
#include "platform/ui/DataGrid.h"
#include "platform/ui/HeadlessToolkit.h"
#include "platform/ui/Label.h"
#include "platform/ui/TextBox.h"
#include "screens/search/COMMON_SEARCH_MSTDB.h"
#include "tests/support/TestDatabase.h"

namespace mnt4820 {
namespace {

using platform::ui::DataGrid;
using platform::ui::Form;
using platform::ui::Label;
using platform::ui::TextBox;
namespace key = platform::ui::key;

class CodeSearchTest : public ::testing::TestWithParam<test::Engine> {
 protected:
  void SetUp() override {
    database = test::TestDatabase::create(GetParam(), true);
    if (!database) GTEST_SKIP() << "MNT4820_SKIP_PG=1: PostgreSQL run skipped";
    ConnectDatabase(session, {"WS01", database->user(), database->password(), database->dsn()});
    field.setText("X");
    name.setCaption("N");
  }

  void execute(const std::string& sql) { database->connect().execute(sql); }
  // Runs a search; `operate` drives the dialog while it is shown (and must close it).
  void open(int kind, const std::function<void(Form&, DataGrid&)>& operate, const std::string& key1 = "",
            const std::string& key2 = "", platform::ui::Control* output2 = nullptr) {
    shown = false;
    toolkit.onModal = [&](Form& dialog) {
      shown = true;
      operate(dialog, search.SearchDialog->GRID);
    };
    OpenCodeSearch(search, static_cast<std::int16_t>(kind), &field, key1, key2, &name, output2, nullptr);
  }
  std::vector<std::string> column(const DataGrid& grid, std::size_t c) const {
    std::vector<std::string> values;
    for (std::size_t r = 0; r < grid.rowCount(); ++r) values.push_back(grid.rows().cell(r, c).value_or("<null>"));
    return values;
  }
  void expectOnlyMessage(const std::string& text) {
    EXPECT_FALSE(shown);
    ASSERT_FALSE(toolkit.messages().empty());
    EXPECT_EQ(toolkit.messages().back().prompt, text);
    EXPECT_EQ(toolkit.messages().back().flags, 0);
    EXPECT_EQ(toolkit.messages().back().title, "MNT4820");
    EXPECT_EQ(field.text(), "X");
    EXPECT_EQ(name.caption(), "N");
  }

  std::optional<test::TestDatabase> database;
  DatabaseSession session;
  platform::ui::HeadlessToolkit toolkit;
  platform::ui::Application application{toolkit};
  Form caller{application, "F_CALLER"};
  TextBox& field = caller.add<TextBox>("CNTCD");
  Label& name = caller.add<Label>("lbl_CNTNM");
  CodeSearch search{application, session};
  bool shown = false;
};

TEST_P(CodeSearchTest, EachKindListsItsColumnsInQueryOrderHeadedAsTheDatabaseNamesThem) {
  struct Case {
    int kind;
    std::string key1, key2;
    std::vector<int> widths;
    int dialogWidth, gridWidth;
  };
  const std::vector<Case> cases = {
      {0, "", "", {2000, 2000, 2000}, 6465, 6240},
      {1, "04", "EDISV01", {1800, 2000, 1400, 1400, 3000, 2000}, 12500, 12000},
      {2, "", "", {2000, 5000}, 7800, 7400},
      {3, "", "", {2500, 3000}, 6200, 5500},
      {4, "", "", {2000, 3000}, 6200, 5050},
  };
  for (const Case& c : cases) {
    field.setText("");
    open(
        c.kind,
        [&](Form& dialog, DataGrid& grid) {
          EXPECT_EQ(dialog.caption(), "□□ 検索 □□");
          for (std::size_t i = 0; i < c.widths.size(); ++i) EXPECT_EQ(grid.columnWidth(i), c.widths[i]);
          EXPECT_EQ(dialog.geometry().width, c.dialogWidth);
          EXPECT_EQ(grid.geometry().width, c.gridWidth);
          EXPECT_EQ(search.SearchDialog->RS.connectionString(), session.ConnectString);
          dialog.click(search.SearchDialog->STOP);
        },
        c.key1, c.key2);
    EXPECT_TRUE(shown) << "kind " << c.kind;
    EXPECT_FALSE(search.SearchDialog) << "the dialog is destroyed when it closes";
  }
  EXPECT_TRUE(toolkit.messages().empty());
  EXPECT_EQ(field.text(), "");
  EXPECT_EQ(name.caption(), "N");
}

TEST_P(CodeSearchTest, KeysAreComparedAsGivenAndFilterOnlyWhereTheKindSaysSo) {
  // Which rows each key selects is the search store's; here the keys reach it as given.
  std::vector<std::string> codes;
  open(
      0, [&](Form& dialog, DataGrid& grid) { codes = column(grid, 0), dialog.requestClose(); }, "A00012345678",
      "IGNORED");
  EXPECT_EQ(codes, (std::vector<std::string>{"A00012345678", "A00012345678"}));
  field.setText("02");
  open(3, [&](Form& dialog, DataGrid& grid) { codes = column(grid, 0), dialog.requestClose(); });
  EXPECT_EQ(codes, (std::vector<std::string>{"02"}));
  field.setText("X");
  for (const std::string key : {" A00012345678 ", "A'1", "' OR '1'='1"}) {
    toolkit.answerNext(platform::ui::mb::Answer::Ok);
    open(0, [](Form&, DataGrid&) {}, key);
    expectOnlyMessage("検索データが有りません");
  }
  ASSERT_TRUE(search.SearchDialog) << "kept, hidden, after an empty result";
  EXPECT_EQ(search.SearchDialog->RS.connectionString(), "") << "with no copy of the password";
}

TEST_P(CodeSearchTest, ChoosingWritesTheCurrentRowTrimmedAndNullAsEmptyIntoTheGivenControls) {
  execute("INSERT INTO FL1903EDI制御マスタ (センターコード, センター名) VALUES ('  C200  ', NULL)");
  execute("INSERT INTO FL1903EDI制御マスタ (センターコード, センター名) VALUES ('C300', ' 末尾に空白  ')");
  const auto rowOf = [](const DataGrid& grid, const std::string& code) {
    for (std::size_t r = 0; r < grid.rowCount(); ++r) {
      if (grid.rows().cell(r, 0) == code) return static_cast<int>(r);
    }
    throw std::runtime_error("no row " + code);
  };
  open(2, [&](Form& dialog, DataGrid& grid) {
    grid.setRow(rowOf(grid, "  C200  "));
    dialog.pressKey(key::Enter, 0);
  });
  EXPECT_EQ(field.text(), "C200");
  EXPECT_EQ(name.caption(), "");
  EXPECT_FALSE(search.SearchRecordset) << "closed after a choice";

  open(2, [&](Form& dialog, DataGrid& grid) {
    grid.setRow(rowOf(grid, "C300"));
    dialog.doubleClick(grid);
  });
  EXPECT_EQ(field.text(), "C300");
  EXPECT_EQ(name.caption(), "末尾に空白");

  // Kind 3 writes output2 (column 1) and then output1 (column 0), never the target; the output not given
  // is skipped.
  field.setText("03");
  open(3, [&](Form& dialog, DataGrid&) { dialog.click(search.SearchDialog->SELECT); }, "", "", &name);
  EXPECT_EQ(field.text(), "03");
  EXPECT_EQ(name.caption(), "03");
  Label other{"OTHER"};
  toolkit.onModal = [](Form& dialog) { dialog.pressKey(key::Enter, 0); };
  OpenCodeSearch(search, 3, &field, "", "", nullptr, &other, nullptr);
  EXPECT_EQ(other.caption(), "INVOIC-ZEN");
}

TEST_P(CodeSearchTest, TheThreeCancelsAndTheCloseBoxWriteNothingButTheWindowEscEmptiesTheField) {
  const auto cancel = [&](const std::function<void(Form&, DataGrid&)>& how) {
    field.setText("X");
    open(2, [&](Form& dialog, DataGrid& grid) {
      dialog.pressKey(key::Down, 0);
      how(dialog, grid);
      EXPECT_FALSE(dialog.isVisible());
      EXPECT_EQ(search.SearchDialog->RS.connectionString(), "");
    });
    EXPECT_TRUE(shown);
    EXPECT_EQ(name.caption(), "N");
    EXPECT_TRUE(search.SearchRecordset) << "a cancel leaves the recordset to the next search";
    return field.text();
  };
  EXPECT_EQ(cancel([&](Form& d, DataGrid&) { d.click(search.SearchDialog->STOP); }), "X");
  EXPECT_EQ(cancel([](Form& d, DataGrid&) { d.requestClose(); }), "X");
  // Esc in the grid reaches the window first.
  EXPECT_EQ(cancel([](Form& d, DataGrid& g) {
              ASSERT_TRUE(g.hasFocus());
              d.pressKey(key::Esc, 0);
            }),
            "");
  EXPECT_EQ(cancel([&](Form& d, DataGrid&) {
              search.SearchDialog->SELECT.setFocus();
              d.pressKey(key::Esc, 0);
            }),
            "");
  EXPECT_TRUE(toolkit.messages().empty());
}

TEST_P(CodeSearchTest, NoRowsAFailingQueryAndAnUnknownKindShowNoDialogAndKeepTheProgramRunning) {
  execute("DROP TABLE FL1901項目情報マスタ");
  toolkit.answerNext(platform::ui::mb::Answer::Ok);
  toolkit.answerNext(platform::ui::mb::Answer::Ok);
  open(4, [](Form&, DataGrid&) {});
  expectOnlyMessage("検索時にｴﾗｰがありました");
  EXPECT_FALSE(toolkit.exitCode());

  execute("DELETE FROM FL1903EDI制御マスタ");
  open(2, [](Form&, DataGrid&) {});
  expectOnlyMessage("検索データが有りません");

  const std::size_t messages = toolkit.messages().size();
  search.SearchDialog.reset();
  for (const int kind : {-1, 5}) {
    open(kind, [](Form&, DataGrid&) {});
    EXPECT_FALSE(shown);
    EXPECT_EQ(search.SearchDialog, nullptr);
    EXPECT_EQ(search.SearchKind, SearchKind::Center);
  }
  EXPECT_EQ(toolkit.messages().size(), messages);
}

MNT4820_INSTANTIATE_FOR_BOTH_ENGINES(CodeSearchTest);

}  // namespace
}  // namespace mnt4820
