#include "screens/signon/SignOnDialogs.h"

#include <cstdint>
#include <functional>

#include "framework/FieldFocus.h"
#include "framework/WindowStyle.h"
#include "platform/ui/TextBox.h"
#include "screens/signon/OPS2210.h"
#include "screens/signon/SignOnDesign.h"

namespace mnt4820 {

namespace {

using platform::ui::Form;
using platform::ui::TextBox;
using KeyUpProcedure = void (*)(SignOnState&, std::int16_t);

void wireField(SignOnState& signOn, TextBox& field, KeyUpProcedure keyUp) {
  Program& program = signOn.program;
  field.onGotFocus = [&program, &field] { OnFieldGotFocus(program.screen, program.settings, field); };
  field.onLostFocus = [&program, &field] { OnFieldLostFocus(program.screen, program.settings, field); };
  if (keyUp == nullptr) return;
  field.onKeyUp = [&signOn, &field, keyUp](std::int16_t& keyCode, std::int16_t) {
    if (field.isEnabled()) keyUp(signOn, keyCode);
  };
}

// Enter and Esc are handled at key-down and never typed (no beep either).
bool isEnterOrEsc(std::int16_t charCode) {
  return charCode == platform::ui::key::Enter || charCode == platform::ui::key::Esc;
}

void wireSignOnWindow(SignOnState& signOn, Form& window) {
  window.onLoad = [&window] { CenterWindow(window); };
  window.onKeyDown = [&signOn](std::int16_t& keyCode, std::int16_t) { SignOnKeyDown(signOn, keyCode); };
  window.onKeyPress = [](std::int16_t& charCode) {
    // Neither a code nor a password may hold a comma or a quotation mark.
    if (isEnterOrEsc(charCode) || charCode == ',' || charCode == '\'' || charCode == '"') charCode = 0;
  };
  for (const char* name : {"OPCD", "PSWD"}) wireField(signOn, window.get<TextBox>(name), SignOnKeyUp);
}

void wirePasswordWindow(SignOnState& signOn, Form& window) {
  window.onLoad = [&window] { CenterWindow(window); };
  window.onKeyDown = [&signOn](std::int16_t& keyCode, std::int16_t) { PasswordKeyDown(signOn, keyCode); };
  window.onKeyPress = [](std::int16_t& charCode) {
    if (isEnterOrEsc(charCode)) charCode = 0;
  };
  // However it closes, the operator code typed here goes back to the sign-on window.
  window.onUnload = [&signOn, &window] {
    signOn.SignOnWindow->get<TextBox>("OPCD").setText(window.get<TextBox>("OPCD").text());
  };
  for (const char* name : {"OPCD", "PSWD", "NPSWD"}) wireField(signOn, window.get<TextBox>(name), PasswordKeyUp);
  wireField(signOn, window.get<TextBox>("KAKUNIN"), nullptr);
}

}  // namespace

SignOnDialogs::SignOnDialogs(Program& program)
    : state_(program),
      signOnWindow_(createSignOnWindowDesign(program.ui)),
      passwordWindow_(createPasswordWindowDesign(program.ui)) {
  state_.SignOnWindow = signOnWindow_.get();
  state_.PasswordWindow = passwordWindow_.get();
  wireSignOnWindow(state_, *signOnWindow_);
  wirePasswordWindow(state_, *passwordWindow_);
}

}  // namespace mnt4820
