#include "app/SignedOnStart.h"

#include "app/Bas_MNT4820.h"
#include "screens/signon/RunSignOn.h"

namespace mnt4820 {

namespace {

constexpr int CancelledStatus = 1;

}  // namespace

void StartSignedOn(Program& program, MaintenanceScreen& maintenance, const std::string& programFolder) {
  using platform::ui::MousePointer;
  PrepareMainWindow(program, maintenance, StartupArguments{programFolder, {}});
  // The operator types into the sign-on dialog: the start-up's hourglass would tell them to wait.
  program.ui.setMousePointer(MousePointer::Arrow);
  program.operatorState = RunSignOn(program);
  if (program.operatorState.ResultCode != "00") {
    closeDatabaseAtEnd(program);
    program.ui.endProgram(CancelledStatus);
  }
  program.ui.setMousePointer(MousePointer::Hourglass);
  OpenMainWindow(program, maintenance);
}

}  // namespace mnt4820
