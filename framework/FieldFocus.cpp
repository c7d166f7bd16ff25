#include "framework/FieldFocus.h"

#include <utility>

#include "platform/text/NumberConversion.h"
#include "platform/ui/TextBox.h"

namespace mnt4820 {

// The screen state is not needed to paint a field; the focus procedures take it like every other field
// procedure, so that every window wires them alike.
void OnFieldGotFocus(ScreenState&, const Settings& settings, platform::ui::TextBox& field) {
  PaintField(settings, field, FieldPaint::Focused);
  SelectAllText(field);
}

void OnFieldLostFocus(ScreenState&, const Settings& settings, platform::ui::TextBox& field) {
  PaintField(settings, field, FieldPaint::NotFocused);
}

void wireInputField(ScreenState& screen, const Settings& settings, platform::ui::TextBox& field, FieldKeyUp keyUp) {
  field.onGotFocus = [&screen, &settings, &field] { OnFieldGotFocus(screen, settings, field); };
  field.onLostFocus = [&screen, &settings, &field] { OnFieldLostFocus(screen, settings, field); };
  if (!keyUp) return;
  field.onKeyUp = [&field, keyUp = std::move(keyUp)](std::int16_t& keyCode, std::int16_t shiftState) {
    if (field.isEnabled()) keyUp(keyCode, shiftState);
  };
}

void PaintField(const Settings& settings, platform::ui::Control& field, FieldPaint paint) {
  const double color = paint == FieldPaint::Focused ? settings.TextFocusColor : settings.Text.BackColor;
  field.setBackColor(platform::toInteger32(color));
}

void SelectAllText(platform::ui::TextBox& field) {
  if (field.text().empty()) return;
  field.setSelStart(0);
  field.setSelLength(field.length());
}

}  // namespace mnt4820
