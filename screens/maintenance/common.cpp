#include "screens/maintenance/common.h"

#include <ctime>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

#include "db/QueryOperations.h"
#include "framework/ClearScreen.h"
#include "framework/Conventions.h"
#include "framework/FieldNavigation.h"
#include "platform/ui/CommandButton.h"
#include "platform/ui/Label.h"
#include "platform/ui/TextBox.h"
#include "program/ErrorReport.h"

namespace mnt4820 {

namespace {

platform::ui::Form& mainWindow(Program& program) { return *program.screen.CurrentForm; }

std::string todayText() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  char text[16];
  std::strftime(text, sizeof text, "%Y/%m/%d", &local);
  return text;
}

}  // namespace

void InitScreen(Program& program) {
  ClearScreen(program.screen);
  RegisterFields(program);
  program.screen.ScreenArea = "HEAD";
  EnableFieldsForArea(program.screen, program.screen.ScreenArea);
  SetCommandState(program, 0);
}

void RegisterFields(Program& program) {
  struct Field {
    const char* name;
    const char* attribute;
  };
  // In the order the operator visits them; the row becomes the TabIndex.
  constexpr Field Fields[] = {{"KCNTCD", "2U"}, {"CNTCD", "2U"}, {"ATKCD", "2U"}};
  constexpr std::size_t Rows = std::size(Fields);

  std::vector<FieldRow> rows(Rows);
  platform::ui::Form& form = mainWindow(program);
  for (std::size_t k = 0; k < Rows; ++k) {
    rows[k].control = &form.get<platform::ui::TextBox>(Fields[k].name);
    rows[k].attribute = Fields[k].attribute;
    rows[k].area = k == 0 ? "HEAD" : "BODY";
  }
  // Every row must hold a control: a window with other text boxes than these three is a design fault.
  FieldTable& table = program.screen.fields;
  table.setRows(std::move(rows));
  for (int k = 0; k < table.FieldCount; ++k) table.FieldControls(k).setTabIndex(k);
}

void QueryListing(Program& program, std::optional<platform::odbc::ResultSet>& resultSet, std::int16_t& status) {
  status = StatusGoOn;
  try {
    program.database.SqlText =
        "SELECT "
        " FL1915センタ利用企業マスタ.センターコード,"
        " FL1915センタ利用企業マスタ.相手先企業コード,"
        " FL1903EDI制御マスタ.センター名 "
        " FROM FL1915センタ利用企業マスタ,"
        " FL1903EDI制御マスタ "
        " WHERE FL1915センタ利用企業マスタ.センターコード = FL1903EDI制御マスタ.センターコード"
        " ORDER BY FL1915センタ利用企業マスタ.センターコード,相手先企業コード";
    OpenQuery(program.database, resultSet);
  } catch (const std::exception& error) {
    reportCaughtError("QueryListing", error);
    status = StatusStop;
  }
}

void FillGrid(Program&, platform::odbc::ResultSet&) {}

void ShowHeader(Program& program) {
  platform::ui::Form& form = mainWindow(program);
  form.get<platform::ui::Label>("lbl_PGID").setCaption("SCR48201");
  form.get<platform::ui::Label>("lbl_OPTIT").setCaption("ｵﾍﾟﾚｰﾀｺｰﾄﾞ");
  form.get<platform::ui::Label>("lbl_OP_CD").setCaption(program.operatorState.OperatorCode);
  form.get<platform::ui::Label>("lbl_OP_NM").setCaption(program.operatorState.OperatorName);
  form.get<platform::ui::Label>("lbl_HIDUKE").setCaption(todayText());
}

void SetCommandState(Program& program, std::int16_t mode) {
  if (mode != 0 && mode != 1) return;
  platform::ui::Form& form = mainWindow(program);
  form.get<platform::ui::CommandButton>("CMD", 0).setEnabled(mode == 0);
  form.get<platform::ui::CommandButton>("CMD", 2).setEnabled(mode == 1);
}

}  // namespace mnt4820
