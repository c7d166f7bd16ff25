#pragma once

#include <cstdint>

#include "screens/signon/SignOnState.h"

namespace mnt4820 {

// The logic of the sign-on window `OPS22101` and the password-change window `OPS22102`. The checks follow the
// status convention: the caller sets 0, a check that refuses has shown its message, sets StatusStop and leaves the
// focus in the field to correct.

// Sign-on window.
// Looks up the trimmed OPCD in "FL0003担当者マスタ": its name into lbl_OPNM (as stored) and the working values.
void CheckOperatorCode(SignOnState& signOn, std::int16_t& status);
// The operator is looked up again (focus to OPCD when refused), then the trimmed PSWD must equal the trimmed
// stored password, case-sensitive and not empty.
void CheckSignOnPassword(SignOnState& signOn, std::int16_t& status);
// The check of the field at that tab position: OPCD or PSWD; any other position checks nothing.
void CheckSignOnField(SignOnState& signOn, int tabIndex, std::int16_t& status);
// Enter checks the field and moves on (from PSWD: signs on), Esc cancels, F5 opens the password change,
// Up and Down switch fields unchecked.
void SignOnKeyDown(SignOnState& signOn, std::int16_t keyCode);
// A field typed full is checked; a full OPCD moves on to PSWD, a full PSWD waits for Enter.
void SignOnKeyUp(SignOnState& signOn, std::int16_t keyCode);
// F5: both windows styled, the password window's header filled, OPCD and PSWD carried over, the new
// password fields emptied, the window shown without blocking the sign-on window.
void OpenPasswordChange(SignOnState& signOn);
// The sign-on window's background and the controls of both windows from the settings, by the rules of the
// main window's styling; the password window's own background keeps its design. A value that does not apply
// shows "項目設定エラー" and ends the program.
void StyleSignOnWindows(SignOnState& signOn);

}  // namespace mnt4820
