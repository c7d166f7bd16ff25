#pragma once

#include <memory>

#include "platform/ui/Application.h"
#include "platform/ui/CommandButton.h"
#include "platform/ui/ControlArray.h"
#include "platform/ui/Form.h"
#include "platform/ui/Label.h"
#include "platform/ui/ListGrid.h"
#include "platform/ui/TextBox.h"

namespace mnt4820 {

// The main window `F_MNT4820` as its design made it: the window and each of its controls by name and class.
struct F_MNT4820 {
  std::unique_ptr<platform::ui::Form> form;
  platform::ui::ListGrid& GRID;
  platform::ui::Label& SEARCH_KBN;
  platform::ui::TextBox& KCNTCD;
  // Indexes 0, 7 and 8.
  platform::ui::ControlArray<platform::ui::Label> tit_KOUMOKU;
  // (0) search, (1) add, (2) delete, (3) exit.
  platform::ui::ControlArray<platform::ui::CommandButton> CMD;
  platform::ui::TextBox& CNTCD;
  platform::ui::TextBox& ATKCD;
  platform::ui::Label& lbl_PGID;
  platform::ui::Label& lbl_OPTIT;
  platform::ui::Label& lbl_OP_CD;
  platform::ui::Label& lbl_OP_NM;
  platform::ui::Label& lbl_HIDUKE;
  platform::ui::Label& lbl_KCNTNM;
  platform::ui::Label& lbl_CNTNM;
};

// Creates the main window with its designed controls (names, arrays, positions, captions, design texts, fonts),
// in the design's tab order, not yet loaded or shown. The logic is wired separately.
F_MNT4820 createMainWindowDesign(platform::ui::Application& application);

}  // namespace mnt4820
