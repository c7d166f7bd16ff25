#include "screens/signon/PasswordChange.h"

#include <array>
#include <string>

#include "db/OperatorStore.h"
#include "framework/Conventions.h"
#include "platform/text/CodePage.h"
#include "platform/ui/UiTypes.h"
#include "program/ErrorReport.h"
#include "program/FixedMessages.h"
#include "screens/signon/OperatorLookup.h"

namespace mnt4820 {

namespace {

namespace key = platform::ui::key;
using platform::ui::TextBox;

// The password window's fields in their order; Enter, Down and a full field move to the next.
constexpr int PasswordFieldCount = 4;
std::array<TextBox*, PasswordFieldCount> passwordFields(OPS22102& window) {
  return {&window.OPCD, &window.PSWD, &window.NPSWD, &window.KAKUNIN};
}

int passwordFieldOf(OPS22102& window, const platform::ui::Control* control) {
  const auto fields = passwordFields(window);
  for (int i = 0; i < PasswordFieldCount; ++i) {
    if (fields[static_cast<std::size_t>(i)] == control) return i;
  }
  return -1;
}

void focusPasswordField(OPS22102& window, int position) {
  passwordFields(window)[static_cast<std::size_t>((position + PasswordFieldCount) % PasswordFieldCount)]->setFocus();
}

}  // namespace

void CheckChangeOperatorCode(SignOnState& signOn, std::int16_t& status) {
  OPS22102& window = *signOn.PasswordWindow;
  lookUpOperator(signOn, window.OPCD, window.lbl_OPNM, NameShown::Trimmed, status);
  if (status == StatusStop) window.OPCD.setFocus();
}

void CheckOldPassword(SignOnState& signOn, std::int16_t& status) {
  OPS22102& window = *signOn.PasswordWindow;
  if (trimmed(window.OPCD).empty()) {
    refuse(signOn, status, "ｵﾍﾟﾚｰﾀｺｰﾄﾞが入力されていません");
    window.OPCD.setFocus();
  } else if (trimmed(window.PSWD) != platform::trimBlanks(signOn.StoredPassword)) {
    refuse(signOn, status, "パスワードが不正です");
    window.PSWD.setFocus();
  }
}

void CheckNewPassword(SignOnState& signOn, std::int16_t& status) {
  OPS22102& window = *signOn.PasswordWindow;
  if (!trimmed(window.NPSWD).empty()) return;
  refuse(signOn, status, "新パスワードが入力されていません");
  window.NPSWD.setFocus();
}

void CheckConfirmation(SignOnState& signOn, std::int16_t& status) {
  OPS22102& window = *signOn.PasswordWindow;
  if (trimmed(window.KAKUNIN) == trimmed(window.NPSWD)) return;
  refuse(signOn, status, "パスワードが不正です");
  window.NPSWD.setText("");
  window.KAKUNIN.setText("");
  window.KAKUNIN.setFocus();
}

void CheckPasswordField(SignOnState& signOn, int tabIndex, std::int16_t& status) {
  using Check = void (*)(SignOnState&, std::int16_t&);
  constexpr Check Checks[PasswordFieldCount] = {CheckChangeOperatorCode, CheckOldPassword, CheckNewPassword,
                                                CheckConfirmation};
  const auto fields = passwordFields(*signOn.PasswordWindow);
  for (std::size_t i = 0; i < fields.size(); ++i) {
    if (fields[i]->tabIndex() == tabIndex) return Checks[i](signOn, status);
  }
}

void PasswordKeyDown(SignOnState& signOn, std::int16_t keyCode) {
  OPS22102& window = *signOn.PasswordWindow;
  platform::ui::Control* focused = window.form->activeControl();
  const int position = passwordFieldOf(window, focused);
  switch (keyCode) {
    case key::Enter: {
      if (focused == nullptr) return;
      std::int16_t status = StatusGoOn;
      CheckPasswordField(signOn, focused->tabIndex(), status);
      if (status == StatusStop) return selectFocusedText(passwordFields(window));
      if (position == PasswordFieldCount - 1) return StoreNewPassword(signOn);
      if (position >= 0) focusPasswordField(window, position + 1);
      return;
    }
    case key::Esc: window.form->requestClose(); return;
    case key::Up:
      if (position >= 0) focusPasswordField(window, position - 1);
      return;
    case key::Down:
      if (position >= 0) focusPasswordField(window, position + 1);
      return;
    default: return;
  }
}

void PasswordKeyUp(SignOnState& signOn, std::int16_t keyCode) {
  OPS22102& window = *signOn.PasswordWindow;
  const TextBox* left = checkedFullField(signOn, *window.form, passwordFields(window), keyCode, CheckPasswordField);
  const int position = passwordFieldOf(window, left);
  // KAKUNIN has no key-up handling: storing is the operator's decision.
  if (position >= 0 && position < PasswordFieldCount - 1) focusPasswordField(window, position + 1);
}

void StoreNewPassword(SignOnState& signOn) {
  OPS22102& window = *signOn.PasswordWindow;
  std::int16_t status = StatusGoOn;
  for (const auto check : {CheckChangeOperatorCode, CheckOldPassword, CheckNewPassword, CheckConfirmation}) {
    check(signOn, status);
    if (status == StatusStop) return;
  }
  // Stored as typed, blanks included: the comparisons trim both sides.
  const std::string newPassword = window.NPSWD.text();
  // A failure is told with the window still open and what was typed in it; the transaction has rolled back on
  // its way out by then.
  const bool stored = runOrStop(signOn.program.ui, "password update", UpdateFailedMessage, status, [&] {
    OperatorStore(signOn.program.database).setPassword(signOn.SignOnCode, newPassword);
  });
  if (!stored) return;
  signOn.StoredPassword = newPassword;
  signOn.SignOnWindow->PSWD.setText("");
  window.form->requestClose();
}

}  // namespace mnt4820
