#include "screens/maintenance/MainWindow.h"

#include <cstdint>
#include <optional>

#include "framework/Conventions.h"
#include "framework/FieldFocus.h"
#include "framework/FieldNavigation.h"
#include "framework/KB_CHK.h"
#include "framework/WindowStyle.h"
#include "screens/maintenance/ListingFill.h"
#include "screens/maintenance/SaveAndDelete.h"
#include "screens/maintenance/SaveQuestion.h"
#include "screens/maintenance/ScreenStates.h"
#include "screens/maintenance/check_field.h"

namespace mnt4820 {

namespace {

// Every input field also filters its keystrokes and leaves itself when typed full.
void wireField(MaintenanceScreen& maintenance, platform::ui::TextBox& field) {
  Program& program = maintenance.program;
  wireInputField(program.screen, program.settings, field, [&maintenance](std::int16_t keyCode, std::int16_t shift) {
    AutoAdvance(maintenance.program.screen, keyCode, shift,
                [&maintenance](std::int16_t row, std::int16_t& status) { CheckField(maintenance, row, status); });
  });
  field.onKeyPress = [&program](std::int16_t& charCode) { FilterKeystroke(program.screen, charCode); };
}

// A click on a listed pair opens it in the detail area; the focus stays on the grid. A row that holds no pair
// opens nothing.
bool openGridRow(MaintenanceScreen& maintenance) {
  const platform::ui::ListGrid& grid = maintenance.window.GRID;
  if (!rowHoldsPair(grid, grid.row())) return false;
  ShowGridRow(maintenance);
  enterDetailArea(maintenance);
  SetRowHighlight(maintenance, RowHighlight::CurrentRow);
  return true;
}

void focusPartnerCode(MaintenanceScreen& maintenance) {
  platform::ui::TextBox& partner = maintenance.window.ATKCD;
  // In the key area the partner code is disabled and cannot take the focus.
  if (partner.canTakeFocus()) partner.setFocus();
}

void wireGrid(MaintenanceScreen& maintenance) {
  platform::ui::ListGrid& grid = maintenance.window.GRID;
  grid.onClick = [&maintenance] { openGridRow(maintenance); };
  grid.onDoubleClick = [&maintenance] {
    if (openGridRow(maintenance)) focusPartnerCode(maintenance);
  };
  grid.onRowColChange = [&maintenance] {
    if (maintenance.state.GridLoaded) ShowGridRow(maintenance);
  };
  grid.onKeyDown = [&maintenance, &grid](std::int16_t& keyCode, std::int16_t) {
    Program& program = maintenance.program;
    // The grid's own cursor movement follows and shows the row it reaches.
    if (keyCode == platform::ui::key::Up) {
      PreviousField(program.screen, keyCode);
      ShowGridRow(maintenance);
    } else if (keyCode == platform::ui::key::Down) {
      NextField(program.screen, keyCode);
      ShowGridRow(maintenance);
    } else if (keyCode == platform::ui::key::Enter) {
      if (rowHoldsPair(grid, grid.row())) focusPartnerCode(maintenance);
    } else if (keyCode == platform::ui::key::Esc) {
      SetRowHighlight(maintenance, RowHighlight::None);
      backToKeyArea(maintenance);
      maintenance.window.KCNTCD.setFocus();
    }
  };
}

void closeWindow(MaintenanceScreen& maintenance) { maintenance.window.form->requestClose(); }

}  // namespace

void wireMainWindow(MaintenanceScreen& maintenance) {
  F_MNT4820& window = maintenance.window;
  platform::ui::Form& form = *window.form;
  form.onLoad = [&form] { CenterWindow(form); };
  for (platform::ui::TextBox* field : {&window.KCNTCD, &window.CNTCD, &window.ATKCD}) wireField(maintenance, *field);
  wireGrid(maintenance);
  form.onKeyDown = [&maintenance](std::int16_t& keyCode, std::int16_t shiftState) {
    HandleScreenKey(maintenance, keyCode, shiftState);
  };
  for (platform::ui::CommandButton* button : window.CMD) {
    const auto index = static_cast<std::int16_t>(button->index());
    button->onClick = [&maintenance, index] { HandleCommand(maintenance, index); };
  }
}

void HandleScreenKey(MaintenanceScreen& maintenance, std::int16_t keyCode, std::int16_t) {
  namespace key = platform::ui::key;
  Program& program = maintenance.program;
  std::int16_t status = StatusGoOn;
  switch (keyCode) {
    case key::Enter: {
      const std::optional<int> row = program.screen.activeFieldRow();
      if (!row) return;
      CheckField(maintenance, static_cast<std::int16_t>(*row), status);
      if (status == StatusStop) return;
      if (&program.screen.fields.FieldControls(*row) == &maintenance.window.ATKCD) {
        ConfirmAndSave(maintenance, status);
        // A save whose reload failed, and No, end in the key area with status 9: ATKCD is disabled by then.
        if (status == StatusStop && program.screen.ScreenArea == Area::Head) maintenance.window.KCNTCD.setFocus();
        if (status == StatusStop) return;
      }
      NextField(program.screen, key::Enter);
      return;
    }
    case key::Esc:
      if (program.screen.ScreenArea == Area::Head) {
        closeWindow(maintenance);
        return;
      }
      LeaveBody(maintenance, status);
      if (program.screen.ScreenArea == Area::Head) {
        maintenance.state.EditMode = MaintenanceState::Change;
        maintenance.window.KCNTCD.setFocus();
      }
      return;
    case key::F2: maintenance.state.ConfirmOnLeave = false; return;
    case key::F5: StartCodeSearch(maintenance); return;
    case key::Up: PreviousField(program.screen, keyCode); return;
    case key::Down: NextField(program.screen, keyCode); return;
    default: return;
  }
}

void HandleCommand(MaintenanceScreen& maintenance, std::int16_t index) {
  Program& program = maintenance.program;
  std::int16_t status = StatusGoOn;
  switch (index) {
    case 0:
      if (program.screen.ScreenArea == Area::Head) SearchByCenter(maintenance, status);
      return;
    case 1:
      enterDetailArea(maintenance);
      EnterAddMode(maintenance);
      return;
    case 2:
      if (program.screen.ScreenArea != Area::Body) return;
      DeletePair(maintenance, status);
      if (program.screen.ScreenArea == Area::Head) maintenance.window.KCNTCD.setFocus();
      return;
    case 3: closeWindow(maintenance); return;
    default: return;
  }
}

void StartCodeSearch(MaintenanceScreen& maintenance) {
  F_MNT4820& window = maintenance.window;
  platform::ui::Control* active = window.form->activeControl();
  platform::ui::Label* name = active == &window.KCNTCD  ? &window.lbl_KCNTNM
                              : active == &window.CNTCD ? &window.lbl_CNTNM
                                                        : nullptr;
  if (name == nullptr) return;
  platform::ui::Label& holder = window.SEARCH_KBN;
  holder.setCaption("");
  OpenCodeSearch(maintenance.search, static_cast<std::int16_t>(SearchKind::Center), active, holder.caption(),
                 holder.caption(), name, &holder, &holder);
}

}  // namespace mnt4820
