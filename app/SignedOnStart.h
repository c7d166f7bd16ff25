#pragma once

#include <string>

#include "program/Program.h"
#include "screens/maintenance/MaintenanceScreen.h"

namespace mnt4820 {

// The entry procedure of the start-up that signs the operator on (the desktop's way in): the program's own
// start-up up to the styled main window, then the sign-on dialog on the same database connection. Only an
// operator who signs on ("00") gets the main window, opened as Main opens it, with the code and name from the
// sign-on in its header. A cancelled sign-on closes the connection and ends the program with status 1 before
// the main window is ever shown.
void StartSignedOn(Program& program, MaintenanceScreen& maintenance, const std::string& programFolder);

}  // namespace mnt4820
