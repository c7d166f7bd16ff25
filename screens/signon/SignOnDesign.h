#pragma once

#include <memory>

#include "platform/ui/Application.h"
#include "platform/ui/ControlArray.h"
#include "platform/ui/Form.h"
#include "platform/ui/Label.h"
#include "platform/ui/TextBox.h"

namespace mnt4820 {

// The sign-on window `OPS22101` as its design made it: the window and each of its controls by name and class.
struct OPS22101 {
  std::unique_ptr<platform::ui::Form> form;
  platform::ui::TextBox& OPCD;
  // Indexes 0 and 1.
  platform::ui::ControlArray<platform::ui::Label> tit_KOUMOKU;
  platform::ui::Label& lbl_OPNM;
  platform::ui::TextBox& PSWD;
  platform::ui::Label& lbl_PGID;
  platform::ui::Label& lbl_DATE;
};

// The password-change window `OPS22102`, likewise.
struct OPS22102 {
  std::unique_ptr<platform::ui::Form> form;
  platform::ui::TextBox& OPCD;
  // Indexes 0 to 3.
  platform::ui::ControlArray<platform::ui::Label> tit_KOUMOKU;
  platform::ui::Label& lbl_OPNM;
  platform::ui::TextBox& PSWD;
  platform::ui::Label& lbl_PGID;
  platform::ui::Label& lbl_DATE;
  platform::ui::TextBox& NPSWD;
  platform::ui::TextBox& KAKUNIN;
};

// The sign-on window with its designed controls in the design tab order, not yet loaded or shown; the logic is
// wired separately.
OPS22101 createSignOnWindowDesign(platform::ui::Application& application);

// The password-change window, likewise.
OPS22102 createPasswordWindowDesign(platform::ui::Application& application);

}  // namespace mnt4820
