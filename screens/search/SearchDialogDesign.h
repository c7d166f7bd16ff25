#pragma once

#include <memory>

#include "platform/ui/Application.h"
#include "platform/ui/CommandButton.h"
#include "platform/ui/DataControl.h"
#include "platform/ui/DataGrid.h"
#include "platform/ui/Form.h"

namespace mnt4820 {

// The code search dialog `SEARCH_MSTDB` as its design made it: the window and each of its controls by name and
// class.
struct SEARCH_MSTDB {
  std::unique_ptr<platform::ui::Form> form;
  platform::ui::DataGrid& GRID;
  platform::ui::CommandButton& SELECT;
  platform::ui::CommandButton& STOP;
  platform::ui::DataControl& RS;
};

// Creates the dialog with its designed controls, not yet loaded or shown. The logic is wired separately.
SEARCH_MSTDB createSearchDialogDesign(platform::ui::Application& application);

}  // namespace mnt4820
