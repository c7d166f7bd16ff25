#pragma once

#include <cstdint>

#include "screens/maintenance/MaintenanceScreen.h"

namespace mnt4820 {

// The check of a field when it is left by Enter or when it fills up: its value is formatted, its own check
// runs (KCNTCD: SearchByCenter, CNTCD: CheckCenterCode, ATKCD: CheckPartnerCode), and its text is selected
// again whatever the result. StatusStop = refused or the focus has been placed.
// What a check does when it cannot ask the database: refuse the value with "検索エラー" (StatusStop), or throw, inside
// a change whose own trap rolls back first and then says so.
enum class LookupFailure { Refuses, Throws };
void CheckField(MaintenanceScreen& maintenance, std::int16_t row, std::int16_t& status,
                LookupFailure onLookupFailure = LookupFailure::Refuses);

// The check of KCNTCD: narrows the listing to the center typed (or takes the first row shown when the key is
// empty) and opens the detail area on its first pair. Always StatusStop, as it places the focus itself.
void SearchByCenter(MaintenanceScreen& maintenance, std::int16_t& status);

// The check of CNTCD, in add mode only (other modes leave the status alone): the center must be entered and
// registered in the EDI control master; its name goes into lbl_CNTNM.
void CheckCenterCode(MaintenanceScreen& maintenance, std::int16_t& status);

// The check of ATKCD: it must be entered; in delete mode it must exist, in the other modes it must not be
// used by any center yet (in change mode not even by the pair being changed).
void CheckPartnerCode(MaintenanceScreen& maintenance, std::int16_t& status, LookupFailure onLookupFailure);

}  // namespace mnt4820
