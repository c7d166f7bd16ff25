#include "screens/maintenance/check_field.h"

#include <exception>
#include <optional>
#include <string>

#include "db/PairStore.h"
#include "framework/Conventions.h"
#include "framework/FieldFocus.h"
#include "framework/FieldFormat.h"
#include "framework/FieldNavigation.h"
#include "platform/text/CodePage.h"
#include "platform/ui/Label.h"
#include "platform/ui/TextBox.h"
#include "program/ErrorReport.h"
#include "program/FixedMessages.h"
#include "screens/maintenance/ListingFill.h"
#include "screens/maintenance/ListingGrid.h"
#include "screens/maintenance/ScreenStates.h"

namespace mnt4820 {

namespace {

// A refused field value.
void refuseField(Program& program, const char* text, std::int16_t& status) {
  program.ui.messageBox(text, platform::ui::mb::OkOnly | platform::ui::mb::Exclamation, ProgramTitle);
  status = StatusStop;
}

// The first row of the narrowed listing whose center code is the key; the first row when the database
// compared more loosely than exact text.
int rowOfCenter(const platform::ui::ListGrid& grid, std::int32_t rowCount, const std::string& key) {
  for (int row = ListingGrid::FirstDataRow; row <= rowCount; ++row) {
    if (platform::trimBlanks(grid.textMatrix(row, ListingGrid::CenterCol)) == key) return row;
  }
  return ListingGrid::FirstDataRow;
}

}  // namespace

void CheckField(MaintenanceScreen& maintenance, std::int16_t row, std::int16_t& status, LookupFailure onLookupFailure) {
  ScreenState& screen = maintenance.program.screen;
  FormatFieldValue(screen, row);
  platform::ui::TextBox& field = screen.fields.FieldControls(row);
  const F_MNT4820& window = maintenance.window;
  if (&field == &window.KCNTCD) {
    SearchByCenter(maintenance, status);
  } else if (&field == &window.CNTCD) {
    CheckCenterCode(maintenance, status);
  } else if (&field == &window.ATKCD) {
    CheckPartnerCode(maintenance, status, onLookupFailure);
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
  const bool listingEmpty = !rowHoldsPair(grid, ListingGrid::FirstDataRow);
  if (listingEmpty && (maintenance.state.EditMode == MaintenanceState::Change || centerCode.empty())) {
    key.setFocus();
    return;
  }
  if (centerCode.empty()) {
    grid.setRow(ListingGrid::FirstDataRow);
    ShowGridRow(maintenance);
    grid.setRow(ListingGrid::FirstDataRow);
    SetRowHighlight(maintenance, RowHighlight::CurrentRow);
  } else {
    bool found = false;
    const bool read = runOrStop(maintenance.program.ui, "SearchByCenter", SearchFailedMessage, status, [&] {
      std::optional<PairListing> listing;
      QueryCenterListing(maintenance, centerCode, listing);
      found = !listing->atEnd();
      if (found) FillGrid(maintenance, listing);
    });
    if (!read) {
      // The screen stays in the key area, ready for another key.
      if (key.canTakeFocus()) key.setFocus();
      return;
    }
    if (!found) {
      showFixedMessage(maintenance.program.ui, NoSuchDataMessage);
      return;
    }
    const int row = rowOfCenter(grid, maintenance.state.GridRowCount, centerCode);
    grid.setRow(row);
    SetRowHighlight(maintenance, RowHighlight::CurrentRow);
    ShowGridRow(maintenance);
    grid.setTopRow(row);
  }
  enterDetailArea(maintenance);
  maintenance.window.ATKCD.setFocus();
}

void CheckCenterCode(MaintenanceScreen& maintenance, std::int16_t& status) {
  if (maintenance.state.EditMode != MaintenanceState::Add) return;
  const std::string centerCode = platform::trimBlanks(maintenance.window.CNTCD.text());
  Program& program = maintenance.program;
  if (centerCode.empty()) return refuseField(program, "センターコードが入力されていません", status);
  std::optional<std::string> name;
  // A check that cannot ask the database refuses the value, as the search does.
  const auto lookUp = [&] { name = PairStore(program.database).centerName(centerCode); };
  if (!runOrStop(program.ui, "CheckCenterCode", SearchFailedMessage, status, lookUp)) return;
  if (!name) return refuseField(program, "EDI制御マスタにセンターコードが登録されていません", status);
  maintenance.window.lbl_CNTNM.setCaption(*name);
  status = StatusGoOn;
}

void CheckPartnerCode(MaintenanceScreen& maintenance, std::int16_t& status, LookupFailure onLookupFailure) {
  const std::string partnerCode = platform::trimBlanks(maintenance.window.ATKCD.text());
  Program& program = maintenance.program;
  if (partnerCode.empty()) return refuseField(program, "相手先企業コードが入力されていません", status);
  const bool deleting = maintenance.state.EditMode == MaintenanceState::Delete;
  bool used = false;
  const auto lookUp = [&] { used = PairStore(program.database).partnerCodeUsed(partnerCode); };
  if (onLookupFailure == LookupFailure::Throws) {
    lookUp();
  } else if (!runOrStop(program.ui, "CheckPartnerCode", SearchFailedMessage, status, lookUp)) {
    return;
  }
  if (deleting && !used) return refuseField(program, NoSuchDataMessage, status);
  if (!deleting && used) return refuseField(program, "相手先企業コードが重複しています", status);
  status = StatusGoOn;
}

}  // namespace mnt4820
