#pragma once

namespace platform::qt {

class FormWindow;

// Runs a shown form's window modally: it blocks the other windows, and the call returns once the window is
// hidden (or gone).
void runModalLoop(FormWindow& window);

}  // namespace platform::qt
