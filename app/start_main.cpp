// The process of the desktop's start-up: the operator signs on first, then works in the main window.
#include <optional>

#include "app/MomentTrace.h"
#include "app/SignedOnStart.h"
#include "platform/qt/QtProgram.h"
#include "platform/system/ProcessInfo.h"

int main(int, char** argv) {
  platform::qt::QtProgram qt(argv[0], mnt4820::ProgramTitle);
  platform::ui::Application application(qt.toolkit());
  mnt4820::Program program(application);
  mnt4820::traceMomentsWhenAsked(application);
  // The main window's screen lives for the whole run.
  std::optional<mnt4820::MaintenanceScreen> maintenance;
  const auto start = [&] {
    mnt4820::StartSignedOn(program, maintenance.emplace(program), platform::programFolder().string());
  };
  // A cancelled sign-on or a start-up failure has ended the program; an error no procedure traps is reported
  // by the toolkit and ends it with status 1.
  if (!qt.toolkit().guard(application, start)) return qt.toolkit().exitCode();
  return qt.exec();
}
