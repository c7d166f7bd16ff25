#pragma once

#include "framework/ScreenState.h"

namespace mnt4820 {

// Counts and clears the fields of `CurrentForm`: FieldCount becomes the number of its text boxes; every text box
// and every label whose trimmed name begins with "lbl_" is emptied (header labels included: a screen writes its
// fixed texts again afterwards). The field table's columns are not touched: the screen sizes them when it
// registers its fields.
void ClearScreen(ScreenState& screen);

}  // namespace mnt4820
