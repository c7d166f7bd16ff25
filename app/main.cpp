// The program's process: the Qt toolkit, the program-wide values, the entry procedure, the event loop.
#include "app/Bas_MNT4820.h"
#include "platform/qt/QtProgram.h"
#include "platform/system/ProcessInfo.h"

int main(int argc, char** argv) {
  platform::qt::QtProgram qt(argc, argv);
  platform::ui::Application application(qt.toolkit());
  mnt4820::Program program(application);
  const mnt4820::StartupArguments arguments{platform::programFolder().string(), platform::commandLineText(argc, argv)};
  // A start-up failure has shown its message and ended the program; an error no procedure traps is
  // reported by the toolkit and ends it with status 1.
  if (!qt.toolkit().guard(application, [&] { mnt4820::Main(program, arguments); })) return qt.toolkit().exitCode();
  return qt.exec();
}
