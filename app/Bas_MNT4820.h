#pragma once

#include <string>

#include "program/Program.h"
#include "screens/maintenance/MaintenanceScreen.h"

namespace mnt4820 {

// Where the program was started from and with what.
struct StartupArguments {
  std::string programFolder;
  std::string commandLine;
};

// The entry procedure: brings the program up in its fixed order and shows the main window of `maintenance`,
// which the caller keeps for the whole run. Every start-up failure shows its message and ends the program
// (platform::ui::ProgramEnded with a non-zero status).
void Main(Program& program, MaintenanceScreen& maintenance, const StartupArguments& arguments);

// Main's steps before the operator is known: the hourglass, the main window's close requests sent to
// ConfirmExit, InitApplication. The window is styled but not shown.
void PrepareMainWindow(Program& program, MaintenanceScreen& maintenance, const StartupArguments& arguments);

// Main's steps that open the main window: InitScreen, the first listing, the header, the window shown, the
// arrow pointer.
void OpenMainWindow(Program& program, MaintenanceScreen& maintenance);

// Settings, workstation profile, database connection, colours and fonts, window styling.
void InitApplication(Program& program, const StartupArguments& arguments);

// The operator code is the command-line text without blanks around it.
void TakeOperatorCode(Program& program, const std::string& commandLine);

// Asked for every close request of the main window; returns true to keep the window open. On Yes the
// database is closed and the program ends with status 0.
bool ConfirmExit(Program& program);

// Closes the database as the program ends: every change is committed or rolled back by then, so a driver that
// refuses to disconnect is only reported on standard error.
void closeDatabaseAtEnd(Program& program);

}  // namespace mnt4820
