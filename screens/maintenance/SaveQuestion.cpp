#include "screens/maintenance/SaveQuestion.h"

#include "framework/Conventions.h"
#include "screens/maintenance/ListingFill.h"
#include "screens/maintenance/SaveAndDelete.h"
#include "screens/maintenance/ScreenStates.h"

namespace mnt4820 {

namespace {

// The answer to "この内容で更新しますか", once the fields have passed their checks.
void answerSaveQuestion(MaintenanceScreen& maintenance, std::int16_t& status) {
  using namespace platform::ui;
  const mb::Answer answer =
      maintenance.program.ui.messageBox("この内容で更新しますか", mb::YesNoCancel | mb::Exclamation, ProgramTitle);
  if (answer == mb::Answer::No) {
    backToKeyArea(maintenance);
    SetRowHighlight(maintenance, RowHighlight::None);
    maintenance.state.EditMode = MaintenanceState::Change;
    status = StatusStop;
  } else if (answer == mb::Answer::Cancel) {
    (maintenance.state.EditMode != MaintenanceState::Change ? maintenance.window.CNTCD : maintenance.window.ATKCD)
        .setFocus();
    status = StatusStop;
  } else {
    SavePair(maintenance, status);
    maintenance.program.ui.moment("save-stored");
    // A failed save has said so; the listing is reloaded and the key area restored all the same.
    showFullListing(maintenance, status);
    backToKeyArea(maintenance);
  }
  maintenance.program.ui.setMousePointer(MousePointer::Default);
}

}  // namespace

void ConfirmAndSave(MaintenanceScreen& maintenance, std::int16_t& status) {
  ValidateBody(maintenance, status);
  if (status == StatusStop) return;
  answerSaveQuestion(maintenance, status);
}

void LeaveBody(MaintenanceScreen& maintenance, std::int16_t& status) {
  MaintenanceState& state = maintenance.state;
  if (!state.ConfirmOnLeave) {
    state.ConfirmOnLeave = true;
    backToKeyArea(maintenance);
    maintenance.program.ui.setMousePointer(platform::ui::MousePointer::Default);
    return;
  }
  ValidateBody(maintenance, status);
  if (status == StatusStop) return;
  maintenance.program.ui.setMousePointer(platform::ui::MousePointer::Hourglass);
  answerSaveQuestion(maintenance, status);
}

}  // namespace mnt4820
