#pragma once

#include <cstdint>

#include "screens/maintenance/MaintenanceScreen.h"
#include "screens/maintenance/check_field.h"

namespace mnt4820 {

// Checks CNTCD and ATKCD in turn; the first refused field gets the focus with its text selected.
void ValidateBody(MaintenanceScreen& maintenance, std::int16_t& status,
                  LookupFailure onLookupFailure = LookupFailure::Refuses);

// One transaction: in change mode the pair opened in the detail area is deleted, then the pair in the fields
// inserted.
// A failure rolls back and says so (StatusStop).
void SavePair(MaintenanceScreen& maintenance, std::int16_t& status);

// CMD (2): in one transaction, the partner code checked for existence, "削除してよろしいですか" and the pair in the
// fields deleted; the listing is reloaded once that is committed. OK and Cancel both return to the key area. A delete
// that finds no pair is rolled back with "該当データがありません".
void DeletePair(MaintenanceScreen& maintenance, std::int16_t& status);

}  // namespace mnt4820
