// The sign-on program's process: the sign-on dialog on the database of the EDI.ini two folders above, then
// the published operator values on standard output, one "Name=value" a line.
#include <iostream>

#include "app/SignOnStartup.h"
#include "platform/qt/QtProgram.h"
#include "platform/system/ProcessInfo.h"

int main(int, char** argv) {
  platform::qt::QtProgram qt(argv[0], mnt4820::ProgramTitle);
  platform::ui::Application application(qt.toolkit());
  mnt4820::Program program(application);
  mnt4820::OperatorState signedOn;
  const auto run = [&] { signedOn = mnt4820::SignOnMain(program, platform::programFolder().string()); };
  if (!qt.toolkit().guard(application, run)) return qt.toolkit().exitCode();
  publishOperatorValues(std::cout, signedOn);
  return 0;
}
