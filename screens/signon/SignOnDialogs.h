#pragma once

#include "platform/ui/Form.h"
#include "program/Program.h"
#include "screens/signon/SignOnState.h"

namespace mnt4820 {

// The sign-on window `OPS22101` and the password-change window `OPS22102`, created from their designs and
// wired to the sign-on logic, with the state that logic works on (the two window references already set).
// Neither window is loaded or shown yet.
class SignOnDialogs {
 public:
  explicit SignOnDialogs(Program& program);
  SignOnDialogs(const SignOnDialogs&) = delete;
  SignOnDialogs& operator=(const SignOnDialogs&) = delete;

  SignOnState& state() { return state_; }
  platform::ui::Form& signOnWindow() { return *signOnWindow_.form; }
  platform::ui::Form& passwordWindow() { return *passwordWindow_.form; }

 private:
  // The windows' handlers refer to the state, so the windows go first.
  SignOnState state_;
  OPS22101 signOnWindow_;
  OPS22102 passwordWindow_;
};

}  // namespace mnt4820
