#pragma once

#include <memory>

#include "platform/ui/Application.h"
#include "platform/ui/ControlArray.h"
#include "platform/ui/Form.h"
#include "platform/ui/Label.h"
#include "platform/ui/TextBox.h"

namespace mnt4820 {

// What both sign-on windows are designed with: the window, the operator code with its name, the password and
// the header, each control by name and class. The fields come first in the tab order, from TabIndex 0.
struct OperatorEntryDesign {
  std::unique_ptr<platform::ui::Form> form;
  platform::ui::TextBox& OPCD;
  // Index 0 titles OPCD, index 1 PSWD; the password window adds 2 and 3.
  platform::ui::ControlArray<platform::ui::Label> tit_KOUMOKU;
  platform::ui::Label& lbl_OPNM;
  platform::ui::TextBox& PSWD;
  platform::ui::Label& lbl_PGID;
  platform::ui::Label& lbl_DATE;
};

// The sign-on window `OPS22101` as its design made it.
struct OPS22101 : OperatorEntryDesign {};

// The password-change window `OPS22102`: the same controls, then the new password and its confirmation.
struct OPS22102 : OperatorEntryDesign {
  platform::ui::TextBox& NPSWD;
  platform::ui::TextBox& KAKUNIN;
};

// The sign-on window with its designed controls in the design tab order, not yet loaded or shown; the logic is
// wired separately.
OPS22101 createSignOnWindowDesign(platform::ui::Application& application);

// The password-change window, likewise.
OPS22102 createPasswordWindowDesign(platform::ui::Application& application);

}  // namespace mnt4820
