#pragma once

#include <memory>

#include "platform/ui/Application.h"
#include "platform/ui/Form.h"

namespace mnt4820 {

// Creates the main window `F_MNT4820` with its designed controls (names, arrays, positions, captions,
// design texts, fonts), not yet loaded or shown. The logic is wired separately.
std::unique_ptr<platform::ui::Form> createMainWindowDesign(platform::ui::Application& application);

}  // namespace mnt4820
