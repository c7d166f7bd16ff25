// The sign-on program's process: the sign-on dialog on the database of the EDI.ini two folders above, then
// the published operator values on standard output, one "Name=value" a line.
#include <iostream>

#include "app/SignOnStartup.h"
#include "platform/qt/QtProgram.h"
#include "platform/system/ProcessInfo.h"

int main(int argc, char** argv) {
  platform::qt::QtProgram qt(argc, argv);
  platform::ui::Application application(qt.toolkit());
  mnt4820::Program program(application);
  mnt4820::OperatorState signedOn;
  const auto run = [&] { signedOn = mnt4820::SignOnMain(program, platform::programFolder().string()); };
  if (!qt.toolkit().guard(application, run)) return qt.toolkit().exitCode();
  std::cout << "ResultCode=" << signedOn.ResultCode << "\nOperatorCode=" << signedOn.OperatorCode
            << "\nOperatorName=" << signedOn.OperatorName << "\nOperatorImeMode=" << signedOn.OperatorImeMode
            << "\nOperatorAuthority=" << signedOn.OperatorAuthority << '\n';
  return 0;
}
