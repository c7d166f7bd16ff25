// The program's process: the Qt toolkit, the program-wide values, the entry procedure, the event loop.
#include <optional>

#include "app/Bas_MNT4820.h"
#include "app/MomentTrace.h"
#include "platform/qt/QtProgram.h"
#include "platform/system/ProcessInfo.h"

int main(int argc, char** argv) {
  platform::qt::QtProgram qt(argv[0], mnt4820::ProgramTitle);
  platform::ui::Application application(qt.toolkit());
  mnt4820::Program program(application);
  mnt4820::traceMomentsWhenAsked(application);
  const mnt4820::StartupArguments arguments{platform::programFolder().string(), platform::commandLineText(argc, argv)};
  // The main window's screen lives for the whole run.
  std::optional<mnt4820::MaintenanceScreen> maintenance;
  // A start-up failure has shown its message and ended the program; an error no procedure traps is
  // reported by the toolkit and ends it with status 1.
  const auto run = [&] { mnt4820::Main(program, maintenance.emplace(program), arguments); };
  if (!qt.toolkit().guard(application, run)) return qt.toolkit().exitCode();
  return qt.exec();
}
