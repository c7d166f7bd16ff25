#include "screens/signon/SignOnDialogs.h"

#include <cstdint>
#include <utility>

#include "framework/FieldFocus.h"
#include "framework/WindowStyle.h"
#include "platform/ui/TextBox.h"
#include "screens/signon/OPS2210.h"

namespace mnt4820 {

namespace {

using platform::ui::TextBox;
using KeyUpProcedure = void (*)(SignOnState&, std::int16_t);

void wireField(SignOnState& signOn, TextBox& field, KeyUpProcedure keyUp) {
  FieldKeyUp onKeyUp;
  if (keyUp != nullptr) onKeyUp = [&signOn, keyUp](std::int16_t keyCode, std::int16_t) { keyUp(signOn, keyCode); };
  wireInputField(signOn.program.screen, signOn.program.settings, field, std::move(onKeyUp));
}

// Enter and Esc are handled at key-down and never typed (no beep either).
bool isEnterOrEsc(std::int16_t charCode) {
  return charCode == platform::ui::key::Enter || charCode == platform::ui::key::Esc;
}

void wireSignOnWindow(SignOnState& signOn, OPS22101& window) {
  platform::ui::Form& form = *window.form;
  form.onLoad = [&form] { CenterWindow(form); };
  form.onKeyDown = [&signOn](std::int16_t& keyCode, std::int16_t) { SignOnKeyDown(signOn, keyCode); };
  form.onKeyPress = [](std::int16_t& charCode) {
    // Neither a code nor a password may hold a comma or a quotation mark.
    if (isEnterOrEsc(charCode) || charCode == ',' || charCode == '\'' || charCode == '"') charCode = 0;
  };
  for (TextBox* field : {&window.OPCD, &window.PSWD}) wireField(signOn, *field, SignOnKeyUp);
}

void wirePasswordWindow(SignOnState& signOn, OPS22102& window) {
  platform::ui::Form& form = *window.form;
  form.onLoad = [&form] { CenterWindow(form); };
  form.onKeyDown = [&signOn](std::int16_t& keyCode, std::int16_t) { PasswordKeyDown(signOn, keyCode); };
  form.onKeyPress = [](std::int16_t& charCode) {
    if (isEnterOrEsc(charCode)) charCode = 0;
  };
  // However it closes, the operator code typed here goes back to the sign-on window.
  form.onUnload = [&signOn, &code = window.OPCD] { signOn.SignOnWindow->OPCD.setText(code.text()); };
  for (TextBox* field : {&window.OPCD, &window.PSWD, &window.NPSWD}) wireField(signOn, *field, PasswordKeyUp);
  wireField(signOn, window.KAKUNIN, nullptr);
}

}  // namespace

SignOnDialogs::SignOnDialogs(Program& program)
    : state_(program),
      signOnWindow_(createSignOnWindowDesign(program.ui)),
      passwordWindow_(createPasswordWindowDesign(program.ui)) {
  state_.SignOnWindow = &signOnWindow_;
  state_.PasswordWindow = &passwordWindow_;
  wireSignOnWindow(state_, signOnWindow_);
  wirePasswordWindow(state_, passwordWindow_);
}

}  // namespace mnt4820
