#include "screens/signon/RunSignOn.h"

#include "screens/signon/SignOnDialogs.h"
#include "screens/signon/SignOnManage.h"

namespace mnt4820 {

OperatorState RunSignOn(Program& program) {
  SignOnDialogs dialogs(program);
  // Only signing on publishes "00"; the close box leaves the values of a cancel.
  publishCancelledSignOn(program);
  dialogs.signOnWindow().show(platform::ui::ShowMode::Modal);
  // A password change still open behind a closed sign-on has nothing left to return to.
  if (dialogs.passwordWindow().isVisible()) dialogs.passwordWindow().requestClose();
  return program.operatorState;
}

}  // namespace mnt4820
