#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "framework/ScreenState.h"
#include "platform/ui/TextBox.h"

namespace mnt4820 {

// The screen's field check, called when a full field is left automatically: formats and checks the value of
// the field in `row` and sets `status` to StatusStop when it refuses it (it has then shown its message).
using CheckFieldCallback = std::function<void(std::int16_t row, std::int16_t& status)>;

// A field is eligible when it is enabled, visible and (a text box) not locked, read at the moment of the test.

// Moves the focus forward to the next eligible field, wrapping to row 0 after the last row. Enter (13) and
// Down (40) always move; any other key only while the current field is empty or wholly selected. Does
// nothing when the focus is on no field of the table.
void NextField(ScreenState& screen, std::int16_t keyCode);

// Moves the focus back to the nearest eligible field before the current one (from row 0 the search starts at
// the last row, and it never wraps past row 0); only while the current field is empty or wholly selected.
// The key code is not used. Does nothing when the focus is on no field of the table (the grid).
void PreviousField(ScreenState& screen, std::int16_t keyCode);

// Moves the focus back to the nearest eligible field before the current one, from row 0 around to the last row,
// whatever the current field holds: the sign-on dialogs' Up key. Does nothing when the focus is on no field.
void PreviousFieldAround(ScreenState& screen);

// Runs the screen's check of the field in `row`; when it refuses the value, the text of the field that has the
// focus by then (the check may have moved it) is selected again. Whether the value was accepted.
bool fieldAccepted(ScreenState& screen, int row, const CheckFieldCallback& checkField);

// Whether the release of this key may leave a full field: not the movement keys, Enter, Esc, Shift or Ctrl,
// which have their own meaning or type nothing.
bool mayAutoAdvanceOn(std::int16_t keyCode);

// Whether a field is typed full: as many characters as its MaxLength (never a field without one), and the caret
// at the end, the whole text selected or its last character selected (typing over it).
bool isTypedFull(const platform::ui::TextBox& field);

// Run on the release of a key in a field: a field typed full is checked through `checkField` and, when the
// check accepts it, left as by Enter; when the check refuses it, its text is selected again.
void AutoAdvance(ScreenState& screen, std::int16_t keyCode, std::int16_t shiftState,
                 const CheckFieldCallback& checkField);

// The sign-on dialogs' form of leaving a full field, run on the release of a key in a field of a visible window:
// nothing is cut, a field typed full is checked through `checkField` whatever the shift state, a refused one has
// its text selected again, and an accepted one is left as by Enter unless it is the last row (that one waits for
// the operator's Enter).
void LeaveFullField(ScreenState& screen, std::int16_t keyCode, const CheckFieldCallback& checkField);

// Enables exactly the fields of `area` and disables all others.
void EnableFieldsForArea(ScreenState& screen, Area area);

}  // namespace mnt4820
