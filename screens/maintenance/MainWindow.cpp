#include "screens/maintenance/MainWindow.h"

#include <cstdint>
#include <optional>

#include "framework/ClearScreen.h"
#include "framework/Conventions.h"
#include "framework/FieldFocus.h"
#include "framework/FieldNavigation.h"
#include "framework/KB_CHK.h"
#include "framework/WindowStyle.h"
#include "platform/ui/CommandButton.h"
#include "platform/ui/Label.h"
#include "platform/ui/ListGrid.h"
#include "platform/ui/TextBox.h"
#include "screens/maintenance/MainWindowDesign.h"
#include "screens/maintenance/check_field.h"
#include "screens/maintenance/common.h"

namespace mnt4820 {

namespace {

// The events that every input field of the window shares: colouring, keystroke filter, leaving when full.
void wireField(Program& program, platform::ui::TextBox& field) {
  field.onGotFocus = [&program, &field] { OnFieldGotFocus(program.screen, program.settings, field); };
  field.onLostFocus = [&program, &field] { OnFieldLostFocus(program.screen, program.settings, field); };
  field.onKeyPress = [&program](std::int16_t& charCode) { FilterKeystroke(program.screen, charCode); };
  field.onKeyUp = [&program, &field](std::int16_t& keyCode, std::int16_t shiftState) {
    // Only an enabled field leaves itself when full, however the toolkit delivers the release.
    if (!field.isEnabled()) return;
    AutoAdvance(program.screen, keyCode, shiftState,
                [&program](std::int16_t row, std::int16_t& status) { CheckField(program, row, status); });
  };
}

void enterDetailArea(Program& program) {
  program.screen.ScreenArea = "BODY";
  EnableFieldsForArea(program.screen, program.screen.ScreenArea);
}

// A click on a listed pair opens it in the detail area; the focus stays on the grid. A row that holds no pair
// opens nothing.
bool openGridRow(Program& program) {
  platform::ui::ListGrid& grid = listingGrid(program);
  if (!rowHoldsPair(grid, grid.row())) return false;
  ShowGridRow(program);
  enterDetailArea(program);
  SetCommandState(program, 1);
  SetRowHighlight(program, 0);
  program.screen.form().get<platform::ui::TextBox>("CNTCD").setEnabled(false);
  return true;
}

void focusPartnerCode(Program& program) {
  auto& partner = program.screen.form().get<platform::ui::TextBox>("ATKCD");
  // In the key area the partner code is disabled and cannot take the focus.
  if (partner.canTakeFocus()) partner.setFocus();
}

void wireGrid(Program& program, platform::ui::ListGrid& grid) {
  grid.onClick = [&program] { openGridRow(program); };
  grid.onDoubleClick = [&program] {
    if (openGridRow(program)) focusPartnerCode(program);
  };
  grid.onRowColChange = [&program] {
    if (program.maintenance.GridLoaded == VbTrue) ShowGridRow(program);
  };
  grid.onKeyDown = [&program, &grid](std::int16_t& keyCode, std::int16_t) {
    // The grid's own cursor movement follows and shows the row it reaches.
    if (keyCode == platform::ui::key::Up) {
      PreviousField(program.screen, keyCode);
      ShowGridRow(program);
    } else if (keyCode == platform::ui::key::Down) {
      NextField(program.screen, keyCode);
      ShowGridRow(program);
    } else if (keyCode == platform::ui::key::Enter) {
      if (rowHoldsPair(grid, grid.row())) focusPartnerCode(program);
    } else if (keyCode == platform::ui::key::Esc) {
      SetRowHighlight(program, 1);
      ClearScreen(program.screen);
      ShowHeader(program);
      program.screen.ScreenArea = "HEAD";
      EnableFieldsForArea(program.screen, program.screen.ScreenArea);
      SetCommandState(program, 0);
      program.screen.fields.FieldControls(0).setFocus();
    }
  };
}

void focusKeyField(Program& program) { program.screen.form().get<platform::ui::TextBox>("KCNTCD").setFocus(); }

void closeWindow(Program& program) { program.screen.form().requestClose(); }

}  // namespace

void HandleScreenKey(Program& program, CodeSearch& search, std::int16_t keyCode, std::int16_t) {
  namespace key = platform::ui::key;
  std::int16_t status = StatusGoOn;
  switch (keyCode) {
    case key::Enter: {
      const std::optional<int> row = program.screen.activeFieldRow();
      if (!row) return;
      CheckField(program, static_cast<std::int16_t>(*row), status);
      if (status == StatusStop) return;
      if (program.screen.fields.FieldControls(*row).name() == "ATKCD") {
        ConfirmAndSave(program, status);
        // A save whose reload failed, and No, end in the key area with status 9: ATKCD is disabled by then.
        if (status == StatusStop && program.screen.ScreenArea == "HEAD") focusKeyField(program);
        if (status == StatusStop) return;
      }
      NextField(program.screen, key::Enter);
      return;
    }
    case key::Esc:
      if (program.screen.ScreenArea == "HEAD") {
        closeWindow(program);
        return;
      }
      LeaveBody(program, status);
      if (program.screen.ScreenArea == "HEAD") {
        program.maintenance.EditMode = MaintenanceState::Change;
        focusKeyField(program);
      }
      return;
    case key::F2: program.maintenance.ConfirmOnLeave = VbFalse; return;
    case key::F5: StartCodeSearch(program, search); return;
    case key::Up: PreviousField(program.screen, keyCode); return;
    case key::Down: NextField(program.screen, keyCode); return;
    default: return;
  }
}

void HandleCommand(Program& program, std::int16_t index) {
  std::int16_t status = StatusGoOn;
  switch (index) {
    case 0:
      if (program.screen.ScreenArea == "HEAD") SearchByCenter(program, status);
      return;
    case 1:
      enterDetailArea(program);
      EnterAddMode(program);
      return;
    case 2:
      if (program.screen.ScreenArea != "BODY") return;
      DeletePair(program, status);
      if (program.screen.ScreenArea == "HEAD") focusKeyField(program);
      return;
    case 3: closeWindow(program); return;
    default: return;
  }
}

void StartCodeSearch(Program& program, CodeSearch& search) {
  platform::ui::Form& window = program.screen.form();
  const platform::ui::Control* active = window.activeControl();
  if (active == nullptr) return;
  const char* name = active->name() == "KCNTCD" ? "lbl_KCNTNM" : active->name() == "CNTCD" ? "lbl_CNTNM" : nullptr;
  if (name == nullptr) return;
  auto& holder = window.get<platform::ui::Label>("SEARCH_KBN");
  holder.setCaption("");
  OpenCodeSearch(search, static_cast<std::int16_t>(SearchKind::Center), window.activeControl(), holder.caption(),
                 holder.caption(), &window.get<platform::ui::Label>(name), &holder, &holder);
}

std::unique_ptr<platform::ui::Form> createMainWindow(Program& program) {
  std::unique_ptr<platform::ui::Form> form = createMainWindowDesign(program.ui);
  platform::ui::Form& window = *form;
  window.onLoad = [&window] { CenterWindow(window); };
  for (const char* name : {"KCNTCD", "CNTCD", "ATKCD"}) wireField(program, window.get<platform::ui::TextBox>(name));
  wireGrid(program, window.get<platform::ui::ListGrid>("GRID"));
  // The main window lives for the whole run, and with it the code search its key handler opens.
  auto search = std::make_shared<CodeSearch>(program.ui, program.database);
  window.onKeyDown = [&program, search](std::int16_t& keyCode, std::int16_t shiftState) {
    HandleScreenKey(program, *search, keyCode, shiftState);
  };
  for (std::int16_t index = 0; index <= 3; ++index) {
    window.get<platform::ui::CommandButton>("CMD", index).onClick = [&program, index] {
      HandleCommand(program, index);
    };
  }
  return form;
}

}  // namespace mnt4820
