#include "screens/signon/SignOnManage.h"

#include "platform/system/Today.h"
#include "platform/text/CodePage.h"
#include "platform/ui/Label.h"

namespace mnt4820 {

namespace {

void showHeader(platform::ui::Label& screenIdLabel, platform::ui::Label& dateLabel, const char* screenId) {
  screenIdLabel.setCaption(screenId);
  dateLabel.setCaption(platform::todayText());
}

}  // namespace

void AcceptSignOn(SignOnState& signOn) {
  OperatorState& published = signOn.program.operatorState;
  published.ResultCode = "00";
  published.OperatorCode = platform::trimBlanks(signOn.SignOnCode);
  published.OperatorName = platform::trimBlanks(signOn.SignOnName);
  published.OperatorImeMode = signOn.SignOnImeMode;
  published.OperatorAuthority = signOn.SignOnAuthority;
  signOn.SignOnWindow->form->requestClose();
}

void CancelSignOn(SignOnState& signOn) {
  publishCancelledSignOn(signOn.program);
  signOn.SignOnWindow->form->requestClose();
}

void ShowPasswordHeader(SignOnState& signOn) {
  showHeader(signOn.PasswordWindow->lbl_PGID, signOn.PasswordWindow->lbl_DATE, "OPS22102");
}

void showSignOnHeader(SignOnState& signOn) {
  showHeader(signOn.SignOnWindow->lbl_PGID, signOn.SignOnWindow->lbl_DATE, "OPS22101");
}

void publishCancelledSignOn(Program& program) {
  OperatorState& published = program.operatorState;
  published.ResultCode = "01";
  published.OperatorCode.clear();
  published.OperatorName.clear();
  published.OperatorImeMode = 0;
  published.OperatorAuthority = 0;
}

}  // namespace mnt4820
