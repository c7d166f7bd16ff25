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

void CheckField(MaintenanceScreen& maintenance, std::int16_t row, std::int16_t& status) {
  ScreenState& screen = maintenance.program.screen;
  FormatFieldValue(screen, row);
  platform::ui::TextBox& field = screen.fields.FieldControls(row);
  const F_MNT4820& window = maintenance.window;
  if (&field == &window.KCNTCD) {
    SearchByCenter(maintenance, status);
  } else if (&field == &window.CNTCD) {
    CheckCenterCode(maintenance, status);
  } else if (&field == &window.ATKCD) {
    CheckPartnerCode(maintenance, status);
  }
  SelectAllText(field);
}

void SearchByCenter(MaintenanceScreen& maintenance, std::int16_t& status) {
  status = StatusStop;
  platform::ui::ListGrid& grid = maintenance.window.GRID;
  platform::ui::TextBox& key = maintenance.window.KCNTCD;
  const std::string centerCode = platform::trimBlanks(key.text());
  // An empty listing opens nothing in change mode; nor, whatever the mode, does an empty key take its empty
  // first row, which would let a pair with an empty center code reach the detail area.
  const bool listingEmpty = !rowHoldsPair(grid, FirstDataRow);
  if (listingEmpty && (maintenance.state.EditMode == MaintenanceState::Change || centerCode.empty())) {
    key.setFocus();
    return;
  }
  if (centerCode.empty()) {
    grid.setRow(FirstDataRow);
    ShowGridRow(maintenance);
    grid.setRow(FirstDataRow);
    SetRowHighlight(maintenance, 0);
  } else {
    std::optional<platform::odbc::ResultSet> listing;
    try {
      QueryCenterListing(maintenance, centerCode, listing);
      if (maintenance.program.database.QueryStatus == "9") {
        showMessage(maintenance.program, "該当データがありません");
        return;
      }
      FillGrid(maintenance, *listing);
      listing->close();
    } catch (const std::exception& error) {
      reportCaughtError("SearchByCenter", error);
      // The screen stays in the key area, ready for another key.
      showMessage(maintenance.program, "検索時にｴﾗｰがありました");
      if (key.canTakeFocus()) key.setFocus();
      return;
    }
    const int row = rowOfCenter(grid, maintenance.state.GridRowCount, centerCode);
    grid.setRow(row);
    SetRowHighlight(maintenance, 0);
    ShowGridRow(maintenance);
    grid.setTopRow(row);
  }
  maintenance.program.screen.ScreenArea = "BODY";
  EnableFieldsForArea(maintenance.program.screen, maintenance.program.screen.ScreenArea);
  maintenance.window.CNTCD.setEnabled(false);
  SetCommandState(maintenance, 1);
  maintenance.window.ATKCD.setFocus();
}

void CheckCenterCode(MaintenanceScreen& maintenance, std::int16_t& status) {
  if (maintenance.state.EditMode != MaintenanceState::Add) return;
  const std::string centerCode = platform::trimBlanks(maintenance.window.CNTCD.text());
  if (centerCode.empty()) {
    showFieldError(maintenance.program, "センターコードが入力されていません");
    status = StatusStop;
    return;
  }
  try {
    std::optional<platform::odbc::ResultSet> center;
    maintenance.program.database.SqlText =
        "SELECT  センターコード,センター名 FROM FL1903EDI制御マスタ  WHERE センターコード = ?";
    OpenQuery(maintenance.program.database, center, {platform::odbc::Parameter(centerCode)});
    if (center->atEnd()) {
      showFieldError(maintenance.program, "EDI制御マスタにセンターコードが登録されていません");
      status = StatusStop;
      return;
    }
    maintenance.window.lbl_CNTNM.setCaption(std::string(center->view(1).value_or("")));
    status = StatusGoOn;
  } catch (const platform::odbc::DatabaseError& error) {
    showCheckError(maintenance.program, "CheckCenterCode", error, status);
  }
}

void CheckPartnerCode(MaintenanceScreen& maintenance, std::int16_t& status) {
  const std::string partnerCode = platform::trimBlanks(maintenance.window.ATKCD.text());
  if (partnerCode.empty()) {
    showFieldError(maintenance.program, "相手先企業コードが入力されていません");
    status = StatusStop;
    return;
  }
  try {
    std::optional<platform::odbc::ResultSet> partner;
    maintenance.program.database.SqlText =
        "SELECT  相手先企業コード FROM FL1915センタ利用企業マスタ  WHERE 相手先企業コード = ?";
    OpenQuery(maintenance.program.database, partner, {platform::odbc::Parameter(partnerCode)});
    const bool used = !partner->atEnd();
    if (maintenance.state.EditMode == MaintenanceState::Delete && !used) {
      showFieldError(maintenance.program, "該当データがありません");
      status = StatusStop;
    } else if (maintenance.state.EditMode != MaintenanceState::Delete && used) {
      showFieldError(maintenance.program, "相手先企業コードが重複しています");
      status = StatusStop;
    } else {
      status = StatusGoOn;
    }
  } catch (const platform::odbc::DatabaseError& error) {
    showCheckError(maintenance.program, "CheckPartnerCode", error, status);
  }
}

}  // namespace mnt4820
