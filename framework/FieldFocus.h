#pragma once

#include "config/Settings.h"
#include "framework/ScreenState.h"
#include "platform/ui/Control.h"

namespace mnt4820 {

enum class FieldPaint { Focused, NotFocused };

// Got focus of a text field: painted with TextFocusColor, then its whole text selected.
void OnFieldGotFocus(ScreenState& screen, const Settings& settings, platform::ui::Control& field);
// Lost focus of a text field: painted with TextBackColor (Text.BackColor) again.
void OnFieldLostFocus(ScreenState& screen, const Settings& settings, platform::ui::Control& field);

// BackColor := TextFocusColor when focused, TextBackColor when not.
void PaintField(const Settings& settings, platform::ui::Control& field, FieldPaint paint);

// Selects the whole text of a text box (SelStart 0, SelLength the whole text); an empty text box and a
// control without a text selection are left untouched.
void SelectAllText(platform::ui::Control& field);

}  // namespace mnt4820
