#include "screens/signon/PasswordChange.h"

#include <iterator>
#include <string>

#include "db/OperatorStore.h"
#include "framework/Conventions.h"
#include "framework/FieldNavigation.h"
#include "platform/text/CodePage.h"
#include "platform/ui/UiTypes.h"
#include "program/ErrorReport.h"
#include "program/FixedMessages.h"
#include "screens/signon/DialogKeys.h"
#include "screens/signon/OperatorLookup.h"

namespace mnt4820 {

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
  // By row of the window's field table, which is the field's TabIndex.
  using Check = void (*)(SignOnState&, std::int16_t&);
  constexpr Check Checks[] = {CheckChangeOperatorCode, CheckOldPassword, CheckNewPassword, CheckConfirmation};
  if (tabIndex >= 0 && tabIndex < std::ssize(Checks)) Checks[tabIndex](signOn, status);
}

void PasswordKeyDown(SignOnState& signOn, std::int16_t keyCode) {
  if (keyCode == platform::ui::key::Esc) {
    signOn.PasswordWindow->form->requestClose();
    return;
  }
  dialogKeyDown(signOn.PasswordScreen, keyCode, fieldCheckOf(signOn, CheckPasswordField),
                [&signOn] { StoreNewPassword(signOn); });
}

void PasswordKeyUp(SignOnState& signOn, std::int16_t keyCode) {
  LeaveFullField(signOn.PasswordScreen, keyCode, fieldCheckOf(signOn, CheckPasswordField));
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
