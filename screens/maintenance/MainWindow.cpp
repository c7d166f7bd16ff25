#include "screens/maintenance/MainWindow.h"

#include <cstdint>

#include "framework/Conventions.h"
#include "framework/FieldFocus.h"
#include "framework/FieldNavigation.h"
#include "framework/KB_CHK.h"
#include "framework/WindowStyle.h"
#include "platform/ui/TextBox.h"
#include "screens/maintenance/MainWindowDesign.h"

namespace mnt4820 {

namespace {

// The events that every input field of the window shares: colouring, keystroke filter, leaving when full.
void wireField(Program& program, platform::ui::TextBox& field) {
  field.onGotFocus = [&program, &field] { OnFieldGotFocus(program.screen, program.settings, field); };
  field.onLostFocus = [&program, &field] { OnFieldLostFocus(program.screen, program.settings, field); };
  field.onKeyPress = [&program](std::int16_t& charCode) { FilterKeystroke(program.screen, charCode); };
  field.onKeyUp = [&program, &field](std::int16_t& keyCode, std::int16_t shiftState) {
    // Only an enabled field leaves itself when full, however the toolkit delivers the release.
    if (!field.isEnabled()) return;
    // The screen's field check comes with the check module; until then every full field is accepted.
    AutoAdvance(program.screen, keyCode, shiftState, [](std::int16_t, std::int16_t& status) { status = StatusGoOn; });
  };
}

}  // namespace

std::unique_ptr<platform::ui::Form> createMainWindow(Program& program) {
  std::unique_ptr<platform::ui::Form> form = createMainWindowDesign(program.ui);
  platform::ui::Form& window = *form;
  window.onLoad = [&window] { CenterWindow(window); };
  for (const char* name : {"KCNTCD", "CNTCD", "ATKCD"}) wireField(program, window.get<platform::ui::TextBox>(name));
  return form;
}

}  // namespace mnt4820
