#include "framework/FieldNavigation.h"

#include <optional>

#include "framework/Conventions.h"
#include "framework/FieldFocus.h"
#include "platform/text/CodePage.h"
#include "platform/ui/TextBox.h"
#include "platform/ui/UiTypes.h"

namespace mnt4820 {

namespace {

namespace key = platform::ui::key;
using platform::ui::TextBox;

bool isEligible(const TextBox& field) { return field.isEnabled() && field.isVisible() && !field.isLocked(); }

// The operator has not begun to edit the field: it is empty, or its whole text is still selected.
bool mayBeLeftFreely(const TextBox& field) { return field.text().empty() || field.selLength() == field.length(); }

// Gives the focus to the first eligible field of one round of the table from row `current` on, forward
// (`direction` 1) or back (-1), wrapping at either end and ending where it began. The current field itself is
// not tried: it could only be given the focus it already has.
void focusAround(const FieldTable& fields, int current, int direction) {
  const int count = fields.FieldCount;
  for (int step = 1; step < count; ++step) {
    TextBox& candidate = fields.FieldControls(((current + direction * step) % count + count) % count);
    if (isEligible(candidate)) {
      candidate.setFocus();
      return;
    }
  }
}

}  // namespace

void NextField(ScreenState& screen, std::int16_t keyCode) {
  const std::optional<int> current = screen.activeFieldRow();
  if (!current) return;
  const bool alwaysMoves = keyCode == key::Down || keyCode == key::Enter;
  if (!alwaysMoves && !mayBeLeftFreely(screen.fields.FieldControls(*current))) return;
  focusAround(screen.fields, *current, 1);
}

void PreviousField(ScreenState& screen, std::int16_t) {
  const std::optional<int> current = screen.activeFieldRow();
  // From a control that is not a field (the grid, whose TabIndex lies past the last field) the focus stays.
  if (!current) return;
  const FieldTable& fields = screen.fields;
  const TextBox& active = fields.FieldControls(*current);
  int i = *current - 1;
  if (i == -1) i = fields.FieldCount - 1;
  for (; i >= 0; --i) {
    TextBox& candidate = fields.FieldControls(i);
    if (!isEligible(candidate)) continue;
    // The first eligible field ends the search whether or not the focus moves.
    if (mayBeLeftFreely(active)) candidate.setFocus();
    return;
  }
}

void PreviousFieldAround(ScreenState& screen) {
  if (const std::optional<int> current = screen.activeFieldRow()) focusAround(screen.fields, *current, -1);
}

bool fieldAccepted(ScreenState& screen, int row, const CheckFieldCallback& checkField) {
  std::int16_t status = StatusGoOn;
  checkField(static_cast<std::int16_t>(row), status);
  if (status != StatusStop) return true;
  if (const std::optional<int> refused = screen.activeFieldRow()) SelectAllText(screen.fields.FieldControls(*refused));
  return false;
}

bool mayAutoAdvanceOn(std::int16_t keyCode) {
  switch (keyCode) {
    case key::Up:
    case key::Down:
    case key::Enter:
    case key::Esc:
    case key::Shift:
    case key::Ctrl: return false;
    default: return true;
  }
}

bool isTypedFull(const TextBox& field) {
  const int maxLength = field.maxLength();
  const int selStart = field.selStart();
  const int selLength = field.selLength();
  return maxLength != 0 && field.length() == maxLength &&
         (selStart == maxLength || selLength == maxLength || (selStart + selLength == maxLength && selLength == 1));
}

void AutoAdvance(ScreenState& screen, std::int16_t keyCode, std::int16_t shiftState,
                 const CheckFieldCallback& checkField) {
  if (shiftState != platform::ui::shift::None || !mayAutoAdvanceOn(keyCode)) return;
  const std::optional<int> row = screen.activeFieldRow();
  // The last field of the table is never left automatically: leaving it is the operator's decision.
  if (!row || *row == screen.fields.FieldCount - 1 || !screen.form().isVisible()) return;
  TextBox& box = screen.fields.FieldControls(*row);

  const int maxLength = box.maxLength();
  // A field without a limit can never be full; cutting it to zero bytes would destroy what was typed.
  if (maxLength == 0) return;
  // Counted before any cut.
  const bool full = isTypedFull(box);
  if (platform::AnsiByteLength(box.text()) > static_cast<std::size_t>(maxLength)) {
    // A double-byte character across the limit is dropped whole rather than split into half a character.
    box.setText(platform::cutToAnsiBytes(box.text(), static_cast<std::size_t>(maxLength)));
    box.setSelStart(box.length());
  }
  if (full && fieldAccepted(screen, *row, checkField)) NextField(screen, key::Enter);
}

void LeaveFullField(ScreenState& screen, std::int16_t keyCode, const CheckFieldCallback& checkField) {
  if (!mayAutoAdvanceOn(keyCode) || !screen.form().isVisible()) return;
  const std::optional<int> row = screen.activeFieldRow();
  if (!row || !isTypedFull(screen.fields.FieldControls(*row))) return;
  if (fieldAccepted(screen, *row, checkField) && *row != screen.fields.FieldCount - 1) {
    NextField(screen, key::Enter);
  }
}

void EnableFieldsForArea(ScreenState& screen, Area area) {
  FieldTable& fields = screen.fields;
  for (int i = 0; i < fields.FieldCount; ++i) fields.FieldControls(i).setEnabled(fields.FieldAreas(i) == area);
}

}  // namespace mnt4820
