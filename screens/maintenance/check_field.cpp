#include "screens/maintenance/check_field.h"

#include <exception>
#include <optional>
#include <string>

#include "db/QueryOperations.h"
#include "framework/Conventions.h"
#include "framework/FieldFocus.h"
#include "framework/FieldFormat.h"
#include "framework/FieldNavigation.h"
#include "platform/odbc/DatabaseError.h"
#include "platform/text/CodePage.h"
#include "platform/ui/Label.h"
#include "platform/ui/TextBox.h"
#include "program/ErrorReport.h"
#include "screens/maintenance/common.h"

namespace mnt4820 {

namespace {

constexpr int FirstDataRow = 1;
constexpr int CenterCol = 1;

platform::ui::TextBox& field(Program& program, const char* name) {
  return program.screen.form().get<platform::ui::TextBox>(name);
}

void showMessage(Program& program, const char* text) {
  program.ui.messageBox(text, platform::ui::mb::OkOnly, ProgramTitle);
}

// A refused field value.
void showFieldError(Program& program, const char* text) {
  program.ui.messageBox(text, platform::ui::mb::OkOnly | platform::ui::mb::Exclamation, ProgramTitle);
}

// A check that cannot ask the database refuses the value, as the search does.
void showCheckError(Program& program, const char* where, const platform::odbc::DatabaseError& error,
                    std::int16_t& status) {
  reportCaughtError(where, error);
  showMessage(program, "検索時にｴﾗｰがありました");
  status = StatusStop;
}

// The first row of the narrowed listing whose center code is the key; the first row when the database
// compared more loosely than exact text.
int rowOfCenter(const platform::ui::ListGrid& grid, std::int32_t rowCount, const std::string& key) {
  for (int row = FirstDataRow; row <= rowCount; ++row) {
    if (platform::trimBlanks(grid.textMatrix(row, CenterCol)) == key) return row;
  }
  return FirstDataRow;
}

}  // namespace

void CheckField(Program& program, std::int16_t row, std::int16_t& status) {
  FormatFieldValue(program.screen, row);
  platform::ui::Control& control = program.screen.fields.FieldControls(row);
  if (control.name() == "KCNTCD") {
    SearchByCenter(program, status);
  } else if (control.name() == "CNTCD") {
    CheckCenterCode(program, status);
  } else if (control.name() == "ATKCD") {
    CheckPartnerCode(program, status);
  }
  SelectAllText(control);
}

void SearchByCenter(Program& program, std::int16_t& status) {
  status = StatusStop;
  platform::ui::ListGrid& grid = listingGrid(program);
  platform::ui::TextBox& key = field(program, "KCNTCD");
  const std::string centerCode = platform::trimBlanks(key.text());
  // An empty listing opens nothing in change mode; nor, whatever the mode, does an empty key take its empty
  // first row, which would let a pair with an empty center code reach the detail area.
  const bool listingEmpty = !rowHoldsPair(grid, FirstDataRow);
  if (listingEmpty && (program.maintenance.EditMode == MaintenanceState::Change || centerCode.empty())) {
    key.setFocus();
    return;
  }
  if (centerCode.empty()) {
    grid.setRow(FirstDataRow);
    ShowGridRow(program);
    grid.setRow(FirstDataRow);
    SetRowHighlight(program, 0);
  } else {
    std::optional<platform::odbc::ResultSet> listing;
    try {
      QueryCenterListing(program, centerCode, listing);
      if (program.database.QueryStatus == "9") {
        showMessage(program, "該当データがありません");
        return;
      }
      FillGrid(program, *listing);
      listing->close();
    } catch (const std::exception& error) {
      reportCaughtError("SearchByCenter", error);
      // The screen stays in the key area, ready for another key.
      showMessage(program, "検索時にｴﾗｰがありました");
      if (key.canTakeFocus()) key.setFocus();
      return;
    }
    const int row = rowOfCenter(grid, program.maintenance.GridRowCount, centerCode);
    grid.setRow(row);
    SetRowHighlight(program, 0);
    ShowGridRow(program);
    grid.setTopRow(row);
  }
  program.screen.ScreenArea = "BODY";
  EnableFieldsForArea(program.screen, program.screen.ScreenArea);
  field(program, "CNTCD").setEnabled(false);
  SetCommandState(program, 1);
  field(program, "ATKCD").setFocus();
}

void CheckCenterCode(Program& program, std::int16_t& status) {
  if (program.maintenance.EditMode != MaintenanceState::Add) return;
  const std::string centerCode = platform::trimBlanks(field(program, "CNTCD").text());
  if (centerCode.empty()) {
    showFieldError(program, "センターコードが入力されていません");
    status = StatusStop;
    return;
  }
  try {
    std::optional<platform::odbc::ResultSet> center;
    program.database.SqlText = "SELECT  センターコード,センター名 FROM FL1903EDI制御マスタ  WHERE センターコード = ?";
    OpenQuery(program.database, center, {platform::odbc::Parameter(centerCode)});
    if (center->atEnd()) {
      showFieldError(program, "EDI制御マスタにセンターコードが登録されていません");
      status = StatusStop;
      return;
    }
    program.screen.form().get<platform::ui::Label>("lbl_CNTNM").setCaption(std::string(center->view(1).value_or("")));
    status = StatusGoOn;
  } catch (const platform::odbc::DatabaseError& error) {
    showCheckError(program, "CheckCenterCode", error, status);
  }
}

void CheckPartnerCode(Program& program, std::int16_t& status) {
  const std::string partnerCode = platform::trimBlanks(field(program, "ATKCD").text());
  if (partnerCode.empty()) {
    showFieldError(program, "相手先企業コードが入力されていません");
    status = StatusStop;
    return;
  }
  try {
    std::optional<platform::odbc::ResultSet> partner;
    program.database.SqlText = "SELECT  相手先企業コード FROM FL1915センタ利用企業マスタ  WHERE 相手先企業コード = ?";
    OpenQuery(program.database, partner, {platform::odbc::Parameter(partnerCode)});
    const bool used = !partner->atEnd();
    if (program.maintenance.EditMode == MaintenanceState::Delete && !used) {
      showFieldError(program, "該当データがありません");
      status = StatusStop;
    } else if (program.maintenance.EditMode != MaintenanceState::Delete && used) {
      showFieldError(program, "相手先企業コードが重複しています");
      status = StatusStop;
    } else {
      status = StatusGoOn;
    }
  } catch (const platform::odbc::DatabaseError& error) {
    showCheckError(program, "CheckPartnerCode", error, status);
  }
}

}  // namespace mnt4820
