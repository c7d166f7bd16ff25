#pragma once

#include <string>

#include "screens/signon/SignOnState.h"

namespace mnt4820 {

// The shared procedures that the sign-on dialogs use.

// Publishes the operator looked up last with ResultCode "00" and closes the sign-on window.
void AcceptSignOn(SignOnState& signOn);
// Publishes ResultCode "01" with an empty code and name and 0 for IME mode and authority, and closes the
// sign-on window.
void CancelSignOn(SignOnState& signOn);
// The password window's header: "OPS22102" and today's date.
void ShowPasswordHeader(SignOnState& signOn);

// The sign-on window's header: "OPS22101" and today's date.
void showSignOnHeader(SignOnState& signOn);
// The published values of a cancelled sign-on, without closing anything.
void publishCancelledSignOn(Program& program);

}  // namespace mnt4820
