#pragma once

#include <memory>

#include "program/Program.h"

namespace mnt4820 {

// Creates the main window `F_MNT4820` from its design and wires its events to the screen's procedures. Its
// close question belongs to the entry, which wires it when it creates the window.
std::unique_ptr<platform::ui::Form> createMainWindow(Program& program);

}  // namespace mnt4820
