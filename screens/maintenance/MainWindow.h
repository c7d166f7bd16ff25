#pragma once

#include "app/Program.h"

namespace mnt4820 {

// Creates the main window `F_MNT4820` from its design and wires its events to the screen's procedures.
std::unique_ptr<platform::ui::Form> createMainWindow(Program& program);

}  // namespace mnt4820
