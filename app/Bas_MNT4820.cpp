#include "app/Bas_MNT4820.h"

#include <exception>

#include "config/SettingsReader.h"
#include "db/DatabaseSession.h"
#include "framework/Conventions.h"
#include "framework/WindowStyle.h"
#include "platform/text/CodePage.h"
#include "platform/text/NumberConversion.h"
#include "profile/cProfile.h"
#include "program/ErrorReport.h"
#include "program/FixedMessages.h"
#include "program/StartupStep.h"
#include "screens/maintenance/ListingFill.h"
#include "screens/maintenance/ScreenStates.h"

namespace mnt4820 {

void InitApplication(Program& program, const StartupArguments& arguments) {
  const std::string& folder = arguments.programFolder;
  runStartupStep(program, "LoadDbSettings", SettingsReadFailedMessage,
                 [&] { program.settings.db = LoadDbSettings(folder); });
  // The computer name would name the database environment; ODBC environments carry no name, so the profile
  // is read in its place in the order and its name is not kept.
  LoadProfile();
  // An administrator must learn which data source, named in which settings file, could not be reached.
  const std::string where = "ConnectDatabase (data source \"" + platform::trimBlanks(program.settings.db.DbString) +
                            "\" named in " + settingsFile(folder).string() + ")";
  runStartupStep(program, where.c_str(), ConnectFailedMessage,
                 [&] { ConnectDatabase(program.database, program.settings.db); });
  runStartupStep(program, "LoadSettings", SettingsReadFailedMessage, [&] { LoadSettings(folder, program.settings); });
  runStartupStep(program, "ApplyWindowStyle", StylingFailedMessage,
                 [&] { ApplyWindowStyle(program.screen, program.settings); });
}

void TakeOperatorCode(Program& program, const std::string& commandLine) {
  runStartupStep(program, "TakeOperatorCode", "オペレータ入力エラー", [&] {
    program.operatorState.ResultCode = "00";
    program.operatorState.OperatorCode = platform::trimBlanks(commandLine);
  });
}

bool ConfirmExit(Program& program) {
  using namespace platform::ui;
  const mb::Answer answer =
      program.ui.messageBox("終了してもよろしいですか", mb::YesNo | mb::Exclamation | mb::DefaultButton2, ProgramTitle);
  if (answer == mb::Answer::Yes) {
    closeDatabaseAtEnd(program);
    program.ui.endProgram(0);
  }
  const Color back = platform::toInteger32(program.settings.Text.BackColor);
  const FieldTable& fields = program.screen.fields;
  for (std::int16_t i = 1; i < fields.FieldCount; ++i) fields.FieldControls(i).setBackColor(back);
  return true;
}

void closeDatabaseAtEnd(Program& program) {
  try {
    CloseDatabase(program.database);
  } catch (const std::exception& error) {
    reportCaughtError("CloseDatabase", error);
  }
}

void PrepareMainWindow(Program& program, MaintenanceScreen& maintenance, const StartupArguments& arguments) {
  program.ui.setMousePointer(platform::ui::MousePointer::Hourglass);
  // Every close request (close box, exit command, Esc in the key area) is decided by the exit question.
  maintenance.window.form->onQueryUnload = [&program](bool& cancel) { cancel = ConfirmExit(program); };
  InitApplication(program, arguments);
}

void OpenMainWindow(Program& program, MaintenanceScreen& maintenance) {
  InitScreen(maintenance);
  std::int16_t status = StatusGoOn;
  std::optional<PairListing> listing;
  QueryListing(maintenance, listing, status);
  // The window shows with the first rows; the rest arrives while the operator works.
  if (status != StatusStop) FillGrid(maintenance, listing);
  ShowHeader(maintenance);
  maintenance.window.form->show(platform::ui::ShowMode::Modeless);
  program.ui.setMousePointer(platform::ui::MousePointer::Arrow);
}

void Main(Program& program, MaintenanceScreen& maintenance, const StartupArguments& arguments) {
  PrepareMainWindow(program, maintenance, arguments);
  OpenMainWindow(program, maintenance);
  TakeOperatorCode(program, arguments.commandLine);
  ShowHeader(maintenance);
}

}  // namespace mnt4820
