#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "db/PairStore.h"
#include "framework/Conventions.h"

namespace mnt4820 {

// The maintenance screen's state values, beside the framework's ScreenState.
struct MaintenanceState {
  // What a save in the detail area does: change the listed pair, add, or (while it runs) delete.
  enum Mode : std::int16_t { Change, Add, Delete };

  Mode EditMode = Change;
  // Whether leaving the detail area with Esc asks to save.
  bool ConfirmOnLeave = false;
  // False only while a fill of the listing runs (one that fails part-way ends it too): row changes during a fill
  // are not shown.
  bool GridLoaded = false;
  // Data rows of the listing: 32-bit, as the listing has no row limit.
  std::int32_t GridRowCount = 0;
  // The pair last shown in the detail area: the one a change replaces, wherever the grid's current row has moved
  // since (a reload leaves it on the last row).
  std::optional<PairKey> OpenedPair;
};

}  // namespace mnt4820
