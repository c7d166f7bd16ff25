#pragma once

#include <cstdint>

#include "screens/maintenance/MaintenanceScreen.h"

namespace mnt4820 {

// Wires the main window's events to the screen's procedures; the window's load centres it.
void wireMainWindow(MaintenanceScreen& maintenance);

// The window's key-down, which sees every key before the focused control: Enter checks the field and moves on
// (on ATKCD after the save question), Esc leaves the area (the key area by closing the window), F2 arms a
// leave without the save question, F5 opens the code search, Up and Down move between the fields.
void HandleScreenKey(MaintenanceScreen& maintenance, std::int16_t keyCode, std::int16_t shiftState);

// The buttons CMD (0) search (key area only), (1) add, (2) delete (detail area only), (3) exit.
void HandleCommand(MaintenanceScreen& maintenance, std::int16_t index);

// F5: the center search into KCNTCD and lbl_KCNTNM, or into CNTCD and lbl_CNTNM; elsewhere nothing.
void StartCodeSearch(MaintenanceScreen& maintenance);

}  // namespace mnt4820
