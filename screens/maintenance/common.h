#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "platform/odbc/ResultSet.h"
#include "platform/ui/ListGrid.h"
#include "screens/maintenance/MaintenanceScreen.h"

namespace mnt4820 {

// Brings the main window into its initial state: fields and "lbl_" labels emptied, the three fields
// registered, key area active with only KCNTCD enabled, change mode, key-area buttons.
void InitScreen(MaintenanceScreen& maintenance);

// Fills the field table with KCNTCD (key area), CNTCD and ATKCD (detail area), all "2U" without a format,
// and gives each field its row as TabIndex. Runs right after ClearScreen has counted the fields.
void RegisterFields(MaintenanceScreen& maintenance);

// Opens the full listing of the center-user pairs (listed only when their center exists), ordered by center
// and partner code; StatusStop when the query fails (no message to the operator).
void QueryListing(MaintenanceScreen& maintenance, std::optional<platform::odbc::ResultSet>& resultSet,
                  std::int16_t& status);

// Opens the listing of one center, the key bound as a parameter. Errors pass to the caller.
void QueryCenterListing(MaintenanceScreen& maintenance, const std::string& centerCode,
                        std::optional<platform::odbc::ResultSet>& resultSet);

// The full listing queried and put into the grid, as after every change; a failed query leaves the grid as it
// was (StatusStop).
void showFullListing(MaintenanceScreen& maintenance, std::int16_t& status);

// Puts an open listing into the grid: titles, widths, one row per pair with its three cells trimmed. The grid
// is filled in one pass and its views hear of it once. A fill without rows leaves the old rows, emptied.
void FillGrid(MaintenanceScreen& maintenance, platform::odbc::ResultSet& resultSet);

// The same for the window about to show: a screenful at least now, the rest read in slices on the event loop
// while the operator works (the listing is taken over and closed at its end). GridLoaded is true from the first
// part on; a fill started meanwhile (a narrowing, a reload) replaces what is still arriving.
void fillGridWhileShown(MaintenanceScreen& maintenance, std::optional<platform::odbc::ResultSet>& listing);

// Copies the grid's current row into CNTCD, lbl_CNTNM and ATKCD; change mode. A row that holds no pair is not
// copied, so that no way into the change state can offer a pair with an empty center code.
void ShowGridRow(MaintenanceScreen& maintenance);

enum class RowHighlight { CurrentRow, None };
// Refreshes the grid and highlights its current row or nothing.
void SetRowHighlight(MaintenanceScreen& maintenance, RowHighlight highlight);

// The header line: screen identifier, operator caption, operator code and name, today's date.
void ShowHeader(MaintenanceScreen& maintenance);

// Which area's buttons are enabled.
enum class CommandSet { KeyArea, DetailArea };
void SetCommandState(MaintenanceScreen& maintenance, CommandSet commands);

// Checks CNTCD and ATKCD in turn; the first refused field gets the focus with its text selected.
void ValidateBody(MaintenanceScreen& maintenance, std::int16_t& status);

// The add state: fields and names emptied, detail-area buttons without delete, add mode, focus on CNTCD.
// The caller has opened the detail area.
void EnterAddMode(MaintenanceScreen& maintenance);

// Enter on ATKCD: both fields checked again, then "この内容で更新しますか". Yes saves, reloads the listing and
// returns to the key area (status: that of the reload); No drops the entry; Cancel keeps it.
void ConfirmAndSave(MaintenanceScreen& maintenance, std::int16_t& status);

// Esc in the detail area: the first time after start-up or F2 it leaves without a question (and arms the
// question for the next time); otherwise as ConfirmAndSave.
void LeaveBody(MaintenanceScreen& maintenance, std::int16_t& status);

// One transaction: in change mode the pair opened in the detail area is deleted, then the pair in the fields
// inserted.
// A failure rolls back and says so (StatusStop).
void SavePair(MaintenanceScreen& maintenance, std::int16_t& status);

// CMD (2): in one transaction, the partner code checked for existence, "削除してよろしいですか" and the pair in the
// fields deleted; the listing is reloaded once that is committed. OK and Cancel both return to the key area. A delete
// that finds no pair is rolled back with "該当データがありません".
void DeletePair(MaintenanceScreen& maintenance, std::int16_t& status);

// The key area again: fields and "lbl_" labels emptied, the header written, only KCNTCD enabled, key-area
// buttons.
void backToKeyArea(MaintenanceScreen& maintenance);
// Whether a grid row holds a pair: the empty row of an empty listing, or a row emptied by a fill that found
// nothing, does not.
bool rowHoldsPair(const platform::ui::ListGrid& grid, int row);

}  // namespace mnt4820
