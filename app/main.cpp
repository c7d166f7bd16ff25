// The program's process entry: the Qt toolkit, the program-wide values, the entry procedure, the event loop.
#include <exception>

#include "app/Bas_MNT4820.h"
#include "platform/qt/QtToolkit.h"
#include "platform/system/ProcessInfo.h"
#include "platform/ui/UiError.h"

int main(int argc, char** argv) {
  platform::qt::QtToolkit toolkit(argc, argv);
  platform::ui::Application application(toolkit);
  mnt4820::Program program(application);
  try {
    mnt4820::Main(program, {platform::programFolder().string(), platform::commandLineText(argc, argv)});
  } catch (const platform::ui::ProgramEnded& ended) {
    return ended.exitCode();
  } catch (const std::exception& error) {
    // An error that no procedure traps ends the program with a report of it.
    toolkit.reportUnhandledError(error.what());
    return 1;
  }
  return toolkit.exec();
}
