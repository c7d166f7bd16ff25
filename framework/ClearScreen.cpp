#include "framework/ClearScreen.h"

#include <string>

#include "platform/text/CodePage.h"
#include "platform/ui/Label.h"
#include "platform/ui/TextBox.h"

namespace mnt4820 {

void ClearScreen(ScreenState& screen) {
  const platform::ui::Form& form = screen.form();
  FieldTable& fields = screen.fields;
  fields.FieldCount = 0;
  for (platform::ui::TextBox* box : form.controlsOf<platform::ui::TextBox>()) {
    ++fields.FieldCount;
    box->setText("");
  }
  for (platform::ui::Label* label : form.controlsOf<platform::ui::Label>()) {
    // Trimmed here, unlike the styling: " lbl_X" is emptied although it is not styled.
    if (platform::trimBlanks(label->name()).starts_with("lbl_")) label->setCaption("");
  }
}

}  // namespace mnt4820
