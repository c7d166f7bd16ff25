#pragma once

#include "program/Program.h"

namespace mnt4820 {

// Signs an operator on: creates both sign-on windows (setting `SignOnWindow` and `PasswordWindow`), writes
// the sign-on window's header ("OPS22101", today's date), shows `OPS22101` modally and, once it has closed,
// returns the published values: ResultCode "00" with the operator's code, name, IME mode and authority, or
// "01" with empty values. A window closed in any other way than by signing on or Esc counts as cancelled.
// Needs the settings loaded and the database connected.
OperatorState RunSignOn(Program& program);

}  // namespace mnt4820
