#pragma once

#include <cstdint>

#include "screens/maintenance/MaintenanceScreen.h"

namespace mnt4820 {

// Brings the main window into its initial state: fields and "lbl_" labels emptied, the three fields
// registered, key area active with only KCNTCD enabled, change mode, key-area buttons.
void InitScreen(MaintenanceScreen& maintenance);

// Fills the field table with KCNTCD (key area), CNTCD and ATKCD (detail area), all "2U" without a format,
// and gives each field its row as TabIndex. Runs right after ClearScreen has counted the fields.
void RegisterFields(MaintenanceScreen& maintenance);

// The detail area opened: its fields enabled but for CNTCD, which a change keeps, and its buttons.
void enterDetailArea(MaintenanceScreen& maintenance);

// The add state: fields and names emptied, detail-area buttons without delete, add mode, focus on CNTCD.
// The caller has opened the detail area.
void EnterAddMode(MaintenanceScreen& maintenance);

// The key area again: fields and "lbl_" labels emptied, the header written, only KCNTCD enabled, key-area
// buttons.
void backToKeyArea(MaintenanceScreen& maintenance);

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

}  // namespace mnt4820
