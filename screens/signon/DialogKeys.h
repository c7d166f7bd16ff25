#pragma once

#include <cstdint>
#include <functional>

#include "framework/FieldNavigation.h"
#include "framework/ScreenState.h"
#include "screens/signon/SignOnState.h"

namespace mnt4820 {

// A dialog's check of the field at a tab position (CheckSignOnField, CheckPasswordField) as the framework calls it.
using DialogFieldCheck = void (*)(SignOnState& signOn, int tabIndex, std::int16_t& status);
CheckFieldCallback fieldCheckOf(SignOnState& signOn, DialogFieldCheck check);

// Enter, Up and Down in a sign-on dialog, on the window's field table. Enter runs the check of the focused field:
// a refused value has the text of the field that has the focus by then selected again; an accepted one is left
// for the next field, or on the last field `complete` runs (signing on, storing the password). Up and Down move
// to the previous or next field around the table without any check. Other keys do nothing.
void dialogKeyDown(ScreenState& screen, std::int16_t keyCode, const CheckFieldCallback& check,
                   const std::function<void()>& complete);

}  // namespace mnt4820
