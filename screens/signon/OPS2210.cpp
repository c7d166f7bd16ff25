#include "screens/signon/OPS2210.h"

#include <string>

#include "framework/Conventions.h"
#include "framework/FieldNavigation.h"
#include "framework/WindowStyle.h"
#include "platform/text/CodePage.h"
#include "platform/ui/UiTypes.h"
#include "program/FixedMessages.h"
#include "program/StartupStep.h"
#include "screens/signon/DialogKeys.h"
#include "screens/signon/OperatorLookup.h"
#include "screens/signon/SignOnManage.h"

namespace mnt4820 {

void CheckOperatorCode(SignOnState& signOn, std::int16_t& status) {
  OPS22101& window = *signOn.SignOnWindow;
  lookUpOperator(signOn, window.OPCD, window.lbl_OPNM, NameShown::AsStored, status);
}

void CheckSignOnPassword(SignOnState& signOn, std::int16_t& status) {
  OPS22101& window = *signOn.SignOnWindow;
  CheckOperatorCode(signOn, status);
  if (status == StatusStop) {
    window.OPCD.setFocus();
    return;
  }
  const std::string typed = trimmed(window.PSWD);
  if (typed.empty() || typed != platform::trimBlanks(signOn.StoredPassword)) {
    refuse(signOn, status, "パスワードが不正です");
  }
}

void CheckSignOnField(SignOnState& signOn, int tabIndex, std::int16_t& status) {
  OPS22101& window = *signOn.SignOnWindow;
  if (tabIndex == window.OPCD.tabIndex()) {
    CheckOperatorCode(signOn, status);
  } else if (tabIndex == window.PSWD.tabIndex()) {
    CheckSignOnPassword(signOn, status);
  }
}

void SignOnKeyDown(SignOnState& signOn, std::int16_t keyCode) {
  switch (keyCode) {
    case platform::ui::key::Esc: return CancelSignOn(signOn);
    case platform::ui::key::F5: return OpenPasswordChange(signOn);
    default:
      return dialogKeyDown(signOn.SignOnScreen, keyCode, fieldCheckOf(signOn, CheckSignOnField),
                           [&signOn] { AcceptSignOn(signOn); });
  }
}

void SignOnKeyUp(SignOnState& signOn, std::int16_t keyCode) {
  LeaveFullField(signOn.SignOnScreen, keyCode, fieldCheckOf(signOn, CheckSignOnField));
}

void OpenPasswordChange(SignOnState& signOn) {
  OPS22101& from = *signOn.SignOnWindow;
  OPS22102& to = *signOn.PasswordWindow;
  StyleSignOnWindows(signOn);
  ShowPasswordHeader(signOn);
  to.OPCD.setText(from.OPCD.text());
  to.PSWD.setText(from.PSWD.text());
  to.NPSWD.setText("");
  to.KAKUNIN.setText("");
  to.form->show(platform::ui::ShowMode::Modeless);
}

void StyleSignOnWindows(SignOnState& signOn) {
  platform::ui::Form& password = *signOn.PasswordWindow->form;
  runStartupStep(signOn.program, "sign-on window styling", StylingFailedMessage, [&] {
    ApplyWindowStyle(signOn.SignOnScreen, signOn.program.settings);
    // The main window's styling also sets the window's background, which this window keeps from its design.
    const platform::ui::Color designed = password.backColor();
    ApplyWindowStyle(signOn.PasswordScreen, signOn.program.settings);
    password.setBackColor(designed);
  });
}

}  // namespace mnt4820
