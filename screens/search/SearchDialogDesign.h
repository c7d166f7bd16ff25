#pragma once

#include <memory>

#include "platform/ui/Application.h"
#include "platform/ui/Form.h"

namespace mnt4820 {

// Creates the code search dialog `SEARCH_MSTDB` with its designed controls (the grid `GRID`, the buttons
// `SELECT` and `STOP`, the data control `RS`), not yet loaded or shown. The logic is wired separately.
std::unique_ptr<platform::ui::Form> createSearchDialogDesign(platform::ui::Application& application);

}  // namespace mnt4820
