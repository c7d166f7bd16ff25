#include "screens/maintenance/MainWindow.h"

#include <cstdint>

#include "framework/Conventions.h"
#include "framework/FieldFocus.h"
#include "framework/FieldNavigation.h"
#include "framework/KB_CHK.h"
#include "framework/ClearScreen.h"
#include "framework/WindowStyle.h"
#include "platform/ui/CommandButton.h"
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
    if (keyCode == platform::ui::key::Enter) {
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

// Enter on the search key runs its check, which places the focus itself.
void wireSearchKeys(Program& program, platform::ui::Form& window) {
  window.onKeyDown = [&program](std::int16_t& keyCode, std::int16_t) {
    if (keyCode != platform::ui::key::Enter) return;
    const std::optional<int> row = program.screen.activeFieldRow();
    if (!row || program.screen.fields.FieldControls(*row).name() != "KCNTCD") return;
    std::int16_t status = StatusGoOn;
    CheckField(program, static_cast<std::int16_t>(*row), status);
    if (status != StatusStop) NextField(program.screen, platform::ui::key::Enter);
  };
  window.get<platform::ui::CommandButton>("CMD", 0).onClick = [&program] {
    if (program.screen.ScreenArea != "HEAD") return;
    std::int16_t status = StatusGoOn;
    SearchByCenter(program, status);
  };
}

}  // namespace

std::unique_ptr<platform::ui::Form> createMainWindow(Program& program) {
  std::unique_ptr<platform::ui::Form> form = createMainWindowDesign(program.ui);
  platform::ui::Form& window = *form;
  window.onLoad = [&window] { CenterWindow(window); };
  for (const char* name : {"KCNTCD", "CNTCD", "ATKCD"}) wireField(program, window.get<platform::ui::TextBox>(name));
  wireGrid(program, window.get<platform::ui::ListGrid>("GRID"));
  wireSearchKeys(program, window);
  return form;
}

}  // namespace mnt4820
