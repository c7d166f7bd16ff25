#pragma once

#include <cstdint>
#include <functional>

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

// What the release of a key in an input field does (key code, shift state).
using FieldKeyUp = std::function<void(std::int16_t keyCode, std::int16_t shiftState)>;

// The events that every input field of a window shares: OnFieldGotFocus and OnFieldLostFocus, and `keyUp` (when
// given) for a key released in the field while it is enabled, however the toolkit delivers the release.
void wireInputField(ScreenState& screen, const Settings& settings, platform::ui::TextBox& field, FieldKeyUp keyUp);

// BackColor := TextFocusColor when focused, TextBackColor when not.
void PaintField(const Settings& settings, platform::ui::Control& field, FieldPaint paint);

// Selects the whole text of a text box (SelStart 0, SelLength the whole text); an empty text box is left
// untouched.
void SelectAllText(platform::ui::TextBox& field);

}  // namespace mnt4820
