#include "app/SignOnStartup.h"

#include <exception>

#include "config/SettingsReader.h"
#include "db/QueryOperations.h"
#include "program/ErrorReport.h"
#include "screens/signon/RunSignOn.h"

namespace mnt4820 {

namespace {

constexpr int FailureStatus = 1;

template <class Step>
void runStep(Program& program, const char* step, const char* message, Step&& run) {
  try {
    run();
  } catch (const std::exception& error) {
    reportCaughtError(step, error);
    program.ui.messageBox(message, platform::ui::mb::OkOnly, ProgramTitle);
    program.ui.endProgram(FailureStatus);
  }
}

}  // namespace

OperatorState SignOnMain(Program& program, const std::string& programFolder) {
  runStep(program, "LoadDbSettings", "INIﾌｧｲﾙ読込エラー", [&] { program.settings.db = LoadDbSettings(programFolder); });
  runStep(program, "ConnectDatabase", "接続エラー", [&] { ConnectDatabase(program.database, program.settings.db); });
  runStep(program, "LoadSettings", "INIﾌｧｲﾙ読込エラー", [&] { LoadSettings(programFolder, program.settings); });
  const OperatorState signedOn = RunSignOn(program);
  // Nothing is left to save: a driver that refuses to disconnect changes nothing for the operator.
  try {
    CloseDatabase(program.database);
  } catch (const std::exception&) {
  }
  return signedOn;
}

}  // namespace mnt4820
