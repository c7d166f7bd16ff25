#include "screens/signon/SignOnDialogs.h"

#include <cstdint>
#include <initializer_list>
#include <utility>
#include <vector>

#include "framework/ClearScreen.h"
#include "framework/FieldFocus.h"
#include "framework/WindowStyle.h"
#include "platform/ui/TextBox.h"
#include "screens/signon/OPS2210.h"
#include "screens/signon/PasswordChange.h"
#include "screens/signon/SignOnManage.h"

namespace mnt4820 {

namespace {

using platform::ui::TextBox;

// Enter and Esc are handled at key-down and never typed (no beep either).
bool isEnterOrEsc(std::int16_t charCode) {
  return charCode == platform::ui::key::Enter || charCode == platform::ui::key::Esc;
}

// The window becomes the current window of its own screen state, and its fields the rows of that state's table.
// The fields are given in their tab order.
void registerFields(ScreenState& screen, platform::ui::Form& window, std::initializer_list<TextBox*> fields) {
  screen.CurrentForm = &window;
  ClearScreen(screen);
  std::vector<FieldRow> rows;
  for (TextBox* field : fields) rows.emplace_back().control = field;
  screen.fields.setRows(std::move(rows));
}

void wireSignOnWindow(SignOnState& signOn, OPS22101& window) {
  platform::ui::Form& form = *window.form;
  // Whoever shows the window finds its header written.
  form.onLoad = [&signOn, &form] {
    CenterWindow(form);
    showSignOnHeader(signOn);
  };
  form.onKeyDown = [&signOn](std::int16_t& keyCode, std::int16_t) { SignOnKeyDown(signOn, keyCode); };
  form.onKeyPress = [](std::int16_t& charCode) {
    // Neither a code nor a password may hold a comma or a quotation mark.
    if (isEnterOrEsc(charCode) || charCode == ',' || charCode == '\'' || charCode == '"') charCode = 0;
  };
  const FieldKeyUp keyUp = [&signOn](std::int16_t keyCode, std::int16_t) { SignOnKeyUp(signOn, keyCode); };
  for (TextBox* field : {&window.OPCD, &window.PSWD}) {
    wireInputField(signOn.SignOnScreen, signOn.program.settings, *field, keyUp);
  }
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
  const FieldKeyUp keyUp = [&signOn](std::int16_t keyCode, std::int16_t) { PasswordKeyUp(signOn, keyCode); };
  const Settings& settings = signOn.program.settings;
  for (TextBox* field : {&window.OPCD, &window.PSWD, &window.NPSWD}) {
    wireInputField(signOn.PasswordScreen, settings, *field, keyUp);
  }
  // Storing the new password is the operator's decision: the confirmation is never left by its key-up.
  wireInputField(signOn.PasswordScreen, settings, window.KAKUNIN, nullptr);
}

}  // namespace

SignOnDialogs::SignOnDialogs(Program& program)
    : state_(program),
      signOnWindow_(createSignOnWindowDesign(program.ui)),
      passwordWindow_(createPasswordWindowDesign(program.ui)) {
  state_.SignOnWindow = &signOnWindow_;
  state_.PasswordWindow = &passwordWindow_;
  registerFields(state_.SignOnScreen, *signOnWindow_.form, {&signOnWindow_.OPCD, &signOnWindow_.PSWD});
  OPS22102& change = passwordWindow_;
  registerFields(state_.PasswordScreen, *change.form, {&change.OPCD, &change.PSWD, &change.NPSWD, &change.KAKUNIN});
  wireSignOnWindow(state_, signOnWindow_);
  wirePasswordWindow(state_, passwordWindow_);
}

}  // namespace mnt4820
