#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "db/PairStore.h"
#include "platform/ui/ListGrid.h"
#include "screens/maintenance/MaintenanceScreen.h"

namespace mnt4820 {

// Opens the full listing of the center-user pairs (listed only when their center exists), ordered by center
// and partner code; StatusStop when the query fails (no message to the operator).
void QueryListing(MaintenanceScreen& maintenance, std::optional<PairListing>& resultSet, std::int16_t& status);

// Opens the listing of one center, the key bound as a parameter. Errors pass to the caller.
void QueryCenterListing(MaintenanceScreen& maintenance, const std::string& centerCode,
                        std::optional<PairListing>& resultSet);

// The full listing queried and put into the grid, as after every change; a failed query leaves the grid as it
// was (StatusStop).
void showFullListing(MaintenanceScreen& maintenance, std::int16_t& status);

// Puts an open listing into the grid: titles, widths, one row per pair with its three cells trimmed. A
// screenful at least, and the rest of the listing's page already read, is in the grid on return; the rest is read
// in slices on the event loop while the operator works (the listing is taken over and let go at its end). Row
// changes are not handled during a part of the fill; GridLoaded is true from the first part on. A fill started
// meanwhile (a narrowing, a reload) replaces what is still arriving. A fill without rows leaves the old rows,
// emptied.
void FillGrid(MaintenanceScreen& maintenance, std::optional<PairListing>& listing);

// Whether a grid row holds a pair: the empty row of an empty listing, or a row emptied by a fill that found
// nothing, does not.
bool rowHoldsPair(const platform::ui::ListGrid& grid, int row);

}  // namespace mnt4820
