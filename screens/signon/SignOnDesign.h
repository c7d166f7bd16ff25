#pragma once

#include <memory>

#include "platform/ui/Application.h"
#include "platform/ui/Form.h"

namespace mnt4820 {

// The sign-on window `OPS22101` with its designed controls, not yet loaded or shown; the logic is wired
// separately.
std::unique_ptr<platform::ui::Form> createSignOnWindowDesign(platform::ui::Application& application);

// The password-change window `OPS22102`, likewise.
std::unique_ptr<platform::ui::Form> createPasswordWindowDesign(platform::ui::Application& application);

}  // namespace mnt4820
