#pragma once

#include "platform/ui/UiTypes.h"

namespace platform::qt {

// The program-wide mouse pointer: one override cursor over every window, or none, so that each control shows
// its own pointer again.
class OverrideCursor {
 public:
  OverrideCursor() = default;
  ~OverrideCursor() { clear(); }
  OverrideCursor(const OverrideCursor&) = delete;
  OverrideCursor& operator=(const OverrideCursor&) = delete;

  void show(ui::MousePointer pointer);
  void clear();

 private:
  bool set_ = false;
};

}  // namespace platform::qt
