#include "screens/signon/DialogKeys.h"

#include <optional>

#include "platform/ui/UiTypes.h"

namespace mnt4820 {

namespace key = platform::ui::key;

CheckFieldCallback fieldCheckOf(SignOnState& signOn, DialogFieldCheck check) {
  return [&signOn, check](std::int16_t row, std::int16_t& status) { check(signOn, row, status); };
}

void dialogKeyDown(ScreenState& screen, std::int16_t keyCode, const CheckFieldCallback& check,
                   const std::function<void()>& complete) {
  const std::optional<int> row = screen.activeFieldRow();
  if (!row) return;
  switch (keyCode) {
    case key::Enter:
      if (!fieldAccepted(screen, *row, check)) return;
      if (*row == screen.fields.FieldCount - 1) return complete();
      return NextField(screen, key::Enter);
    case key::Up: return PreviousFieldAround(screen);
    case key::Down: return NextField(screen, key::Down);
    default: return;
  }
}

}  // namespace mnt4820
