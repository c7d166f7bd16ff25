#include "screens/maintenance/ScreenStates.h"

#include <iterator>
#include <utility>
#include <vector>

#include "framework/ClearScreen.h"
#include "framework/FieldNavigation.h"
#include "platform/system/Today.h"
#include "platform/ui/CommandButton.h"
#include "platform/ui/Label.h"
#include "platform/ui/TextBox.h"
#include "screens/maintenance/ListingFill.h"
#include "screens/maintenance/ListingGrid.h"

namespace mnt4820 {

void InitScreen(MaintenanceScreen& maintenance) {
  ClearScreen(maintenance.program.screen);
  RegisterFields(maintenance);
  maintenance.program.screen.ScreenArea = Area::Head;
  EnableFieldsForArea(maintenance.program.screen, maintenance.program.screen.ScreenArea);
  maintenance.state.EditMode = MaintenanceState::Change;
  SetCommandState(maintenance, CommandSet::KeyArea);
}

void RegisterFields(MaintenanceScreen& maintenance) {
  struct Field {
    platform::ui::TextBox& field;
    const char* attribute;
  };
  F_MNT4820& window = maintenance.window;
  // In the order the operator visits them; the row becomes the TabIndex.
  const Field Fields[] = {{window.KCNTCD, "2U"}, {window.CNTCD, "2U"}, {window.ATKCD, "2U"}};
  constexpr std::size_t Rows = std::size(Fields);

  std::vector<FieldRow> rows(Rows);
  for (std::size_t k = 0; k < Rows; ++k) {
    rows[k].control = &Fields[k].field;
    rows[k].attribute = Fields[k].attribute;
    rows[k].area = k == 0 ? Area::Head : Area::Body;
  }
  // Every row must hold a control: a window with other text boxes than these three is a design fault.
  FieldTable& table = maintenance.program.screen.fields;
  table.setRows(std::move(rows));
  for (int k = 0; k < table.FieldCount; ++k) table.FieldControls(k).setTabIndex(k);
}

void enterDetailArea(MaintenanceScreen& maintenance) {
  ScreenState& screen = maintenance.program.screen;
  screen.ScreenArea = Area::Body;
  EnableFieldsForArea(screen, screen.ScreenArea);
  maintenance.window.CNTCD.setEnabled(false);
  SetCommandState(maintenance, CommandSet::DetailArea);
}

void EnterAddMode(MaintenanceScreen& maintenance) {
  SetRowHighlight(maintenance, RowHighlight::None);
  F_MNT4820& window = maintenance.window;
  for (platform::ui::TextBox* field : {&window.KCNTCD, &window.CNTCD, &window.ATKCD}) field->setText("");
  for (platform::ui::Label* name : {&window.lbl_KCNTNM, &window.lbl_CNTNM}) name->setCaption("");
  SetCommandState(maintenance, CommandSet::DetailArea);
  window.CMD[2].setEnabled(false);
  maintenance.state.EditMode = MaintenanceState::Add;
  window.CNTCD.setEnabled(true);
  window.CNTCD.setFocus();
}

void backToKeyArea(MaintenanceScreen& maintenance) {
  ClearScreen(maintenance.program.screen);
  ShowHeader(maintenance);
  maintenance.program.screen.ScreenArea = Area::Head;
  EnableFieldsForArea(maintenance.program.screen, maintenance.program.screen.ScreenArea);
  SetCommandState(maintenance, CommandSet::KeyArea);
}

void ShowGridRow(MaintenanceScreen& maintenance) {
  F_MNT4820& window = maintenance.window;
  const platform::ui::ListGrid& grid = window.GRID;
  if (!rowHoldsPair(grid, grid.row())) return;
  window.CNTCD.setText(grid.textMatrix(grid.row(), ListingGrid::CenterCol));
  window.lbl_CNTNM.setCaption(grid.textMatrix(grid.row(), ListingGrid::CenterNameCol));
  window.ATKCD.setText(grid.textMatrix(grid.row(), ListingGrid::PartnerCol));
  maintenance.state.OpenedPair = PairKey{grid.textMatrix(grid.row(), ListingGrid::CenterCol),
                                         grid.textMatrix(grid.row(), ListingGrid::PartnerCol)};
  maintenance.state.EditMode = MaintenanceState::Change;
}

void SetRowHighlight(MaintenanceScreen& maintenance, RowHighlight highlight) {
  platform::ui::ListGrid& grid = maintenance.window.GRID;
  grid.refresh();
  grid.setCol(0);
  grid.setColSel(highlight == RowHighlight::CurrentRow ? ListingGrid::PartnerCol : 0);
}

void ShowHeader(MaintenanceScreen& maintenance) {
  F_MNT4820& window = maintenance.window;
  const OperatorState& signedOn = maintenance.program.operatorState;
  window.lbl_PGID.setCaption("SCR48201");
  window.lbl_OPTIT.setCaption("ｵﾍﾟﾚｰﾀｺｰﾄﾞ");
  window.lbl_OP_CD.setCaption(signedOn.OperatorCode);
  window.lbl_OP_NM.setCaption(signedOn.OperatorName);
  window.lbl_HIDUKE.setCaption(platform::todayText());
}

void SetCommandState(MaintenanceScreen& maintenance, CommandSet commands) {
  maintenance.window.CMD[0].setEnabled(commands == CommandSet::KeyArea);
  maintenance.window.CMD[2].setEnabled(commands == CommandSet::DetailArea);
}

}  // namespace mnt4820
