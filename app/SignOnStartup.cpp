#include "app/SignOnStartup.h"

#include <exception>

#include "app/StartupStep.h"
#include "config/SettingsReader.h"
#include "db/QueryOperations.h"
#include "program/FixedMessages.h"
#include "screens/signon/RunSignOn.h"

namespace mnt4820 {

OperatorState SignOnMain(Program& program, const std::string& programFolder) {
  runStartupStep(program, "LoadDbSettings", SettingsReadFailedMessage,
                 [&] { program.settings.db = LoadDbSettings(programFolder); });
  runStartupStep(program, "ConnectDatabase", ConnectFailedMessage,
                 [&] { ConnectDatabase(program.database, program.settings.db); });
  runStartupStep(program, "LoadSettings", SettingsReadFailedMessage,
                 [&] { LoadSettings(programFolder, program.settings); });
  const OperatorState signedOn = RunSignOn(program);
  // Nothing is left to save: a driver that refuses to disconnect changes nothing for the operator.
  try {
    CloseDatabase(program.database);
  } catch (const std::exception&) {
  }
  return signedOn;
}

}  // namespace mnt4820
