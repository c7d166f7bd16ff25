#pragma once

#include <optional>

#include "db/PairStore.h"
#include "platform/ui/SlicedTask.h"
#include "program/Program.h"
#include "screens/maintenance/MainWindowDesign.h"
#include "screens/maintenance/MaintenanceState.h"
#include "screens/search/COMMON_SEARCH_MSTDB.h"

namespace mnt4820 {

// The maintenance screen of one run: the main window `F_MNT4820` from its design, wired to the screen's
// procedures and made the program's current window; the screen's own state; the code search its F5 opens.
// The close question belongs to the entry, which wires it.
struct MaintenanceScreen {
  explicit MaintenanceScreen(Program& program);
  ~MaintenanceScreen();
  MaintenanceScreen(const MaintenanceScreen&) = delete;
  MaintenanceScreen& operator=(const MaintenanceScreen&) = delete;

  Program& program;
  F_MNT4820 window;
  MaintenanceState state;
  CodeSearch search;
  // The rest of a listing while it is read into the grid on the event loop.
  std::optional<PairListing> arrivingRows;
  platform::ui::SlicedTask arriving;
};

}  // namespace mnt4820
