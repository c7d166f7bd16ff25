#pragma once

#include <cstdint>

#include "framework/ScreenState.h"

namespace mnt4820 {

// The keystroke filter of the text fields, run from their key-press events with the typed character's
// signed 16-bit CP932 code (a double-byte character is one negative code). On return the code is unchanged
// (accepted), case-folded, or 0 (dropped). The attribute code of the active field's row decides:
//   "1…"  everything;                 "2…"  everything but ' " and comma; "…U" folds a-z up, "…L" A-Z down;
//   "3"   digits;                     "4"   digits, one "-";              "5"  digits, one ".";
//   "6"   digits, ",";                "7"   digits, one "-", one ".";     "8"  digits, one "-", ",";
//   "9"   digits, one ".", ",";       "A"   digits, one "-", ",", one ".";
//   "B"   "/" and digits;             "C"   digits and ":";               "D"  "/", digits and ":";
//   any other code: everything. An empty code counts as "2" and is stored as "2".
// Backspace and Enter always pass. A character CP932 cannot represent passes only the codes beginning with
// "1": anywhere else it could never be stored in the database.
// The focus must be on a registered field (FieldTableError otherwise).
void FilterKeystroke(ScreenState& screen, std::int16_t& charCode);

// Drops a "-" (sets the code to 0) when the active field's text already holds one anywhere, the selected
// part included.
void AllowOneMinus(const ScreenState& screen, std::int16_t& charCode);
// The same for ".".
void AllowOnePoint(const ScreenState& screen, std::int16_t& charCode);

}  // namespace mnt4820
