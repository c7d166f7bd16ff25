#include "app/SignOnStartup.h"

#include "app/Bas_MNT4820.h"
#include "config/SettingsReader.h"
#include "db/DatabaseSession.h"
#include "program/FixedMessages.h"
#include "program/StartupStep.h"
#include "screens/signon/RunSignOn.h"

namespace mnt4820 {

namespace {

// `value` with each C0 and C1 control character, DEL, and U+2028 and U+2029 (UTF-8) replaced by a blank.
std::string oneLine(const std::string& value) {
  std::string line;
  line.reserve(value.size());
  for (std::size_t i = 0; i < value.size(); ++i) {
    const auto byte = static_cast<unsigned char>(value[i]);
    const auto next = [&](std::size_t k) {
      return i + k < value.size() ? static_cast<unsigned char>(value[i + k]) : 0;
    };
    if (byte < 0x20 || byte == 0x7F) {
      line += ' ';
    } else if (byte == 0xC2 && next(1) >= 0x80 && next(1) <= 0x9F) {
      line += ' ';
      i += 1;
    } else if (byte == 0xE2 && next(1) == 0x80 && (next(2) == 0xA8 || next(2) == 0xA9)) {
      line += ' ';
      i += 2;
    } else {
      line += value[i];
    }
  }
  return line;
}

}  // namespace

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

void publishOperatorValues(std::ostream& out, const OperatorState& signedOn) {
  out << "ResultCode=" << oneLine(signedOn.ResultCode) << "\nOperatorCode=" << oneLine(signedOn.OperatorCode)
      << "\nOperatorName=" << oneLine(signedOn.OperatorName) << "\nOperatorImeMode=" << signedOn.OperatorImeMode
      << "\nOperatorAuthority=" << signedOn.OperatorAuthority << '\n';
}

}  // namespace mnt4820
