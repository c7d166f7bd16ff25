#pragma once

#include <cstdint>

#include "screens/signon/SignOnState.h"

namespace mnt4820 {

// The logic of the password-change window `OPS22102`, with the status convention of the sign-on window's checks.

// CheckOperatorCode on this window: the name trimmed into its lbl_OPNM, focus to OPCD when refused.
void CheckChangeOperatorCode(SignOnState& signOn, std::int16_t& status);
// The trimmed PSWD against the password of the operator looked up last (an empty one passes an empty one).
void CheckOldPassword(SignOnState& signOn, std::int16_t& status);
void CheckNewPassword(SignOnState& signOn, std::int16_t& status);
// A confirmation other than the new password empties both fields.
void CheckConfirmation(SignOnState& signOn, std::int16_t& status);
void CheckPasswordField(SignOnState& signOn, int tabIndex, std::int16_t& status);
// Enter checks the field and moves on (from KAKUNIN: stores), Esc closes, Up and Down cycle unchecked.
void PasswordKeyDown(SignOnState& signOn, std::int16_t keyCode);
void PasswordKeyUp(SignOnState& signOn, std::int16_t keyCode);
// All four checks, then the new password as typed into the operator's row in one transaction, and the window
// closed. A failed update, or one that changed no row, is rolled back with "更新時にｴﾗｰがあった為,ﾃﾞｰﾀの更新は
// 中止しました" and leaves the window open with what was typed.
void StoreNewPassword(SignOnState& signOn);

}  // namespace mnt4820
