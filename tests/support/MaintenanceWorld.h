#pragma once

#include <cstdint>

#include "config/Settings.h"
#include "db/QueryOperations.h"
#include "framework/Conventions.h"
#include "screens/maintenance/ListingFill.h"
#include "screens/maintenance/MaintenanceScreen.h"
#include "screens/maintenance/ScreenStates.h"

namespace mnt4820::test {

// The main window as the start-up brings it up, less the settings files: connected, set up, the full listing in
// the grid, headed and shown.
inline void openMainWindow(MaintenanceScreen& maintenance, const DbSettings& db) {
  ConnectDatabase(maintenance.program.database, db);
  InitScreen(maintenance);
  std::int16_t status = StatusGoOn;
  showFullListing(maintenance, status);
  ShowHeader(maintenance);
  maintenance.window.form->show();
}

}  // namespace mnt4820::test
