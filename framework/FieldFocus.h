#pragma once

#include "config/Settings.h"
#include "framework/ScreenState.h"
#include "platform/ui/Control.h"
#include "platform/ui/TextBox.h"

namespace mnt4820 {

enum class FieldPaint { Focused, NotFocused };

// Got focus of a text field: painted with TextFocusColor, then its whole text selected.
void OnFieldGotFocus(ScreenState& screen, const Settings& settings, platform::ui::TextBox& field);
// Lost focus of a text field: painted with TextBackColor (Text.BackColor) again.
void OnFieldLostFocus(ScreenState& screen, const Settings& settings, platform::ui::TextBox& field);

// BackColor := TextFocusColor when focused, TextBackColor when not.
void PaintField(const Settings& settings, platform::ui::Control& field, FieldPaint paint);

// Selects the whole text of a text box (SelStart 0, SelLength the whole text); an empty text box is left
// untouched.
void SelectAllText(platform::ui::TextBox& field);

}  // namespace mnt4820
