#include "screens/maintenance/SaveAndDelete.h"

#include <optional>
#include <stdexcept>

#include "db/PairStore.h"
#include "framework/Conventions.h"
#include "framework/FieldFocus.h"
#include "platform/text/CodePage.h"
#include "platform/ui/TextBox.h"
#include "program/ErrorReport.h"
#include "program/FixedMessages.h"
#include "screens/maintenance/ListingFill.h"
#include "screens/maintenance/ScreenStates.h"
#include "screens/maintenance/check_field.h"

namespace mnt4820 {

namespace {

// The pair of the detail fields, as the delete and the insert name it.
PairKey pairOfFields(const F_MNT4820& window) {
  return {platform::trimBlanks(window.CNTCD.text()), platform::trimBlanks(window.ATKCD.text())};
}

}  // namespace

void ValidateBody(MaintenanceScreen& maintenance, std::int16_t& status, LookupFailure onLookupFailure) {
  status = StatusGoOn;
  for (std::int16_t row = 1; row < maintenance.program.screen.fields.FieldCount; ++row) {
    CheckField(maintenance, row, status, onLookupFailure);
    if (status != StatusGoOn) {
      platform::ui::TextBox& refused = maintenance.program.screen.fields.FieldControls(row);
      refused.setFocus();
      SelectAllText(refused);
      return;
    }
  }
}

void SavePair(MaintenanceScreen& maintenance, std::int16_t& status) {
  runOrStop(maintenance.program.ui, "SavePair", UpdateFailedMessage, status, [&] {
    std::optional<PairKey> replaced;
    if (maintenance.state.EditMode == MaintenanceState::Change) {
      replaced = maintenance.state.OpenedPair;
      // Only a listed pair can be changed: the change state is never entered without one shown.
      if (!replaced) throw std::logic_error("no listed pair to change");
    }
    PairStore(maintenance.program.database).replacePair(replaced, pairOfFields(maintenance.window));
  });
}

void DeletePair(MaintenanceScreen& maintenance, std::int16_t& status) {
  using namespace platform::ui;
  MaintenanceState& state = maintenance.state;
  PairStore pairs(maintenance.program.database);
  // Every failure inside, the checks' own included, rolls the whole delete back before it is told.
  const bool ranThrough = runOrStop(maintenance.program.ui, "DeletePair", UpdateFailedMessage, status, [&] {
    StoreTransaction transaction = pairs.beginChange();
    state.EditMode = MaintenanceState::Delete;
    // A check that cannot ask the database fails the delete, which rolls back before it says so.
    ValidateBody(maintenance, status, LookupFailure::Throws);
    if (status == StatusStop) {
      transaction.rollback();
      state.EditMode = MaintenanceState::Change;
      return;
    }
    if (maintenance.program.ui.messageBox("削除してよろしいですか", mb::OkCancel | mb::Exclamation, ProgramTitle) ==
        mb::Answer::Ok) {
      if (pairs.removePair(transaction, pairOfFields(maintenance.window)) == 0) {
        // The partner code belongs to another center, or the pair went meanwhile: nothing was deleted.
        transaction.rollback();
        maintenance.program.ui.messageBox(NoSuchDataMessage, mb::OkOnly | mb::Exclamation, ProgramTitle);
        status = StatusStop;
      } else {
        transaction.commit();
        // Reloaded only once the delete is stored: a commit that fails leaves the pair listed, as it still is.
        showFullListing(maintenance, status);
      }
    }
    SetRowHighlight(maintenance, RowHighlight::None);
    backToKeyArea(maintenance);
    state.EditMode = MaintenanceState::Change;
    // Cancelled: nothing was changed, and a session that has ended meanwhile is no failure of the operator's.
    if (transaction.isActive()) transaction.rollback();
  });
  if (!ranThrough) state.EditMode = MaintenanceState::Change;
}

}  // namespace mnt4820
