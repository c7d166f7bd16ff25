#include "app/SignOnStartup.h"

#include "app/Bas_MNT4820.h"
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
  closeDatabaseAtEnd(program);
  return signedOn;
}

}  // namespace mnt4820
