#include "framework/ClearScreen.h"

#include <string>

#include "platform/text/CodePage.h"
#include "platform/ui/Label.h"
#include "platform/ui/TextBox.h"

namespace mnt4820 {

void ClearScreen(ScreenState& screen) {
  using platform::ui::ControlKind;
  FieldTable& fields = screen.fields;
  fields.FieldCount = 0;
  for (platform::ui::Control* control : screen.form().controls()) {
    if (auto* box = dynamic_cast<platform::ui::TextBox*>(control)) {
      ++fields.FieldCount;
      box->setText("");
    } else if (control->kind() == ControlKind::ComboBox) {
      ++fields.FieldCount;
    } else if (auto* label = dynamic_cast<platform::ui::Label*>(control)) {
      // Trimmed here, unlike the styling: " lbl_X" is emptied although it is not styled.
      if (platform::trimBlanks(label->name()).starts_with("lbl_")) label->setCaption("");
    }
  }
}

}  // namespace mnt4820
