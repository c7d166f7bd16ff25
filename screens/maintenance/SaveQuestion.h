#pragma once

#include <cstdint>

#include "screens/maintenance/MaintenanceScreen.h"

namespace mnt4820 {

// Enter on ATKCD: both fields checked again, then "この内容で更新しますか". Yes saves, reloads the listing and
// returns to the key area (status: that of the reload); No drops the entry; Cancel keeps it.
void ConfirmAndSave(MaintenanceScreen& maintenance, std::int16_t& status);

// Esc in the detail area: the first time after start-up or F2 it leaves without a question (and arms the
// question for the next time); otherwise as ConfirmAndSave.
void LeaveBody(MaintenanceScreen& maintenance, std::int16_t& status);

}  // namespace mnt4820
