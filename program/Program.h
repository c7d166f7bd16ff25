#pragma once

#include <cstdint>
#include <string>

#include "config/Settings.h"
#include "db/DatabaseSession.h"
#include "framework/ScreenState.h"
#include "platform/ui/Application.h"

namespace mnt4820 {

// Who works with the program: from the command line, or from the sign-on.
struct OperatorState {
  std::string OperatorCode;
  std::string OperatorName;
  std::string ResultCode;
  std::int16_t OperatorImeMode = 0;
  std::int16_t OperatorAuthority = 0;
};

// The program-wide values of one run. Each module owns the type of its part (settings, database session,
// screen state); this bundle sits above them so that every screen and the entry can share one run's values.
struct Program {
  explicit Program(platform::ui::Application& application) : ui(application) {}

  platform::ui::Application& ui;
  Settings settings;
  DatabaseSession database;
  ScreenState screen;
  OperatorState operatorState;
};

// The program's title on every message box.
inline constexpr const char* ProgramTitle = "MNT4820";

}  // namespace mnt4820
