#include "screens/signon/SignOnManage.h"

#include "platform/system/Today.h"
#include "platform/text/CodePage.h"
#include "platform/ui/Label.h"

namespace mnt4820 {

namespace {

void showHeader(platform::ui::Form& window, const char* screenId) {
  window.get<platform::ui::Label>("lbl_PGID").setCaption(screenId);
  window.get<platform::ui::Label>("lbl_DATE").setCaption(platform::todayText());
}

}  // namespace

void AcceptSignOn(SignOnState& signOn) {
  OperatorState& published = signOn.program.operatorState;
  published.ResultCode = "00";
  published.OperatorCode = platform::trimBlanks(signOn.SignOnCode);
  published.OperatorName = platform::trimBlanks(signOn.SignOnName);
  published.OperatorImeMode = signOn.SignOnImeMode;
  published.OperatorAuthority = signOn.SignOnAuthority;
  signOn.SignOnWindow->requestClose();
}

void CancelSignOn(SignOnState& signOn) {
  publishCancelledSignOn(signOn.program);
  signOn.SignOnWindow->requestClose();
}

void ShowPasswordHeader(SignOnState& signOn) { showHeader(*signOn.PasswordWindow, "OPS22102"); }

void showSignOnHeader(SignOnState& signOn) { showHeader(*signOn.SignOnWindow, "OPS22101"); }

void publishCancelledSignOn(Program& program) {
  OperatorState& published = program.operatorState;
  published.ResultCode = "01";
  published.OperatorCode.clear();
  published.OperatorName.clear();
  published.OperatorImeMode = 0;
  published.OperatorAuthority = 0;
}

}  // namespace mnt4820
